#include "sheets/symbol/Statements.h"

#include "core/DataDir.h"
#include "core/GridMessage.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/TextHelpers.h"
#include "core/VbString.h"
#include "sheets/DataSheet.h"

namespace {

constexpr OleColor White = 0xFFFFFF;
constexpr OleColor Pale = 15723985; // &HEFEDD1
constexpr OleColor Red = 0xFF;

int times(double n)
{
    return qRound(n * BaseRowHeight);
}

QString statementTable(const QString &received, const QString &marker, const TextReplacements &steps)
{
    const QString page = replaceAll(received, {{QStringLiteral("HTML"), QStringLiteral("html")},
                                               {QStringLiteral("Html"), QStringLiteral("html")}});
    const int at = vb::InStr(page, marker);
    const int table = vb::InStr(at, page, QStringLiteral("<table"));
    const int end = vb::InStr(table, page, QStringLiteral("</table>"));
    return replaceAll(vb::Mid(page, table, end - table), steps);
}

// The statement's rows: the first page row is row 0, the title row 1, then
// one grid row per page row. A short row closes its own grid row and cells
// past the sixth are left out, so one odd row never shifts the rest.
void statementRows(FlexGrid &grid, const SheetSpec &decl, const QString &table, const QString &title,
                   OleColor titleBack, const std::function<void(FlexGrid &, int row, int col)> &formatCell)
{
    SheetWalk walk{decl, grid, 0, 0};
    forEachRow(table, [&](const QString &rowText) {
        bool any = false;
        forEachCell(rowText, [&](const QString &cell) {
            any = true;
            const QString text = cellText(cell);
            if (walk.row == 1) {
                walk.row = 2;
                grid.setTextMatrix(1, walk.col, title);
                grid.setRow(1);
                grid.setCol(0);
                grid.setCellAlignment(1);
                grid.setCellFontBold(true);
                grid.setCellTextStyle(3);
                grid.setRowHeight(1, times(1));
                if (titleBack)
                    grid.setCellBackColor(titleBack);
            }
            if (walk.col < decl.cols) {
                if (formatCell)
                    formatCell(grid, walk.row, walk.col);
                walk.write(walk.col, text);
            }
            ++walk.col;
        });
        if (!any)
            return;
        ++walk.row;
        walk.col = 0;
        grid.AddItem(QString());
    });
    grid.setTextMatrix(0, 0, GetDisplayName());
}

void formatRow(FlexGrid &grid, int row, int fromCol, int toCol, const std::function<void()> &format)
{
    if (row >= grid.Rows())
        return;
    grid.setRow(row);
    for (int col = fromCol; col <= toCol; ++col) {
        grid.setCol(col);
        format();
    }
}

SheetSpec statement(const char *key, const char *file)
{
    SheetSpec s;
    s.key = QLatin1String(key);
    s.cachePath = DataDir + QStringLiteral("\\Cache\\DataSheet\\") + CurSymbol + QLatin1String(file);
    s.noDataText = QStringLiteral("Brindlewick do not have additional information for ") + GetDisplayName();
    s.hourglass = true;
    s.cols = 6;
    s.aligns = {1, 7, 7, 7, 7, 7};
    s.widths = {31, 13, 13, 13, 13, 13};
    return s;
}

} // namespace

void FG_ABS()
{
    SheetSpec s = statement("ABS", "_Abs.Sh");
    s.cut = [](const QString &page) {
        return statementTable(page, QStringLiteral("Annual Balance Sheet"),
                              {{QStringLiteral("\t"), QStringLiteral(" ")}, {QStringLiteral("TD"), QStringLiteral("td")},
                               {QStringLiteral("Td"), QStringLiteral("td")}, {QStringLiteral("TR"), QStringLiteral("tr")},
                               {QStringLiteral("Tr"), QStringLiteral("tr")}, {QStringLiteral("TH"), QStringLiteral("th")},
                               {QStringLiteral("</font></font>"), QStringLiteral("</font>")},
                               {QStringLiteral("ii"), QString()}});
    };
    s.rows = 3;
    s.walk = [](FlexGrid &grid, const SheetSpec &decl, const QString &table) {
        grid.setRowHeight(0, times(1));
        statementRows(grid, decl, table, QStringLiteral("Annual Balance Sheet"), 0, {});
        for (int row : {2, 16, 33})
            formatRow(grid, row, 0, 0, [&] {
                grid.setCellAlignment(2);
                grid.setCellForeColor(0);
                grid.setCellFontWidth(4);
                grid.setCellTextStyle(4);
                grid.setCellFontBold(true);
                grid.setRowHeight(row, times(2));
                grid.setCellBackColor(White);
            });
        for (int row : {8, 24, 41})
            formatRow(grid, row, 0, 5, [&] { grid.setCellFontBold(true); });
        for (int row : {15, 32})
            formatRow(grid, row, 0, 5, [&] {
                grid.setCellFontBold(true);
                grid.setCellBackColor(Pale);
                grid.setCellForeColor(Red);
            });
    };
    s.rowHeights = {{-1, 0}, {-2, 0}};
    s.onBadPage = SheetFailure::NoData;
    FillSheet(s);
}

void FG_AIS()
{
    SheetSpec s = statement("AIS", "_Ais.Sh");
    s.cut = [](const QString &page) {
        return statementTable(page, QStringLiteral("Annual Income Statement"),
                              {{QStringLiteral("\t"), QStringLiteral(" ")}, {QStringLiteral("TD"), QStringLiteral("td")},
                               {QStringLiteral("Td"), QStringLiteral("td")}, {QStringLiteral("TR"), QStringLiteral("tr")},
                               {QStringLiteral("Tr"), QStringLiteral("tr")}, {QStringLiteral("TH"), QStringLiteral("th")},
                               {QStringLiteral("ii"), QString()},
                               {QStringLiteral("<th colspan=5>"), QStringLiteral("<th>")},
                               {QStringLiteral(" colspan=5>"), QStringLiteral("></td><td></td><td></td><td></td><td>")}});
    };
    s.rows = 2;
    s.walk = [](FlexGrid &grid, const SheetSpec &decl, const QString &table) {
        statementRows(grid, decl, table, QStringLiteral("Annual Income Statement"), White, [](FlexGrid &g, int row, int col) {
            g.setRow(row);
            g.setCol(col);
            if (row == 4 || row == 6 || row == 9 || row == 14 || row == 22) {
                g.setCellFontBold(true);
            } else if (row == 16 || row == 20 || row == 24) {
                g.setCellFontBold(true);
                g.setCellBackColor(Pale);
                g.setCellForeColor(Red);
            } else if (row == 17 || row == 21) {
                g.setRowHeight(row, times(2));
                g.setCellBackColor(White);
                g.setCellFontBold(true);
                g.setCellFontUnderline(true);
                g.setCellAlignment(2);
            }
        });
    };
    s.centredHeaders = {0, 1, 2, 3, 4, 5};
    s.badDataText = QStringLiteral("The ") + GetDisplayName()
                    + QStringLiteral("\" annual income statement data is bad, connect to the Internet, and update again .");
    s.rowHeights = {{0, 1}, {1, 2}, {-1, 0}};
    s.onBadPage = SheetFailure::NoData;
    s.onOtherError = SheetFailure::NoData;
    FillSheet(s);
}
