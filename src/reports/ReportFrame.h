#pragma once

#include "platform/ScreenPointer.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <utility>

// What every HTML report shares: the paths, the footer, the cut of the data
// table, the row and cell walk, and writing the page and opening it.
namespace report {

inline const QString LB = QStringLiteral("\r\n");

using Replacements = QList<std::pair<QString, QString>>;

// "<DataDir>\Cache\DataSheet\" + name, read whole; "" when missing.
QString cachedPage(const QString &name);
// The start of a report of one symbol's cached page: the hourglass while the
// report runs, and the page read whole. For an empty symbol `skip` is set:
// nothing is read, written or opened.
struct SymbolPage
{
    SymbolPage(const QString &symbol, const QString &suffix);
    HourglassPointer busy;
    bool skip = false;
    QString page;
};

// "<DataDir>\Cache\Reports\" + relative.
QString reportPath(const QString &relative);

// Every occurrence of each `from`, in list order, case-sensitive.
QString replaced(QString text, const Replacements &steps);

// 1-based position of find at or after start (1-based), 0 when absent; a
// start past the end or below 1 finds nothing.
qsizetype find(const QString &text, const QString &what, qsizetype start = 1);
// From position `from` (1-based, included) up to `to` (excluded).
QString piece(const QString &text, qsizetype from, qsizetype to);
// From the first anchor: the next "<table" up to, not including, the next
// "</table>" after it; "" when any of the three is missing.
QString tableAfter(const QString &text, const QString &anchor);
// From the first `start` up to, not including, the next `end` after it; the
// whole text when either is missing.
QString partOrWhole(const QString &text, const QString &start, const QString &end);

// Calls f with each open..close piece (the opening tag included, the closing
// one not), the next search starting at the close found. A piece without its
// close ends the walk, so a damaged page can neither loop nor repeat.
void forEachPiece(const QString &text, const QString &open, const QString &close,
                  const std::function<void(const QString &)> &f);
inline void forEachRow(const QString &table, const std::function<void(const QString &)> &f)
{
    forEachPiece(table, QStringLiteral("<tr"), QStringLiteral("</tr>"), f);
}
inline void forEachCell(const QString &row, const std::function<void(const QString &)> &f)
{
    forEachPiece(row, QStringLiteral("<td"), QStringLiteral("</td>"), f);
}

// A cell's text in a report: tags dropped, "&amp;" as "&"; trimmed or not.
QString cellValue(const QString &cellHtml, bool trim = true);

// The date and time a generated page carries (the reports' clock, in the
// locale's short forms).
QString stamp();

// The last line of every generated page: when it was written, and the
// page closed.
QString pageEnd();
// The closing text of every report page: its table closed, then pageEnd.
QString footer();

// The page head and table head of a report (see Reports::PageHead).
QString head(const QString &bgColor, const QString &title, const QString &subTitle, const QStringList &table);

// Writes the page (and one line break) as 8-bit text over any earlier file,
// creating the report's folder when missing, and opens it in the browser.
// A page that cannot be written is said so and not opened: false then.
bool publish(const QString &path, const QString &page);

// The code in an option's name: between its first "(" and the ")" after
// it, trimmed; "" when the name has no such pair.
QString optionCode(const QString &name);

// The cached short-interest page with its table tags in one case.
QString shortInterestText(const QString &page);
// A filings value holding a quoted target as a link to it, followed by
// its text; a lone quote leaves the value as it is.
QString filingLink(const QString &value);

// The insider trades: the fourth table of the page part, with a linked
// name made two cells, the name's page path and then the name.
QString insiderTable(QString part);
// The seven headings of the insider trades.
QStringList insiderHeadings();

// The rows of an earnings table from its stacked values, one a cell with
// empty cells skipped: when `labelsFirst`, the first `rows` values label
// the rows (else `labels` holds the row labels, already formatted); the
// next rows x perRow values fill the rows column by column; more are
// dropped. Every row is written, "<tr>" label values .. "</tr>" and a line
// break at the end. Pending events run after each cell when `labelsFirst`.
QString earningsRows(const QString &values, int rows, int perRow, bool labelsFirst,
                     const std::function<QString(const QString &)> &labelCell,
                     const std::function<QString(const QString &)> &valueCell, QStringList labels);

} // namespace report
