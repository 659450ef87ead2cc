#include "sheets/market/WorldMarkets.h"

#include "core/DataDir.h"
#include "core/GridMessage.h"
#include "core/Sites.h"
#include "core/VbString.h"
#include "sheets/DataSheet.h"
#include "sheets/SheetFetch.h"

#include <array>

namespace {

constexpr OleColor White = 0xFFFFFF;
const char *const Markers[] = {"Americas", "Asia", "Europe", "Africa"};
const char *const Titles[] = {"Americas", "Asia/Pacific", "Europe", "Africa/Middle East"};

// The four regions as parts of the page, each from its marker up to the
// next one (the last up to "</table>"); a region not found fails the page.
std::array<QStringView, 4> regions(const QString &page)
{
    std::array<QStringView, 4> texts;
    int at = vb::InStr(page, QLatin1String(Markers[0]));
    for (int i = 0; i < 4; ++i) {
        const int end = i < 3 ? vb::InStr(at, page, QLatin1String(Markers[i + 1]))
                              : vb::InStr(at, page, QStringLiteral("</table>"));
        if (end < at)
            vb::raise(vb::InvalidCall);
        texts[i] = QStringView(page).mid(at - 1, end - at);
        at = end;
    }
    return texts;
}

void regionTitle(FlexGrid &grid, int row, int region)
{
    grid.setTextMatrix(row, 1, QLatin1String(Titles[region]));
    grid.setRow(row);
    grid.setCol(1);
    grid.setCellFontBold(true);
    grid.setRowHeight(row, qRound(2.0 * BaseRowHeight));
    for (int col = 0; col < 12; ++col) {
        grid.setCol(col);
        grid.setCellBackColor(White);
    }
}

// One region's index rows from the walk's row on. The cells go to columns
// 1 on; only the last cell's link words ("News, Chart") are split, so a
// number with a thousands comma stays one value. A row without its end tag
// ends the region; a cell without its end tag fails the page.
void regionRows(SheetWalk &walk, QStringView text)
{
    forEachClosedRow(text, [&](QStringView rowText) {
        int column = 1;
        const auto put = [&](const QString &cellText) {
            if (column < walk.decl.cols)
                walk.write(column++, cellText);
        };
        walkRowCells(walk, rowText, [&](QStringView cell) {
            const QString cellText = cellTextOf(cell);
            if (!walk.lastCell)
                return put(cellText);
            for (QStringView word : QStringView(cellText).split(u','))
                put(word.trimmed().toString());
        });
        ++walk.row;
        walk.grid.AddItem(QString());
    });
}

} // namespace

void Update_WMarket()
{
    FetchSheetPage(QStringLiteral("Market.Sh"), siteUrl(Site::QuotePortal, QStringLiteral("/m2?u")),
                   QStringLiteral("Updating International Market Data"), 1000);
}

void FG_WMarket()
{
    SheetSpec s;
    s.key = QStringLiteral("WM");
    s.cachePath = DataDir + QStringLiteral("\\Cache\\DataSheet\\Market.Sh");
    s.noDataText = QStringLiteral("No Data were found");
    s.cut = [](QString received) {
        QString page = replaceAll(std::move(received), {{QStringLiteral("TABLE"), QStringLiteral("table")},
                                             {QStringLiteral("Table"), QStringLiteral("table")},
                                             {QStringLiteral("TR"), QStringLiteral("tr")},
                                             {QStringLiteral("Tr"), QStringLiteral("tr")},
                                             {QStringLiteral("\t"), QStringLiteral(" ")},
                                             {QStringLiteral("TD"), QStringLiteral("td")},
                                             {QStringLiteral("Td"), QStringLiteral("td")}});
        regions(page); // all four regions, or no sheet
        return page;
    };
    s.rows = 3;
    s.cols = 12;
    s.walk = [](FlexGrid &grid, const SheetSpec &decl, const QString &page) {
        grid.setGridLines(0);
        grid.setBackColor(0xE8FFFF);
        grid.setRowHeight(0, BaseRowHeight);
        regionTitle(grid, 1, 0);
        const std::array<QStringView, 4> texts = regions(page);
        SheetWalk walk{decl, grid, 2, 0};
        for (int i = 0; i < 4; ++i) {
            if (i > 0)
                regionTitle(grid, walk.row - 1, i);
            regionRows(walk, texts[i]);
        }
        for (int row = 2; row < grid.Rows(); ++row) {
            const QString change = grid.TextMatrix(row, 6);
            grid.setRow(row);
            grid.setCol(0);
            if (change.startsWith(QLatin1Char('-')) || change.startsWith(QLatin1Char('+'))) {
                grid.setCellPicture(change.startsWith(QLatin1Char('-')) ? QStringLiteral("DN") : QStringLiteral("UP"));
                grid.setCellPictureAlignment(4);
            }
            walk.row = row;
            for (int col : {3, 8, 9})
                walk.linkLook(col);
        }
    };
    s.aligns = {4, 1, 1, 1, 4, 7, 7, 7};
    s.centredHeaders = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    s.rowHeights = {{2, 1}, {-1, 0}, {-2, 0}};
    s.widths = {4, 20, 10, 10, 9, 12, 12, 12, 10};
    s.headers = {"", "Name", "", "Symbol", "Date", "Last Trade", "Change", "% Change", "More Info"};
    s.onBadPage = SheetFailure::NoData;
    s.onOtherError = SheetFailure::EmptyCell;
    FillSheet(s);
}
