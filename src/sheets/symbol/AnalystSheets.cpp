#include "sheets/symbol/AnalystSheets.h"

#include "core/DataDir.h"
#include "core/GridMessage.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/TextHelpers.h"
#include "core/VbString.h"
#include "platform/PathResolver.h"
#include "sheets/DataSheet.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

constexpr OleColor White = 0xFFFFFF;

int times(double n)
{
    return qRound(n * BaseRowHeight);
}

QString cachePath(const char *suffix)
{
    return DataDir + QStringLiteral("\\Cache\\DataSheet\\") + CurSymbol + QLatin1String(suffix);
}

QString nameAndSymbol()
{
    return GetDisplayName() + QStringLiteral(" (") + CurSymbol + QLatin1Char(')');
}

QString withoutProvider(QString text)
{
    const QString name = QLatin1String(AnalystProvider);
    text.remove(name);
    text.remove(name.toLower());
    return text;
}

// Rows from the fourth on, each its own grid row of its cells.
void rowsAfterHeadings(FlexGrid &grid, const SheetSpec &, const QString &table)
{
    int seen = 0;
    forEachRow(table, [&](QStringView row) {
        if (seen++ < 3)
            return;
        QString line;
        forEachCell(row, [&](QStringView cell) { appendCellText(line, cell).append(QLatin1Char('\t')); });
        grid.AddItem(line);
    });
}

void titleCell(FlexGrid &grid, const QString &text, bool raised)
{
    grid.setTextMatrix(1, 0, text);
    grid.setRow(1);
    grid.setCol(0);
    grid.setCellFontBold(true);
    if (raised)
        grid.setCellTextStyle(3);
    else
        grid.setCellBackColor(White);
}

void history(bool upgrades)
{
    const QString symbolText = upgrades ? QStringLiteral("No upgrades were found for the symbol you requested, ")
                                        : QStringLiteral("No downgrade were found for the symbol you requested, ");
    const QString cutText = upgrades ? QStringLiteral("No upgrades were found for the symbol you requested, ")
                                     : QStringLiteral("No downgrads were found for the symbol you requested, ");
    SheetSpec s;
    s.key = upgrades ? QStringLiteral("UPH") : QStringLiteral("DNH");
    s.cachePath = cachePath(upgrades ? "_uph.Sh" : "_dnh.Sh");
    s.noDataText = cutText + nameAndSymbol();
    s.hourglass = true;
    s.zoomable = upgrades;
    const QString start = upgrades ? QStringLiteral("If Upgrades") : QStringLiteral("If Downgrades");
    const QString end = upgrades ? QStringLiteral("End Upgrades") : QStringLiteral("End Downgrades");
    s.cut = [start, end, symbolText](const QString &page) {
        QString block = cutFrom(page, start, end);
        block.replace(QLatin1Char('\t'), QLatin1Char(' '));
        block = withoutProvider(lowerTableTags(block));
        const int stamp = vb::InStr(block, QStringLiteral("TimeStamp"));
        const int stampEnd = vb::InStr(stamp, block, QStringLiteral("End TimeStamp"));
        const QString table = cutFrom(vb::Mid(block, stampEnd), QStringLiteral("<table"), QStringLiteral("</table>"));
        if (table.contains(QLatin1String("About")))
            pageSaysNoData(symbolText + CurSymbol);
        return table;
    };
    s.rows = 2;
    s.cols = 3;
    s.walk = [upgrades](FlexGrid &grid, const SheetSpec &decl, const QString &table) {
        rowsAfterHeadings(grid, decl, table);
        grid.setRowHeight(0, times(1));
        for (int row = 1; row < grid.Rows(); ++row)
            grid.setRowHeight(row, times(2));
        titleCell(grid, CurSymbol + (upgrades ? QStringLiteral("\r\nUpgrades") : QStringLiteral("\r\nDowngrades")), false);
    };
    s.topRow = -1;
    s.headers = {"Date", "Broker", QStringLiteral("Comments on ") + GetDisplayName()};
    s.widths = upgrades ? QList<Variant>{14, 18, 65} : QList<Variant>{15, 15, 65};
    s.aligns = {4, 1, 1};
    s.onBadPage = SheetFailure::NoData;
    FillSheet(s);
}

} // namespace

