#include "sheets/symbol/InsiderTrades.h"

#include "core/DataDir.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/TextHelpers.h"
#include "core/VbString.h"
#include "sheets/DataSheet.h"

#include <string_view>

namespace {

// The trades are the fourth table after the heading. A linked name cell,
// <td><a href="ADDRESS.html">NAME</a>, is split into two cells: the
// address (hidden column 1) and the name (column 2).
// The table's replacements, in order: a tab as a blank; "TD", "Td", "TR",
// "TH" in lower case inside the tags; then "<td><a href=\"" as "<td>" and
// ".html\">" as ".html></td><td>", in one pass: neither of the last two can
// start inside the other's text or the text it leaves.
QString insiderTable(const QString &page)
{
    // The text from the heading to the page's end, read where it stands.
    const int from = vb::InStr(page, QStringLiteral("Insider Trades"));
    const int to = vb::InStr(from, page, QStringLiteral("</html"));
    if (to < from)
        vb::raise(vb::InvalidCall);
    QString table = GetTableOf(QStringView(page).sliced(from - 1, to - from), 4);
    // Tabs are few: each is found by a fast search for it alone.
    for (qsizetype i = table.indexOf(u'\t'); i >= 0; i = table.indexOf(u'\t', i + 1))
        table[i] = u' ';
    // The tags' letters only: a name such as "THOMPSON" or "TRUST" is kept.
    table = ReplaceInTags(std::move(table), {{QStringLiteral("TD"), QStringLiteral("td")},
                                  {QStringLiteral("Td"), QStringLiteral("td")},
                                  {QStringLiteral("TR"), QStringLiteral("tr")},
                                  {QStringLiteral("TH"), QStringLiteral("th")}});
    const qsizetype n = table.size();
    static const QString link = QStringLiteral("<td><a href=\""), linkEnd = QStringLiteral(".html\">");
    QString out;
    out.reserve(n + n / 8);
    qsizetype copied = 0;
    qsizetype nextLink = table.indexOf(link), nextEnd = table.indexOf(linkEnd);
    while (nextLink >= 0 || nextEnd >= 0) {
        const bool isLink = nextEnd < 0 || (nextLink >= 0 && nextLink < nextEnd);
        const qsizetype at = isLink ? nextLink : nextEnd;
        out.append(table.constData() + copied, at - copied).append(isLink ? u"<td>" : u".html></td><td>");
        copied = at + (isLink ? link : linkEnd).size();
        if (nextLink >= 0 && nextLink < copied)
            nextLink = table.indexOf(link, copied);
        if (nextEnd >= 0 && nextEnd < copied)
            nextEnd = table.indexOf(linkEnd, copied);
    }
    out.append(table.constData() + copied, n - copied);
    return out;
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
