// The insider-trades, filings and short-interest reports, and the members
// of the report family that write nothing.
#include "core/DataDir.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "core/TextHelpers.h"
#include "platform/ScreenPointer.h"
#include "platform/Sleep.h"
#include "reports/ReportFrame.h"
#include "sheets/symbol/QuarterlyReports.h"
#include "reports/Reports.h"

using namespace report;

namespace {

QString headings(const QStringList &cells)
{
    QString out;
    for (const QString &cell : cells)
        out += cell + LB;
    return out;
}

const QStringList frame100(const char *border, const char *spacing, const char *padding)
{
    return {QLatin1String(border), QLatin1String(spacing), QLatin1String(padding), QStringLiteral("100%")};
}

} // namespace

void Reports::H_IT(const QString &Symbol)
{
    SymbolPage run(Symbol, QStringLiteral("_it.Sh"));
    if (run.skip)
        return;
    const QString page = run.page;
    const QString table = insiderTable(partOrWhole(page, QStringLiteral("Insider Trades"), QStringLiteral("</html")));
    QString out = head(QString(), GetDisplayName(), QStringLiteral("Insiders Traders"), frame100("1", "0", "0")) +
                  QStringLiteral("<TR>") + headings(insiderHeadings()) + QStringLiteral("</TR>") + LB + QStringLiteral("<TR>");
    const QString portal = QStringLiteral("http://") + siteHost(Site::FinancePortal) + QLatin1Char('/');
    bool first = true;
    forEachRow(table, [&](const QString &row) {
        if (!first)
            out += QStringLiteral("<tr>") + LB;
        first = false;
        int column = 0;
        QString path;
        forEachCell(row, [&](const QString &html) {
            const QString value = cellValue(html);
            const QString close = QStringLiteral("</Font></td>") + LB;
            switch (column++) {
            case 0:
                out += QStringLiteral("<TD ALIGN=\"CENTER\" Height =30><FONT size=-1 color=#151515>") + value + close;
                break;
            case 1:
                path = value;
                break;
            case 2:
                out += QStringLiteral("<TD ALIGN=\"LEFT\"><a href=\"") + portal + path + QStringLiteral("\"><small>") + value +
                       QStringLiteral("<small></a></Font></td>") + LB;
                break;
            case 3:
                out += QStringLiteral("<TD ALIGN=\"LEFT\"><FONT size=-1 color=#151515>") + value + close;
                break;
            case 5:
                out += QStringLiteral("<TD ALIGN=\"CENTER\"><FONT size=-1 color=#151515>") + value + close;
                break;
            case 4:
            case 6:
            case 7:
                out += QStringLiteral("<TD ALIGN=\"RIGHT\"><FONT size=-1 color=#151515>") + value + close;
                break;
            default:
                break;
            }
        });
        out += QStringLiteral("</tr>") + LB;
    });
    publish(reportPath(QStringLiteral("Insiders Traders\\") + Symbol + QStringLiteral(".htm")), out + footer());
}

void Reports::H_QR(const QString &Symbol)
{
    SymbolPage run(Symbol, QStringLiteral("_qr.Sh"));
    if (run.skip)
        return;
    const QString page = run.page;
    // After this a linked text reads as its quoted target and its text; a
    // colon splits a cell.
    const QString part = filingsText(partOrWhole(page, QStringLiteral("Sort By"), QStringLiteral("</html")));
    // The table after the one holding "Sort By", without its first row.
    QString table;
    const qsizetype sortBy = find(part, QStringLiteral("Sort By"));
    const qsizetype endFirst = sortBy ? find(part, QStringLiteral("</table>"), sortBy) : 0;
    const qsizetype open = endFirst ? find(part, QStringLiteral("<table"), endFirst) : 0;
    const qsizetype row = open ? find(part, QStringLiteral("<tr"), open) : 0;
    const qsizetype rowEnd = row ? find(part, QStringLiteral("</tr"), row) : 0;
    const qsizetype close = rowEnd ? find(part, QStringLiteral("</table>"), rowEnd) : 0;
    if (close)
        table = piece(part, rowEnd, close);

    QString out = head(QStringLiteral("#FFFEEA"), GetDisplayName(), QStringLiteral("Quarterly Reports "), frame100("0", "1", "0")) +
                  QStringLiteral("<TR>") +
                  headings({QStringLiteral("<TH ALIGN=\"LEFT\" WIDTH=\"15%\" HEIGHT=\"26\">Date<HR></th>"),
                            QStringLiteral("<TH ALIGN=\"LEFT\" WIDTH=\"15%\">Filings<HR></th>"),
                            QStringLiteral("<TH ALIGN=\"LEFT\" WIDTH=\"70%\">More Info<HR></th>")}) +
                  QStringLiteral("</TR>") + LB + QStringLiteral("<TR>");
    bool first = true;
    forEachRow(table, [&](const QString &rowHtml) {
        if (!first)
            out += QStringLiteral("<tr>") + LB;
        first = false;
        int count = 0;
        forEachCell(rowHtml, [&](const QString &html) {
            const QString value = filingLink(cellValue(html));
            if (value.isEmpty())
                return;
            if (count % 4 != 3)
                out += QStringLiteral("<TD><FONT color=#484848 size=-1>") + value + QStringLiteral("</FONT></td>") + LB;
            ++count;
        });
        out += QStringLiteral("</tr>") + LB;
    });
    publish(reportPath(QStringLiteral("Quarterly Reports\\") + Symbol + QStringLiteral(" Quarterly Reports.htm")),
            out + footer());
}

