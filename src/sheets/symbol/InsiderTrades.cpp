#include "sheets/symbol/InsiderTrades.h"

#include "core/DataDir.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/TextHelpers.h"
#include "core/VbString.h"
#include "sheets/DataSheet.h"

#include <cstring>
#include <string_view>
#include <vector>

namespace {

// "<td><a href=\"" as "<td>" and ".html\">" as ".html></td><td>", in one
// pass: neither can start inside the other's text or the text it leaves.
// Where each link's opening comes before its end the text never grows past
// what was read, so it is rewritten where it stands; otherwise into a copy.
QString splitLinkCells(QString table)
{
    static const QString link = QStringLiteral("<td><a href=\""), linkEnd = QStringLiteral(".html\">");
    static constexpr std::u16string_view linkCell = u"<td>", cellsAround = u".html></td><td>";
    struct Hit
    {
        qsizetype at;
        bool isLink;
    };
    std::vector<Hit> hits;
    qsizetype growth = 0, mostGrowth = 0;
    qsizetype nextLink = table.indexOf(link), nextEnd = table.indexOf(linkEnd);
    for (qsizetype copied = 0; nextLink >= 0 || nextEnd >= 0;) {
        const bool isLink = nextEnd < 0 || (nextLink >= 0 && nextLink < nextEnd);
        const qsizetype at = isLink ? nextLink : nextEnd;
        hits.push_back({at, isLink});
        growth += isLink ? qsizetype(linkCell.size()) - link.size() : qsizetype(cellsAround.size()) - linkEnd.size();
        mostGrowth = qMax(mostGrowth, growth);
        copied = at + (isLink ? link : linkEnd).size();
        if (nextLink >= 0 && nextLink < copied)
            nextLink = table.indexOf(link, copied);
        if (nextEnd >= 0 && nextEnd < copied)
            nextEnd = table.indexOf(linkEnd, copied);
    }
    const qsizetype n = table.size();
    const bool inPlace = mostGrowth == 0;
    QString copy(inPlace ? 0 : n + growth, Qt::Uninitialized);
    QChar *out = inPlace ? table.data() : copy.data();
    const QChar *in = table.constData();
    qsizetype written = 0, copied = 0;
    const auto put = [&](const QChar *from, qsizetype count) {
        std::memmove(out + written, from, size_t(count) * sizeof(QChar));
        written += count;
    };
    for (const Hit &hit : hits) {
        put(in + copied, hit.at - copied);
        const std::u16string_view with = hit.isLink ? linkCell : cellsAround;
        put(reinterpret_cast<const QChar *>(with.data()), qsizetype(with.size()));
        copied = hit.at + (hit.isLink ? link : linkEnd).size();
    }
    put(in + copied, n - copied);
    QString &result = inPlace ? table : copy;
    result.truncate(written);
    return std::move(result);
}

// The trades are the fourth table after the heading. A linked name cell,
// <td><a href="ADDRESS.html">NAME</a>, is split into two cells: the
// address (hidden column 1) and the name (column 2).
// The table's replacements, in order: a tab as a blank; "TD", "Td", "TR",
// "TH" in lower case inside the tags; then "<td><a href=\"" as "<td>" and
// ".html\">" as ".html></td><td>", in one pass: neither of the last two can
// start inside the other's text or the text it leaves.
QString insiderTable(QString page)
{
    // The text from the heading to the page's end, cut where it stands.
    const int from = vb::InStr(page, QStringLiteral("Insider Trades"));
    const int to = vb::InStr(from, page, QStringLiteral("</html"));
    if (to < from)
        vb::raise(vb::InvalidCall);
    page.truncate(to - 1);
    page.remove(0, from - 1);
    QString table = GetTableOf(std::move(page), 4);
    // Tabs are few: each is found by a fast search for it alone.
    for (qsizetype i = table.indexOf(u'\t'); i >= 0; i = table.indexOf(u'\t', i + 1))
        table[i] = u' ';
    // The tags' letters only: a name such as "THOMPSON" or "TRUST" is kept.
    table = ReplaceInTags(std::move(table), {{QStringLiteral("TD"), QStringLiteral("td")},
                                  {QStringLiteral("Td"), QStringLiteral("td")},
                                  {QStringLiteral("TR"), QStringLiteral("tr")},
                                  {QStringLiteral("TH"), QStringLiteral("th")}});
    return splitLinkCells(std::move(table));
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
