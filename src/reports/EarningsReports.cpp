// The four reports of a cached earnings-estimates page. The page's value
// cells hold one value a line; each report rebuilds a table of one row per
// label with that row's values from left to right.
#include "core/Stocks.h"
#include "platform/ScreenPointer.h"
#include "platform/Sleep.h"
#include "reports/ReportFrame.h"
#include "reports/Reports.h"

#include <QList>

using namespace report;

namespace {

struct EarningsTable
{
    const char *file;
    const char *subTitle;
    Replacements tags;
    bool labelList;        // labels are the first values, not a table of their own
    const char *anchor;    // the table's anchor
    const char *headingAnchor;
    bool breakBeforeParen; // "(" of a heading starts a new line
    int rows;
    int values;
    int headings;          // heading cells used, by position from 1
    const char *corner;
    const char *headingOpen;
    const char *headingClose;
    const char *afterHeadings;
    const char *labelOpen;
    const char *labelClose;
    const char *valueOpen;
    const char *valueClose;
};

// From the first `from` at or after start up to, not including, the next
// `to`: the piece and where `to` stood. A search that fails gives an empty
// piece (and 0) rather than text cut from elsewhere.
std::pair<QString, qsizetype> cut(const QString &text, qsizetype start, const QString &from, const QString &to)
{
    const qsizetype a = start ? find(text, from, start) : 0;
    const qsizetype b = a ? find(text, to, a) : 0;
    return b ? std::pair{piece(text, a, b), b} : std::pair{QString(), qsizetype(0)};
}

QString value(const QString &html)
{
    return cellValue(html, false);
}

void earningsReport(const QString &symbol, const EarningsTable &t)
{
    SymbolPage run(symbol, QStringLiteral("_ee.Sh"));
    if (run.skip)
        return;
    QString page = run.page;
    page = replaced(page, Replacements{{QStringLiteral("\n"), QStringLiteral(" ")}, {QStringLiteral("\t"), QStringLiteral(" ")}} + t.tags);

    const QString anchor = QLatin1String(t.anchor);
    QString heading, labels, values;
    if (!t.labelList) {
        const qsizetype h = find(page, QLatin1String(t.headingAnchor));
        heading = cut(page, h, QStringLiteral("<tr>"), QStringLiteral("<table")).first;
        const qsizetype a = find(page, anchor);
        const auto [labelTable, end] = cut(page, a, QStringLiteral("<table"), QStringLiteral("</table>"));
        labels = labelTable;
        values = cut(page, end, QStringLiteral("</td>"), QStringLiteral("</tr>")).first;
    } else {
        const qsizetype a = find(page, anchor);
        const auto [headingRow, end] = cut(page, a, QStringLiteral("<tr>"), QStringLiteral("</tr>"));
        heading = headingRow;
        values = cut(page, end, QStringLiteral("<tr>"), QStringLiteral("</tr>")).first;
    }
    if (t.breakBeforeParen)
        heading.replace(QStringLiteral("("), LB + QStringLiteral("("));
    values.replace(QStringLiteral("<br>"), QStringLiteral("</td><td></td><td>"));

    QString out = head(QStringLiteral("#FFFEEA"), GetDisplayName(), QLatin1String(t.subTitle),
                       {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("100%")}) +
                  QLatin1String(t.corner) + LB;
    int number = 0;
    forEachPiece(heading, QStringLiteral("<th"), QStringLiteral("</th>"), [&](const QString &html) {
        const QString v = value(html);
        if (++number <= t.headings && !v.isEmpty())
            out += QLatin1String(t.headingOpen) + v + QLatin1String(t.headingClose) + LB;
    });
    out += QLatin1String(t.afterHeadings);

    QStringList rowLabels(t.rows);
    const auto labelCell = [&](const QString &v) { return QLatin1String(t.labelOpen) + v + QLatin1String(t.labelClose) + LB; };
    const auto valueCell = [&](const QString &v) { return QLatin1String(t.valueOpen) + v + QLatin1String(t.valueClose) + LB; };
    if (!t.labelList) {
        int n = 0;
        forEachRow(labels, [&](const QString &row) {
            const QString v = value(row);
            if (++n <= t.rows && !v.isEmpty())
                rowLabels[n - 1] = labelCell(v);
        });
    }
    out += earningsRows(values, t.rows, t.values, t.labelList, labelCell, valueCell, rowLabels);
    publish(reportPath(QStringLiteral("Earnings\\") + symbol + QLatin1String(t.file)), out + footer());
}

const Replacements ecTags = {{QStringLiteral("TR"), QStringLiteral("tr")}, {QStringLiteral("TD"), QStringLiteral("td")},
                             {QStringLiteral("Td"), QStringLiteral("td")}, {QStringLiteral("TH"), QStringLiteral("th")},
                             {QStringLiteral("Th"), QStringLiteral("th")}};
const Replacements allTags = {{QStringLiteral("TR"), QStringLiteral("tr")}, {QStringLiteral("Tr"), QStringLiteral("tr")},
                              {QStringLiteral("TD"), QStringLiteral("td")}, {QStringLiteral("Td"), QStringLiteral("td")},
                              {QStringLiteral("TH"), QStringLiteral("th")}, {QStringLiteral("Th"), QStringLiteral("th")}};

const char *const wideCorner = "<TR><th align=\"center\" width=\"40%\" height=\"50\" nowrap>&nbsp;</th>";
const char *const estimateHeading = "<th align=\"center\" width=\"15%\" height=\"50\">";
const char *const historyHeading = "<th align=\"center\" width=\"12%\">";
const char *const greyValue = "<td align=\"center\"><FONT color=#484848>";
const char *const historyLabel = "<td align=\"left\"><b><FONT>";

} // namespace

void Reports::H_EC(const QString &Symbol)
{
    earningsReport(Symbol, {" Consensus EPS Trend.Htm", "Consensus EPS Trend", ecTags, false, "Consensus EPS Trend",
                            "Earnings Estimates &amp;", true, 5, 4, 4, wideCorner, estimateHeading, "<HR></th>",
                            "</tr>\r\n", "<td align=\"Left\"><B>", "</b></td>", "<td align=\"center\">", "</td>"});
}

void Reports::H_ER(const QString &Symbol)
{
    earningsReport(Symbol, {"Earnings Estimates.htm", "Earnings Estimates", allTags, false, "Earnings Estimates<br>",
                            "Earnings Estimates &amp;", true, 6, 4, 4, wideCorner, estimateHeading, "<HR></th>",
                            "</tr>\r\n", "<td align=\"Left\"><B><FONT>", "</font></b></td>", greyValue, "</font></td>"});
}

void Reports::H_EH(const QString &Symbol)
{
    earningsReport(Symbol, {" Earnings History.Htm", "Earnings History", allTags, true, "Earnings History",
                            "Earnings History", false, 4, 5, 6,
                            "<TR><th align=\"left\" width=\"28%\" height=\"50\" nowrap>&nbsp;</th>", historyHeading,
                            "<HR></th>", "", historyLabel, "</font></b></td>", greyValue, "</font></td>"});
}

void Reports::H_EG(const QString &Symbol)
{
    earningsReport(Symbol, {" Earnings Growth.Htm", "Earnings Growth", allTags, true, "Earnings Growth",
                            "Earnings Growth", true, 3, 6, 7,
                            "<TR><th align=\"left\" width=\"16%\" height=\"50\" nowrap>&nbsp;</th>", historyHeading,
                            "<HR></th>", "", historyLabel, "</font></b></td>", greyValue, "</font></td>"});
}