void Reports::H_SI(const QString &Symbol)
{
    // The page of the symbol asked for, whichever stock is selected.
    SymbolPage run(Symbol, QStringLiteral("_SI.Sh"));
    if (run.skip)
        return;
    const QString page = shortInterestText(run.page);
    const qsizetype cover = find(page, QStringLiteral("Cover"));
    const qsizetype end = cover ? find(page, QStringLiteral("</table>"), cover) : 0;
    const QString table = end ? piece(page, cover, end) : QString();
    QString out = head(QStringLiteral("#FFFEEA"), GetDisplayName(), QStringLiteral("Short Interest"), frame100("0", "4", "1")) +
                  QStringLiteral("<TR>") +
                  headings({QStringLiteral("<TH ALIGN=\"CENTER\"  nowrap>Settlement Date<HR></th>"),
                            QStringLiteral("<TH ALIGN=\"CENTER\"  nowrap>Short Interest<HR></th>"),
                            QStringLiteral("<TH ALIGN=\"CENTER\"  nowrap>Avg Daily Share Volume<HR></th>"),
                            QStringLiteral("<TH ALIGN=\"CENTER\"  nowrap>Days to Cover<HR></th>")}) +
                  QStringLiteral("<tr>");
    forEachRow(table, [&](const QString &row) {
        int column = 0;
        forEachCell(row, [&](const QString &html) {
            out += (column++ == 0 ? QStringLiteral("<TD ALIGN=\"left\"><FONT size=-1 color=#151515>")
                                  : QStringLiteral("<TD ALIGN=\"right\"><FONT size=-1 color=#484848>")) +
                   cellValue(html) + QStringLiteral("</Font></td>") + LB;
        });
        out += QStringLiteral("</TR>") + LB + QStringLiteral("<TR>");
    });
    publish(reportPath(QStringLiteral("Misc\\") + Symbol + QStringLiteral(" Short Interest.Htm")),
            out + QStringLiteral("</TR>") + footer());
}

// Reads the cached downgrades table; it keeps nothing and writes nothing.
void Reports::H_Downgrade()
{
    QString page = ReadFile(DataDir + QStringLiteral("/Cache/DataSheet/UpDown.Sh"));
    DoEvents();
    page = replaced(page, {{QStringLiteral("TH"), QStringLiteral("td")},
                           {QStringLiteral("Th"), QStringLiteral("td")},
                           {QStringLiteral("&#187;"), QString()},
                           {QStringLiteral("\t"), QString()}});
    ReplaceFromArray(page, {Variant(QStringLiteral("TABLE")), Variant(QStringLiteral("Table")), Variant(QStringLiteral("TR")),
                            Variant(QStringLiteral("Tr")), Variant(QStringLiteral("TD")), Variant(QStringLiteral("Td"))});
    const QString table = tableAfter(page, QStringLiteral("<big><b>Downgrades</b></big>"));
    forEachRow(table, [](const QString &row) { forEachCell(row, [](const QString &html) { cellValue(html); }); });
}

void Reports::H_Los() {}

// The top earnings surprises have no report of their own.
void Reports::H_SP() {}