void FG_Splits()
{
    const QString message = QStringLiteral("No splits were found for the symbol you requested, ") + CurSymbol;
    SheetSpec s;
    s.key = QStringLiteral("Split");
    s.cachePath = cachePath("_sp.Sh");
    s.noDataText = message;
    s.hourglass = true;
    s.cut = [message](const QString &page) {
        // The table's end tag is the first after the start marker, in the
        // page's own letter case.
        const int start = vb::InStr(page, QStringLiteral("If Splits"));
        const QString end = start > 0 && vb::InStr(start, page, QStringLiteral("</Table>")) > 0 ? QStringLiteral("</Table>")
                                                                                               : QStringLiteral("</TABLE>");
        QString block = cutFrom(page, QStringLiteral("If Splits"), end);
        block.replace(QLatin1Char('\t'), QLatin1Char(' '));
        block = replaceAll(block, {{QStringLiteral("TD"), QStringLiteral("td")},
                                   {QStringLiteral("Td"), QStringLiteral("td")},
                                   {QStringLiteral("TR"), QStringLiteral("tr")},
                                   {QStringLiteral("Tr"), QStringLiteral("tr")}});
        // The site says so inside the table when a stock has no splits; a
        // footer's "About" after the table does not empty the sheet.
        if (block.contains(QLatin1String("About")))
            pageSaysNoData(message);
        return block;
    };
    s.rows = 2;
    s.cols = 6;
    s.walk = [](FlexGrid &grid, const SheetSpec &decl, const QString &table) {
        rowsAfterHeadings(grid, decl, table);
        titleCell(grid, CurSymbol + QStringLiteral("\r\nSplits History"), false);
    };
    s.headerAlign = 3;
    s.centredHeaders = {0, 1, 2, 3, 4, 5};
    s.topRow = -1;
    s.rowHeights = {{0, 1}, {1, 2}};
    s.headers = {"Type", "Amount", "Ex-Date", "Rec-Date", "Pay-Date", "An-Date"};
    s.aligns = {4, 4, 4, 4, 4, 4};
    s.widths = {17, 17, 16, 16, 16, 16};
    s.onBadPage = SheetFailure::NoData;
    FillSheet(s);
}

void FG_UpgradeHistory()
{
    history(true);
}

void FG_DowngradeHistory()
{
    history(false);
}

void FG_Momentum()
{
    if (CurSymbol.isEmpty()) {
        CurType = QStringLiteral("NMR");
        return;
    }
    SheetSpec s;
    s.key = QStringLiteral("NMR");
    s.cachePath = cachePath("_mr.Sh");
    s.noDataText = QStringLiteral("No data for the stock you requested, ") + nameAndSymbol();
    s.cut = [](const QString &page) {
        const int start = vb::InStr(vb::InStr(page, QStringLiteral("If Momentum")), page, QStringLiteral("bgcolor=\"#cccc99\""));
        const int end = vb::InStr(start, page, QStringLiteral("End Buy"));
        QString block = vb::Mid(page, start, end - start);
        block.replace(QLatin1Char('\t'), QLatin1Char(' '));
        block = withoutProvider(replaceAll(block, {{QStringLiteral("TD"), QStringLiteral("td")},
                                                   {QStringLiteral("Td"), QStringLiteral("td")}}));
        block.remove(QLatin1Char('\r'));
        block.remove(QLatin1Char('\n'));
        return block;
    };
    s.rows = 6;
    s.cols = 1;
    s.walk = [](FlexGrid &grid, const SheetSpec &, const QString &block) {
        for (int row = 1; row <= 4; ++row) {
            grid.setRow(row);
            grid.setCol(0);
            grid.setCellAlignment(0);
            grid.setCellBackColor(White);
        }
        int pos = 1;
        for (int row = 1; row <= 4; ++row) {
            const int open = vb::InStr(pos, block, QStringLiteral("<td"));
            const int close = vb::InStr(open, block, QStringLiteral("</td>"));
            const QString text = cellText(vb::Mid(block, open, close - open));
            grid.setTextMatrix(row, 0, text);
            if (row == 1 && text.startsWith(QLatin1String("No")))
                pageSaysNoData(QStringLiteral("Brindlewick did not find momentum ratings data for ") + CurSymbol);
            pos = close;
        }
        grid.setRow(5);
        grid.setCellAlignment(0);
        grid.setCellForeColor(0x808080);
        grid.setCellBackColor(White);
        grid.setTextMatrix(5, 0, QStringLiteral("\r\n(The more analysts that cover a stock (within the past 90 days),"
                                                "the more clients that will follow their recommendations.\r\n\r\n"
                                                "The more clients in any single stock, the more money fueling that "
                                                "issue's advance.)"));
        for (int row = 0; row <= 4; ++row)
            grid.setRowHeight(row, times(1));
        grid.setRowHeight(5, times(30));
        grid.setTextMatrix(0, 0, GetDisplayName() + QStringLiteral(" Momentum Rating"));
        grid.setRow(0);
        grid.setCellFontBold(true);
        grid.setCellTextStyle(3);
        grid.setCellAlignment(4);
    };
    s.widths = {97};
    s.onBadPage = SheetFailure::NoData;
    FillSheet(s);
}

