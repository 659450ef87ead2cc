#include "sheets/market/MarketMovers.h"

#include "core/DataDir.h"
#include "core/GridMessage.h"
#include "core/SharedState.h"
#include "core/TextHelpers.h"
#include "core/VbString.h"
#include "sheets/DataSheet.h"

namespace {

constexpr OleColor White = 0xFFFFFF;
constexpr OleColor Yellow = 0xFFFF;

int times(double n)
{
    return qRound(n * BaseRowHeight);
}

struct Section
{
    QString title;
    QString rows;
};

// The row at or after pos ("<tr" .. "</tr>"); pos moves past it.
QString nextRow(const QString &text, int &pos)
{
    const int start = vb::InStr(pos, text, QStringLiteral("<tr"));
    const int stop = vb::InStr(start, text, QStringLiteral("</tr>"));
    pos = stop;
    return vb::Mid(text, start, stop - start);
}

// The three exchange sections of a winners or losers page: the first
// table's first row is its title; the later tables' second row is. The
// column captions after each title are skipped.
QList<Section> exchangeSections(const QString &text)
{
    QList<Section> sections;
    int pos = 1;
    for (int i = 0; i < 3; ++i) {
        pos = vb::InStr(pos, text, QStringLiteral("<table"));
        if (i > 0)
            nextRow(text, pos);
        QString title = nextRow(text, pos);
        nextRow(text, pos); // column captions
        const int end = vb::InStr(pos, text, QStringLiteral("</table>"));
        sections << Section{vb::Trim(HtmlText(title, false, true, false)), vb::Mid(text, pos, end - pos)};
        pos = end;
    }
    return sections;
}

void styledCell(FlexGrid &grid, int row, int col)
{
    grid.setRow(row);
    grid.setCol(col);
}

// The header cells centred at the top.
void headerCellsAtTop(FlexGrid &grid, int cols)
{
    for (int col = 0; col < cols; ++col) {
        styledCell(grid, 0, col);
        grid.setCellAlignment(3);
    }
}

} // namespace

void FG_WinLos(const QString &FileName)
{
    const QString title = FileName == QLatin1String("mwwinners.Sh") ? QStringLiteral("Percentage Winners")
                                                                    : QStringLiteral("Percentage Losers");
    SheetSpec s;
    s.key = QStringLiteral("WINLOS");
    s.cachePath = DataDir + QStringLiteral("\\Cache\\DataSheet\\") + FileName;
    s.noDataText = QStringLiteral("No Data were found");
    s.hourglass = true;
    s.zoomable = false;
    s.cut = [title](const QString &page) {
        QString text = cutFrom(page, title, QStringLiteral("All Rights Reserved"));
        // Table tags in any of the spellings the broker uses.
        text = replaceAll(text, {{QStringLiteral("<TABLE"), QStringLiteral("<table")},
                                 {QStringLiteral("<Table"), QStringLiteral("<table")},
                                 {QStringLiteral("</TABLE>"), QStringLiteral("</table>")},
                                 {QStringLiteral("</Table>"), QStringLiteral("</table>")},
                                 {QStringLiteral("TD"), QStringLiteral("td")},
                                 {QStringLiteral("Td"), QStringLiteral("td")},
                                 {QStringLiteral("TR"), QStringLiteral("tr")},
                                 {QStringLiteral("Tr"), QStringLiteral("tr")}});
        // Line breaks of the page's source are blanks between words.
        text.remove(QLatin1Char('\t'));
        text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        exchangeSections(text); // the whole structure, or no sheet
        return text;
    };
    s.rows = 6;
    s.cols = 9;
    s.walk = [](FlexGrid &grid, const SheetSpec &decl, const QString &text) {
        grid.setRowHeight(0, times(1));
        SheetWalk walk{decl, grid, 3, 0};
        const QList<Section> sections = exchangeSections(text);
        for (int i = 0; i < sections.size(); ++i) {
            const int titleRow = walk.row - 1;
            grid.setTextMatrix(titleRow, 3, sections[i].title);
            for (int col = 1; col <= 7; ++col) {
                styledCell(grid, titleRow, col);
                grid.setCellFontBold(true);
                grid.setCellFontWidth(4);
                grid.setCellBackColor(Yellow);
                grid.setCellTextStyle(3);
            }
            forEachRow(sections[i].rows, [&](QStringView rowText) {
                QString row = rowText.toString();
                row.remove(QStringLiteral("&nbsp;"));
                walk.col = 0;
                forEachCell(row, [&](QStringView cell) {
                    walk.write(walk.col, cellTextOf(cell));
                    ++walk.col;
                });
                walk.linkLook(1);
                ++walk.row;
                grid.AddItem(QString());
            });
            if (i < 2)
                ++walk.row;
        }
        headerCellsAtTop(grid, 8);
    };
    s.aligns = {1, 1, 1, 1, 7, 7, 7};
    s.topRow = -1;
    s.title.text = title;
    s.title.row = 1;
    s.title.col = 3;
    s.title.fontWidth = 4;
    s.title.textStyle = 3;
    s.rowHeights = {{1, 2}, {-1, 0}};
    s.widths = {2, 8, 0, 45, 12, 12, 10, 8, 0};
    s.headers = {"", "Symbol", "", "Company", "Last", "Volume", "Change", "% Ch"};
    s.onBadPage = SheetFailure::NoData;
    s.onOtherError = SheetFailure::EmptyCell;
    FillSheet(s);
}

