// The summary's tables cut from the cached statement, split, analyst,
// broker, filings and short-interest pages.
#include "core/SharedState.h"
#include "core/TextHelpers.h"
#include "platform/ScreenPointer.h"
#include "platform/Sleep.h"
#include "reports/ReportFrame.h"
#include "sheets/symbol/QuarterlyReports.h"
#include "reports/Summery.h"
#include "sheets/symbol/AnalystSheets.h"

#include <QSet>

using namespace report;

namespace {

const QString NoData = QStringLiteral("<FONT Size=-1>No Data Available.</FONT>");
const QString Striped = QStringLiteral(R"(<TR BGCOLOR="#FFFEEA">)");

const Replacements tabAndCells = {{QStringLiteral("\t"), QStringLiteral(" ")},
                                  {QStringLiteral("TD"), QStringLiteral("td")},
                                  {QStringLiteral("Td"), QStringLiteral("td")}};
const Replacements tableTags = {{QStringLiteral("TABLE"), QStringLiteral("table")},
                                {QStringLiteral("Table"), QStringLiteral("table")}};

// The analyst pages name their data vendor everywhere; the summary leaves
// it out, as the analyst sheets do.
QString withoutVendor(QString text)
{
    const QString vendor = QLatin1String(AnalystProvider);
    return text.remove(vendor).remove(vendor.toLower());
}

QString arialHeading(const char *align, const char *width, const char *text, bool first)
{
    return QStringLiteral(R"(<TH ALIGN=")") + QLatin1String(align) + QStringLiteral(R"(" WIDTH=")") + QLatin1String(width) +
           (first ? QStringLiteral(R"(" HEIGHT="26">)") : QStringLiteral(R"(">)")) +
           QStringLiteral(R"(<Font size=-1 Face="Arial">)") + QLatin1String(text) + QStringLiteral("</Font><HR></th>");
}

const QString GreyArial = QStringLiteral(R"(<TD><FONT color=#484848 size=-1 Face="Arial">)");
const QString FontEnd = QStringLiteral("</FONT></td>");

} // namespace

QString Summery::S_ABS()
{
    const QString page = replaced(cachePage(QStringLiteral("Processing Annual Balance Sheet report, please wait.."), QStringLiteral("_ABS.Sh")),
                                  tabAndCells + Replacements{{QStringLiteral("TR"), QStringLiteral("tr")},
                                                             {QStringLiteral("TH"), QStringLiteral("th")},
                                                             {QStringLiteral("</font></font>"), QStringLiteral("</font>")},
                                                             // as the balance-sheet sheet and report drop it
                                                             {QStringLiteral("ii"), QString()}});
    return orElse(
        [&] {
            const qsizetype open = need(page, QStringLiteral("<table"), need(page, QStringLiteral("Annual Balance Sheet")));
            const QString table = piece(page, open, need(page, QStringLiteral("</table>"), open));
            const auto caption = [](const QString &text) {
                return QStringLiteral(R"(</TD></TR><TR><TD HEIGHT="30" ROWSPAN="2" COLSPAN="6" VALIGN="BOTTOM"><b><u>)") + text +
                       QStringLiteral("</u></b></TD></TR><TR>");
            };
            const QString wide = QStringLiteral(R"(<TD ALIGN="RIGHT" WIDTH="10%"><FONT color=#484848 size=-1>)");
            Rows rows{QString(), Striped, Striped + LB};
            forEachRow(table, [&](const QString &row) {
                int n = 0;
                bool captioned = false; // a caption row drops the rest of its source row
                forEachCell(row, [&](const QString &html) {
                    const QString text = cellValue(html);
                    if (captioned)
                        return;
                    if (text == QLatin1String("Assets") || text == QLatin1String("Shareholders' Equity")) {
                        rows.cell(wide, caption(text), QStringLiteral("</FONT></td>"));
                        captioned = true;
                    } else if (text == QLatin1String("Liabilities & Shareholder's Equity")) {
                        rows.cell(wide, caption(QStringLiteral("Liabilities &amp; Shareholder's Equity")), QStringLiteral("</FONT></td>"));
                        captioned = true;
                    } else if (n > 5) {
                        return;
                    } else if (n == 0) {
                        rows.cell(QStringLiteral(R"(<TD WIDTH="50%"><FONT color=#484848 size=-1 Face="Times New Roman">)"), text,
                                  QStringLiteral("</FONT></td>"));
                        ++n;
                    } else {
                        rows.cell(wide, text, QStringLiteral("</FONT></td>"));
                        ++n;
                    }
                });
                rows.end();
            });
            return rows.out;
        },
        QString());
}

QString Summery::S_AIS()
{
    const QString page = replaced(cachePage(QStringLiteral("Processing Annual Income Statement report, please wait.."), QStringLiteral("_AIS.Sh")),
                                  tabAndCells + Replacements{{QStringLiteral("TR"), QStringLiteral("tr")},
                                                             {QStringLiteral("TH"), QStringLiteral("th")},
                                                             {QStringLiteral("ii"), QString()},
                                                             {QStringLiteral("<th colspan=5>"), QStringLiteral("<th>")},
                                                             {QStringLiteral(" colspan=5>"), QStringLiteral("></td><td></td><td></td><td></td><td>")}});
    return orElse(
        [&] {
            const qsizetype open = need(page, QStringLiteral("<table"), need(page, QStringLiteral("Annual Income Statement")));
            const QString table = piece(page, open, need(page, QStringLiteral("</table>"), open));
            // The statement's first full row is its heading; then plain and
            // bold rows in its fixed order, and nothing after the 25th.
            static const QSet<int> bold = {3, 5, 8, 13, 15, 16, 19, 20, 21, 23, 24};
            int style = 0;
            Rows rows{QString(), Striped, Striped + LB};
            const auto write = [&](int n, const QString &text) {
                if (style > 24)
                    return;
                if (style == 0) {
                    if (n == 0)
                        rows.cell(QStringLiteral(R"(<TH WIDTH="50%" height="30">)"), text, QStringLiteral("&nbsp;</TH>"));
                    else if (n < 5)
                        rows.cell(QStringLiteral(R"(<TH ALIGN="RIGHT" WIDTH="10%">)"), text, QStringLiteral("<HR></TH>"));
                    else
                        rows.cell(QStringLiteral(R"(<TH ALIGN="RIGHT" WIDTH="10%" HEIGHT="26">)"), text, QStringLiteral("<HR></TH>"));
                } else if (bold.contains(style)) {
                    if (n == 0)
                        rows.cell(QStringLiteral(R"(<TD ALIGN="LEFT" nowrap><B><FONT size=-1 color=#000099 Face="Times New Roman">)"), text,
                                  QStringLiteral("</FONT></B></td>"));
                    else
                        rows.cell(QStringLiteral(R"(<TD ALIGN="RIGHT"><B><FONT size=-1 color=#484848>)"), text, QStringLiteral("</B></FONT></td>"));
                } else {
                    if (n == 0)
                        rows.cell(QStringLiteral(R"(<TD WIDTH="40%"><FONT color=#484848 size=-1 Face="Times New Roman">)"), text,
                                  QStringLiteral("</FONT></td>"));
                    else
                        rows.cell(QStringLiteral(R"(<TD ALIGN="RIGHT"><FONT color=#484848 size=-1>)"), text, QStringLiteral("</FONT></td>"));
                }
                if (n == 5)
                    ++style;
            };
            forEachRow(table, [&](const QString &row) {
                int n = 0;
                forEachCell(row, [&](const QString &html) {
                    const QString text = cellValue(html);
                    if (text == QLatin1String("Depreciation Footnote") || text == QLatin1String("Earnings Per Share Data")) {
                        n = 5; // written as the row's last cell
                        write(n++, QStringLiteral(R"(</TD></TR><TR><TD ROWSPAN="2" COLSPAN="6" VALIGN="BOTTOM"><i><u>)") + text +
                                       QStringLiteral("</u></i></TD></TR><TR>"));
                    } else if (n <= 5) {
                        write(n++, text);
                    }
                });
                rows.end(QStringLiteral("</TR>"));
            });
            return rows.out;
        },
        QString());
}

QString Summery::S_SP()
{
    const QString page = cachePage(QStringLiteral("Processing stock split history report, please wait.."), QStringLiteral("_sp.Sh"));
    return orElse(
        [&] {
            const qsizetype from = need(page, QStringLiteral("If Splits"));
            qsizetype to = find(page, QStringLiteral("</Table>"), from);
            if (to == 0)
                to = need(page, QStringLiteral("</TABLE>"), from);
            const QString table = replaced(piece(page, from, to), tabAndCells + Replacements{{QStringLiteral("TR"), QStringLiteral("tr")},
                                                                                              {QStringLiteral("Tr"), QStringLiteral("tr")}});
            QStringList headings;
            bool first = true;
            for (const char *h : {"Type", "Amount", "Ex-Date", "Rec-Date", "Pay-Date", "An-Date"}) {
                headings << QStringLiteral(R"(<TH ALIGN="CENTER" WIDTH="16.6%")") + (first ? QStringLiteral(R"( HEIGHT="26">)") : QStringLiteral(">")) +
                                QStringLiteral(R"(<Font Size=-1 Face="Arial">)") + QLatin1String(h) + QStringLiteral("</Font><HR></th>");
                first = false;
            }
            Rows rows{QString(), headingRow(headings)};
            int seen = 0;
            forEachRow(table, [&](const QString &row) {
                if (seen++ >= 3) { // the table's title and heading rows
                    int n = 0;
                    forEachCell(row, [&](const QString &html) {
                        if (n < 5)
                            rows.cell(QStringLiteral(R"(<TD ALIGN="CENTER"><FONT color=#484848 size=-1 Face="Arial">)"), cellValue(html), FontEnd);
                        else if (n == 5)
                            rows.cell(QStringLiteral(R"(<TD ALIGN="CENTER" WIDTH="10%"><FONT color=#484848 size=-1 Face="Arial">)"),
                                      cellValue(html), FontEnd);
                        ++n;
                    });
                }
                rows.end();
            });
            return rows.out;
        },
        NoData);
}

namespace {

// The upgrades and downgrades histories: type, broker and comment rows.
// (need and headingRow are the section builders' own.)
template <typename Need, typename Heading>
QString history(const QString &page, const char *from, const char *to, const char *tableEnd, Need need, Heading headingRow)
{
    const qsizetype start = need(page, QLatin1String(from), 1);
    // The tags' letters only: a broker's name keeps its capitals.
    QString block = withoutVendor(ReplaceInTags(replaced(piece(page, start, need(page, QLatin1String(to), start)),
                                                         {{QStringLiteral("\t"), QStringLiteral(" ")}}),
                                                tableTags + Replacements{{QStringLiteral("TR"), QStringLiteral("tr")},
                                                                         {QStringLiteral("Tr"), QStringLiteral("tr")},
                                                                         {QStringLiteral("TD"), QStringLiteral("td")},
                                                                         {QStringLiteral("Td"), QStringLiteral("td")}}));
    const qsizetype stamp = need(block, QStringLiteral("End TimeStamp"), need(block, QStringLiteral("TimeStamp"), 1));
    const qsizetype comments = need(block, QStringLiteral("Comments"), stamp);
    const QString table = piece(block, comments, need(block, QLatin1String(tableEnd), comments));
    if (table.contains(QLatin1String("About")))
        return NoData;
    QString out;
    QString buf = headingRow({arialHeading("LEFT", "20%", "Type", true), arialHeading("LEFT", "30%", "Broker", false),
                              arialHeading("LEFT", "50%", "Comments", false)},
                             QStringLiteral("<TR>"));
    forEachRow(table, [&](const QString &row) {
        int n = 0;
        forEachCell(row, [&](const QString &html) {
            if (n == 0)
                buf += QStringLiteral(R"(<TD><FONT color=#484848 size=-1 Face="Arial"><B>)") + cellValue(html) + QStringLiteral("</B></FONT></td>") + LB;
            else if (n <= 2)
                buf += GreyArial + cellValue(html) + FontEnd + LB;
            ++n;
        });
        out += buf + QStringLiteral("</tr>") + LB;
        buf = QStringLiteral("<tr>") + LB;
    });
    return out;
}

} // namespace

QString Summery::S_UP()
{
    const QString page = cachePage(QStringLiteral("Processing stock Upgrades history report, please wait.."), QStringLiteral("_uph.Sh"));
    return orElse([&] { return history(page, "If Upgrades", "End Upgrades", "</table", need, headingRow); }, NoData);
}

QString Summery::S_DOW()
{
    const QString page = cachePage(QStringLiteral("Processing stock downgrades report, please wait.."), QStringLiteral("_dnh.Sh"));
    return orElse([&] { return history(page, "If Downgrades", "End Downgrades", "</table>", need, headingRow); }, NoData);
}

QString Summery::S_MOM()
{
    const QString page = cachePage(QStringLiteral("Processing Momentum report, please wait.."), QStringLiteral("_mr.Sh"));
    return orElse(
        [&] {
            const qsizetype more = need(page, QStringLiteral("MORE"), need(page, QStringLiteral("If Momentum")));
            const QString block = withoutVendor(replaced(piece(page, more, need(page, QStringLiteral("End Buy"), more)), tabAndCells));
            if (block.contains(QLatin1String("About")) || block.contains(QLatin1String("No data")))
                return NoData;
            QStringList cells;
            forEachCell(block, [&](const QString &html) {
                if (cells.size() < 4)
                    cells << cellValue(html);
            });
            if (cells.size() < 4)
                throw NoMarker{};
            QString out = QStringLiteral("</TR>");
            for (int i = 0; i < 3; ++i)
                out += QStringLiteral(R"(<TR><TD ALIGN="CENTER"><FONT size=-1>)") + cells[i] + QStringLiteral("</FONT></TD></tr>") + LB;
            return out + QStringLiteral(R"(<TR><TD ALIGN="CENTER"><FONT><B>)") + cells[3] + QStringLiteral("</B></FONT></TD></tr>") + LB +
                   QStringLiteral("</TD>") + LB;
        },
        NoData);
}

QString Summery::S_BR()
{
    const QString page = cachePage(QStringLiteral("Processing Broker Reports report, please wait.."), QStringLiteral("_brp.Sh"));
    return orElse(
        [&] {
            const qsizetype start = need(page, QStringLiteral("If Broker"));
            const QString block = withoutVendor(
                replaced(piece(page, start, need(page, QStringLiteral("End Broker"), start)), tabAndCells + tableTags));
            const qsizetype stamp = need(block, QStringLiteral("End TimeStamp"), need(block, QStringLiteral("TimeStamp")));
            const qsizetype firstRowEnd = need(block, QStringLiteral("</tr"), need(block, QStringLiteral("<table"), stamp) + 1);
            const QString table = piece(block, firstRowEnd, need(block, QStringLiteral("</table>"), firstRowEnd));
            // The page's own no-data text stands after its table's first row.
            if (find(table, QStringLiteral("About"), firstRowEnd))
                return NoData;
            Rows rows{QString(), headingRow({arialHeading("LEFT", "10%", "Date", true), arialHeading("LEFT", "20%", "Broker", false),
                                             arialHeading("LEFT", "75%", "Comment", false)})};
            // Date, broker and comment, whatever rows they stand in; the
            // first two groups are the table's headings.
            int n = 0;
            forEachCell(table, [&](const QString &html) {
                if (n >= 6)
                    rows.cell(QStringLiteral(R"(<TD ALIGN="LEFT"><FONT color=#484848 size=-1 Face="Arial">)"), cellValue(html), FontEnd);
                if (++n % 3 == 0)
                    rows.end();
                DoEvents();
            });
            return rows.out;
        },
        NoData);
}

QString Summery::S_QR()
{
    const QString page = cachePage(QStringLiteral("Processing Quarterly report, please wait.."), QStringLiteral("_qr.Sh"), false);
    return orElse(
        [&] {
            const qsizetype sortBy = need(page, QStringLiteral("Sort By"));
            // After this a linked text reads as its quoted target and its
            // text; a colon splits a cell.
            const QString part = filingsText(piece(page, sortBy, need(page, QStringLiteral("</html"), sortBy)));
            // The table after the one holding "Sort By", less its first row.
            const qsizetype open = need(part, QStringLiteral("<table"), need(part, QStringLiteral("</table>"), need(part, QStringLiteral("Sort By"))));
            const qsizetype rowEnd = need(part, QStringLiteral("</tr"), need(part, QStringLiteral("<tr"), open));
            const QString table = piece(part, rowEnd, need(part, QStringLiteral("</table>"), rowEnd));
            Rows rows{QString(), headingRow({arialHeading("LEFT", "20%", "Date", true), arialHeading("LEFT", "20%", "Filings", false),
                                             arialHeading("LEFT", "60%", "More Info", false)},
                                            QString())};
            forEachRow(table, [&](const QString &row) {
                int n = 0;
                forEachCell(row, [&](const QString &html) {
                    const QString text = filingLink(cellValue(html));
                    if (text.isEmpty())
                        return;
                    if (n < 3)
                        rows.cell(GreyArial, text, FontEnd);
                    n = (n + 1) % 4;
                });
                rows.end();
            });
            return rows.out;
        },
        QString());
}

QString Summery::S_SI()
{
    HourglassPointer busy;
    const QString page = shortInterestText(cachePage(QStringLiteral("Processing Short Interest report, please wait.."), QStringLiteral("_SI.Sh")));
    return orElse(
        [&] {
            const qsizetype cover = need(page, QStringLiteral("Cover"));
            const QString table = piece(page, cover, need(page, QStringLiteral("</table>"), cover));
            QString buf = headingRow({QStringLiteral(R"(<TH ALIGN="CENTER"  nowrap>Settlement Date<HR></th>)"),
                                      QStringLiteral(R"(<TH ALIGN="CENTER"  nowrap>Short Interest<HR></th>)"),
                                      QStringLiteral(R"(<TH ALIGN="CENTER"  nowrap>Avg Daily Share Volume<HR></th>)"),
                                      QStringLiteral(R"(<TH ALIGN="CENTER"  nowrap>Days to Cover<HR></th>)")});
            forEachRow(table, [&](const QString &row) {
                bool first = true;
                forEachCell(row, [&](const QString &html) {
                    buf += (first ? QStringLiteral(R"(<TD ALIGN="left"><FONT size=-1 color=#151515>)")
                                  : QStringLiteral(R"(<TD ALIGN="right"><FONT size=-1 color=#484848>)")) +
                           cellValue(html) + QStringLiteral("</Font></td>") + LB;
                    first = false;
                });
                buf += QStringLiteral("</tr>") + LB + QStringLiteral("<tr>");
            });
            return buf + QStringLiteral("</TR>");
        },
        NoData);
}