void FG_BrokerReports()
{
    SheetSpec s;
    s.key = QStringLiteral("BRP");
    s.cachePath = cachePath("_brp.Sh");
    s.noDataText = QStringLiteral("No data for the stock you requested, ") + nameAndSymbol() + QStringLiteral("\r\nPlease update again.");
    s.badDataText = QStringLiteral("No broker reports were found for the symbol you requested, ") + nameAndSymbol();
    s.hourglass = true;
    s.cut = [](const QString &page) {
        QString block = cutFrom(page, QStringLiteral("If Broker"), QStringLiteral("End Broker"));
        block.replace(QLatin1Char('\t'), QLatin1Char(' '));
        block = withoutProvider(replaceAll(block, {{QStringLiteral("TD"), QStringLiteral("td")},
                                                   {QStringLiteral("Td"), QStringLiteral("td")},
                                                   {QStringLiteral("TABLE"), QStringLiteral("table")},
                                                   {QStringLiteral("Table"), QStringLiteral("table")}}));
        const int stamp = vb::InStr(block, QStringLiteral("TimeStamp"));
        const int stampEnd = vb::InStr(stamp, block, QStringLiteral("End TimeStamp"));
        const int table = vb::InStr(stampEnd, block, QStringLiteral("<table"));
        const int rowEnd = vb::InStr(table > 0 ? table + 1 : 1, block, QStringLiteral("</tr"));
        const int end = vb::InStr(rowEnd, block, QStringLiteral("</table>"));
        return vb::Mid(block, rowEnd, end - rowEnd);
    };
    s.rows = 2;
    s.cols = 3;
    s.walk = [](FlexGrid &grid, const SheetSpec &decl, const QString &table) {
        grid.setRowHeight(0, times(1));
        grid.setRowHeight(1, times(1));
        SheetWalk walk{decl, grid, 0, 0};
        forEachCell(table, [&](const QString &cell) {
            QCoreApplication::processEvents();
            const QString text = cellText(cell);
            if (text.isEmpty())
                return;
            walk.write(walk.col, text);
            grid.setRow(walk.row);
            grid.setCol(walk.col);
            grid.setCellAlignment(1);
            grid.setRowHeight(walk.row, times(2));
            if (++walk.col == 3) {
                grid.AddItem(QString());
                ++walk.row;
                walk.col = 0;
            }
        });
        grid.setRowHeight(0, times(1));
    };
    s.headerAlign = 3;
    s.centredHeaders = {0, 1, 2};
    s.topRow = -1;
    s.rowHeights = {{-1, 0}, {-2, 0}};
    s.widths = {12, 20, 65};
    s.onBadPage = SheetFailure::NoData;
    FillSheet(s);
}

void FG_SI()
{
    SheetSpec s;
    s.key = QStringLiteral("SI");
    s.cachePath = cachePath("_SI.Sh");
    s.noDataText = QStringLiteral("Brindlewick do not have additional information for ") + GetDisplayName();
    s.hourglass = true;
    s.cut = [](const QString &page) {
        QString text = page;
        text.remove(QLatin1Char(' '));
        text.remove(QStringLiteral("\r\n"));
        text = replaceAll(text, {{QStringLiteral("TR"), QStringLiteral("tr")},
                                 {QStringLiteral("Tr"), QStringLiteral("tr")},
                                 {QStringLiteral("TD"), QStringLiteral("td")},
                                 {QStringLiteral("Td"), QStringLiteral("td")},
                                 {QStringLiteral("Th"), QStringLiteral("th")},
                                 {QStringLiteral("TABLE"), QStringLiteral("table")}});
        return cutFrom(text, QStringLiteral("Cover"), QStringLiteral("</table>"));
    };
    s.rows = 2;
    s.cols = 4;
    s.wholeRows = true;
    s.headerAlign = 3;
    s.centredHeaders = {0, 1, 2, 3};
    s.title.text = CurSymbol + QStringLiteral("\r\nShort Interest");
    s.title.textStyle = 3;
    s.topRow = -1;
    s.rowHeights = {{0, 1}, {1, 2}};
    s.widths = {20, 25, 25, 25};
    s.aligns = {4, 7, 7, 7};
    s.headers = {"Settlement Date ", "Short Interest", "Avg Daily Share Volume", "Days to Cover"};
    s.onBadPage = SheetFailure::NoData;
    s.onOtherError = SheetFailure::EmptyCell;
    FillSheet(s);
}