void FG_Surp()
{
    SheetSpec s;
    s.key = QStringLiteral("SUP");
    s.cachePath = DataDir + QStringLiteral("\\Cache\\DataSheet\\25_surp.Sh");
    s.noDataText = QStringLiteral("The 25 Top Earning data is bad, connect to Internet, and update again.");
    s.hourglass = true;
    s.cut = [](const QString &page) {
        QString text = replaceAll(page, {{QStringLiteral("TABLE"), QStringLiteral("table")},
                                         {QStringLiteral("Table"), QStringLiteral("table")}});
        text = cutFrom(text, QStringLiteral("<table"), QStringLiteral("</table>"));
        text.replace(QLatin1Char('\t'), QLatin1Char(' '));
        return replaceAll(text, {{QStringLiteral("TD"), QStringLiteral("td")},
                                 {QStringLiteral("Td"), QStringLiteral("td")},
                                 {QStringLiteral("TR"), QStringLiteral("tr")},
                                 {QStringLiteral("Tr"), QStringLiteral("tr")}});
    };
    s.rows = 2;
    s.cols = 5;
    // The page's first row heads the sheet, the title row follows, then one
    // grid row per page row: a short row keeps its own row.
    s.walk = [](FlexGrid &grid, const SheetSpec &decl, const QString &table) {
        grid.setRowHeight(0, times(1));
        SheetWalk walk{decl, grid, 0, 0};
        forEachRow(table, [&](const QString &rowText) {
            if (walk.row == 1) {
                styledCell(grid, 1, 0);
                grid.setCellBackColor(White);
                grid.setTextMatrix(1, 1, QStringLiteral("Top Daily Earnings"));
                styledCell(grid, 1, 1);
                grid.setCellAlignment(1);
                grid.setCellFontBold(true);
                grid.setCellTextStyle(3);
                grid.setCellBackColor(White);
                grid.setRowHeight(1, times(2));
                walk.row = 2;
            }
            int k = 0;
            forEachCell(rowText, [&](const QString &cell) {
                if (k < decl.cols)
                    walk.write(k, cellText(cell));
                ++k;
            });
            if (walk.row >= 2)
                walk.linkLook(0);
            ++walk.row;
            grid.AddItem(QString());
        });
        headerCellsAtTop(grid, decl.cols);
    };
    s.aligns = {1, 1, 4, 4, 4};
    s.topRow = -1;
    s.rowHeights = {{-1, 0}};
    s.widths = {10, 32, 18, 18, 18};
    s.onBadPage = SheetFailure::NoData;
    FillSheet(s);
}
