#include "sheets/market/SplitCalendars.h"

#include "core/DataDir.h"
#include "core/Utilities.h"
#include "core/Sites.h"
#include "core/VbString.h"
#include "sheets/DataSheet.h"
#include "sheets/SheetFetch.h"

namespace {

constexpr OleColor White = 0xFFFFFF;

struct Calendar
{
    const char *file;
    const char *path;
    const char *words;
    const char *title;
    const char *marker;
};

const Calendar Calendars[5] = {
    {"FMS_Today.Sh", "/splits_day.asp", "Updating Today's Splits", "Today's Splits", "Amount"},
    {"FMS_Week.Sh", "/splits.asp", "Updating This Week Splits", "This Week Splits", "Pay Date"},
    {"FMS_Next.Sh", "/splits_nw.asp", "Updating Next Week's Splits", "Next Week's Splits", "Pay Date"},
    {"FMS_Rec.Sh", "/splits_announced.asp", "Updating Recently Announced Splits", "Recently Announced Splits", "% Chg "},
    {"FMS_Tech.Sh", "/mostsplits.asp", "Updating Top Tech Splits", "Top Tech Splits", "Tech Stocks with The Most Splits"},
};

} // namespace

void Update_SplitCal(short index)
{
    if (index < 0 || index > 4)
        return;
    const Calendar &c = Calendars[index];
    FetchSheetPageBySocket(QLatin1String(c.file), siteUrl(Site::AnalystData, QLatin1String(c.path)),
                           QLatin1String(c.words), 2500);
}

void FG_SplitCal(short index)
{
    if (index < 0 || index > 4)
        return;
    const Calendar &c = Calendars[index];
    SheetSpec s;
    s.key = QStringLiteral("FMS") + QString::number(index);
    s.cachePath = DataDir + QStringLiteral("\\Cache\\DataSheet\\") + QLatin1String(c.file);
    s.noDataText = QStringLiteral("Data is not available, connect to Internet, and update again .");
    s.hourglass = true;
    const QString marker = QLatin1String(c.marker);
    s.cut = [marker](QString page) {
        const QString text = replaceAll(std::move(page), {{QStringLiteral("TD"), QStringLiteral("td")},
                                               {QStringLiteral("Td"), QStringLiteral("td")},
                                               {QStringLiteral("TR"), QStringLiteral("tr")},
                                               {QStringLiteral("Tr"), QStringLiteral("tr")},
                                               {QStringLiteral("TABLE"), QStringLiteral("table")},
                                               {QStringLiteral("Table"), QStringLiteral("table")}});
        // The page says so in its table ("About today: none"); an "About"
        // in the footer after the table's rows leaves the rows shown, and a
        // table without rows is the calendar's empty sheet.
        const QString table = cutFrom(text, marker, QStringLiteral("</table>"));
        if (table.contains(QLatin1String("About")))
            pageSaysNoData(QStringLiteral("No splits were found."));
        return table;
    };
    s.rows = 2;
    s.cols = 7;
    // Each page row one grid row, its line breaks dropped; then the title
    // row: the title in column 1 (column 0 for the recently announced
    // calendar), cell (1, 0) white and top-left aligned.
    const QString title = QLatin1String(c.title);
    s.walk = [index, title](FlexGrid &grid, const SheetSpec &decl, const QString &table) {
        forEachRow(table, [&](QStringView row) {
            QString line;
            forEachCell(row, [&](QStringView cell) { appendCellText(line, cell).append(QLatin1Char('\t')); });
            grid.AddItem(line.remove(QStringLiteral("\r\n")));
        });
        SheetWalk walk{decl, grid, 2, 0};
        for (; walk.row < grid.Rows(); ++walk.row)
            for (int col : decl.linkColumns)
                walk.linkLook(col);
        grid.setTextMatrix(1, 1, title);
        grid.setRow(1);
        grid.setCol(1);
        grid.setCellFontBold(true);
        grid.setCellBackColor(White);
        SetCell(&grid, 1, 0, QString(), 0, false, {}, 0, White);
        if (index == 3) {
            SetCell(&grid, 1, 1, QString(), 0, false, {}, 0, 0);
            SetCell(&grid, 1, 0, title, 0, true, {}, 0, White);
        }
    };
    s.headerAlign = 3;
    s.centredHeaders = {0, 1, 2, 3, 4, 5, 6};
    s.rowHeights = {{0, 1}, {1, 2}};
    switch (index) {
    case 0:
        s.headers = {"Ticker", "Company", "Amount"};
        s.aligns = {1, 1, 4};
        s.widths = {33, 33, 30, 0, 0, 0};
        break;
    case 1:
    case 2:
        s.headers = {"Ticker", "Company", "Amount", "Ex-Date", "Pay Date"};
        s.aligns = {1, 1, 4, 4, 4};
        s.widths = {15, 36, 15, 15, 15, 0, 0};
        s.linkColumns = {0};
        break;
    case 3:
        s.headers = {"Company Name", "Announce Date", "Pay Date", "Ex Date", "Amount", "Price on Announce Date",
                     "% Chg since Announce Date"};
        s.aligns = {1, 4, 4, 4, 4, 7, 7};
        s.widths = {25, 12, 12, 12, 12, 12, 12};
        break;
    default:
        s.headers = {"Ticker", "Company", "Amount"};
        s.aligns = {1, 4, 4};
        s.widths = {38, 29, 29, 0, 0, 0, 0};
        break;
    }
    s.onBadPage = SheetFailure::NoData;
    s.onOtherError = SheetFailure::Silent;
    FillSheet(s);
}
