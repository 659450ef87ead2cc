// The balance-sheet and income-statement reports.
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "platform/ScreenPointer.h"
#include "platform/Sleep.h"
#include "reports/ReportFrame.h"
#include "reports/Reports.h"

#include <QHash>
#include <QSet>

using namespace report;

namespace {

const Replacements statementTags = {
    {QStringLiteral("\t"), QStringLiteral(" ")}, {QStringLiteral("TD"), QStringLiteral("td")},
    {QStringLiteral("Td"), QStringLiteral("td")}, {QStringLiteral("TR"), QStringLiteral("tr")},
    {QStringLiteral("TH"), QStringLiteral("th")}};

// A section caption of the statement in a row of its own: the cell that
// held it closes its row and counts as column 4.
QString captionRow(const QString &caption, const QString &look)
{
    return QStringLiteral("</TD></TR><TR><TD ") + look + QStringLiteral("ROWSPAN=\"2\" COLSPAN=\"6\" VALIGN=\"BOTTOM\">") +
           caption + QStringLiteral("</TD></TR><TR>");
}

// Walks the statement's rows; cell(column, value) gives the written cell
// ("" writes nothing). captions maps a cell value to its caption row.
QString statementRows(const QString &table, const QHash<QString, QString> &captions,
                      const std::function<QString(int column, const QString &value)> &cell)
{
    QString out;
    bool first = true;
    forEachRow(table, [&](const QString &row) {
        if (!first)
            out += QStringLiteral("<tr>") + LB;
        first = false;
        int column = 0;
        forEachCell(row, [&](const QString &html) {
            QString value = cellValue(html);
            const auto caption = captions.constFind(value);
            if (caption != captions.cend()) {
                value = *caption;
                column = 4;
            }
            out += cell(column, value);
            ++column;
        });
        out += QStringLiteral("</tr>") + LB;
    });
    return out;
}

} // namespace

void Reports::H_ABS(const QString &Symbol)
{
    SymbolPage run(Symbol, QStringLiteral("_ABS.Sh"));
    if (run.skip)
        return;
    QString page = run.page;
    // Every "ii" goes as the sheet drops it, so report and sheet agree.
    page = replaced(page, statementTags + Replacements{{QStringLiteral("</font></font>"), QStringLiteral("</font>")},
                                                       {QStringLiteral("ii"), QString()}});
    const QString table = tableAfter(page, QStringLiteral("Annual Balance Sheet"));
    const QString look = QStringLiteral("HEIGHT=\"30\" ");
    const QHash<QString, QString> captions = {
        {QStringLiteral("Assets"), captionRow(QStringLiteral("<b><u>Assets</u></b>"), look)},
        {QStringLiteral("Liabilities & Shareholder's Equity"),
         captionRow(QStringLiteral("<b><u>Liabilities &amp; Shareholder's Equity</u></b>"), look)},
        {QStringLiteral("Shareholders' Equity"), captionRow(QStringLiteral("<b><u>Shareholders' Equity</u></b>"), look)}};
    QString out = head(QStringLiteral("#FFFEEA"), GetDisplayName(), QStringLiteral("Annual Balance Sheet"),
                       {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("100%")}) +
                  QStringLiteral("<TR>");
    out += statementRows(table, captions, [](int column, const QString &value) {
        if (column == 0)
            return QStringLiteral("<TD WIDTH=\"50%\"><FONT color=#484848 size=-1>") + value + QStringLiteral("</FONT></td>") + LB;
        if (column <= 5)
            return QStringLiteral("<TD ALIGN=\"RIGHT\" WIDTH=\"10%\"><FONT color=#484848 size=-1>") + value +
                   QStringLiteral("</FONT></td>") + LB;
        return QString();
    });
    publish(reportPath(QStringLiteral("Annual Balance Sheet\\") + Symbol + QStringLiteral(".htm")), out + footer());
}

void Reports::H_AIS(const QString &Symbol)
{
    SymbolPage run(Symbol, QStringLiteral("_AIS.Sh"));
    if (run.skip)
        return;
    const QString page = run.page;
    const QString table = replaced(
        tableAfter(page, QStringLiteral("Annual Income Statement")),
        statementTags + Replacements{{QStringLiteral("ii"), QString()},
                                     {QStringLiteral("<th colspan=5>"), QStringLiteral("<th>")},
                                     {QStringLiteral(" colspan=5>"), QStringLiteral("></td><td></td><td></td><td></td><td>")}});
    const QHash<QString, QString> captions = {
        {QStringLiteral("Depreciation Footnote"), captionRow(QStringLiteral("<i><u>Depreciation Footnote</u></i>"), QString())},
        {QStringLiteral("Earnings Per Share Data"), captionRow(QStringLiteral("<i><u>Earnings Per Share Data</u></i>"), QString())}};
    QString out = head(QStringLiteral("#FFFEEA"), GetDisplayName(), QStringLiteral("Annual Income Statement "),
                       {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("100%")}) +
                  QStringLiteral("<TR>");
    // The rows up to the first full one are headings; then plain and bold
    // rows in the statement's fixed order, and nothing after the 25th.
    static const QSet<int> bold = {3, 5, 8, 13, 15, 16, 19, 20, 21, 23, 24};
    short style = 0;
    out += statementRows(table, captions, [&](int column, const QString &value) {
        QString cell;
        if (column > 5 || style >= 25)
            return cell;
        if (style == 0) {
            if (column == 0)
                cell = QStringLiteral("<TH WIDTH=\"50%\" height=\"30\">") + value + QStringLiteral("&nbsp;</TH>");
            else if (column < 5)
                cell = QStringLiteral("<TH ALIGN=\"RIGHT\" WIDTH=\"10%\">") + value + QStringLiteral("<HR></TH>");
            else
                cell = QStringLiteral("<TH ALIGN=\"RIGHT\" WIDTH=\"10%\" HEIGHT=\"26\">") + value + QStringLiteral("<HR></TH>");
        } else if (bold.contains(style)) {
            cell = column == 0 ? QStringLiteral("<TD ALIGN=\"LEFT\" nowrap><B><FONT size=-1 color=#000099>") + value +
                                     QStringLiteral("</FONT></B></td>")
                               : QStringLiteral("<TD ALIGN=\"RIGHT\"><B><FONT size=-1 color=#484848>") + value +
                                     QStringLiteral("</B></FONT></td>");
        } else {
            cell = column == 0 ? QStringLiteral("<TD WIDTH=\"40%\"><FONT color=#484848 size=-1>") + value + QStringLiteral("</FONT></td>")
                               : QStringLiteral("<TD ALIGN=\"RIGHT\"><FONT color=#484848 size=-1>") + value +
                                     QStringLiteral("</FONT></td>");
        }
        if (column == 5)
            ++style;
        return cell + LB;
    });
    publish(reportPath(QStringLiteral("Annual Income statement\\") + Symbol + QStringLiteral(".htm")), out + footer());
}
