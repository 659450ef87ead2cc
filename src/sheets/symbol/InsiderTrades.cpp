#include "sheets/symbol/InsiderTrades.h"

#include "core/DataDir.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/TextHelpers.h"
#include "sheets/DataSheet.h"

namespace {

// The trades are the fourth table after the heading. A linked name cell,
// <td><a href="ADDRESS.html">NAME</a>, is split into two cells: the
// address (hidden column 1) and the name (column 2).
QString insiderTable(const QString &page)
{
    QString text = cutFrom(page, QStringLiteral("Insider Trades"), QStringLiteral("</html"));
    const QString table = GetTable(text, 4);
    return replaceAll(table, {
                                 {QStringLiteral("\t"), QStringLiteral(" ")},
                                 {QStringLiteral("TD"), QStringLiteral("td")},
                                 {QStringLiteral("Td"), QStringLiteral("td")},
                                 {QStringLiteral("TR"), QStringLiteral("tr")},
                                 {QStringLiteral("TH"), QStringLiteral("th")},
                                 {QStringLiteral("<td><a href=\""), QStringLiteral("<td>")},
                                 {QStringLiteral(".html\">"), QStringLiteral(".html></td><td>")},
                             });
}

} // namespace

void FG_IT()
{
    SheetSpec s;
    s.key = QStringLiteral("IT");
    s.cachePath = DataDir + QStringLiteral("\\Cache\\DataSheet\\") + CurSymbol + QStringLiteral("_it.Sh");
    s.noDataText = QStringLiteral("Brindlewick do not have additional information for ") + GetDisplayName();
    s.hourglass = true;
    s.cut = insiderTable;

    s.rows = 3;
    s.cols = 8;
    s.firstRow = 1; // the table's header row (th cells, not read) lands under the title
    s.nextRowHeight = 0;
    s.linkColumns = {2};

    s.aligns = {4, 1, 1, 1, 4, 1, 7, 7};
    s.centredHeaders = {0, 1, 2, 3, 4, 5, 6, 7};
    s.topRow = 1;
    s.title.text = GetDisplayName() + QStringLiteral("\r\nInsider Trades");
    s.title.col = 2;
    s.title.align = 4;
    s.title.textStyle = 3;
    s.title.backColor = 0xFFFFFF;
    s.rowHeights = {{0, 1}, {1, 3}, {-2, 0}, {-1, 0}};
    s.widths = {13, 0, 30, 12, 10, 10, 10, 12};
    s.headers = {"Date", "", "Name", "Action", "Shares", "Type", "Price", "Value"};

    s.onBadPage = SheetFailure::NoData;
    s.onOtherError = SheetFailure::EmptyCell;
    FillSheet(s);
}
