// The summary's option, earnings and insider-trade tables.
#include "core/SharedState.h"
#include "core/Sites.h"
#include "core/TextHelpers.h"
#include "platform/Dialogs.h"
#include "platform/Sleep.h"
#include "reports/ReportFrame.h"
#include "reports/Summery.h"

using namespace report;

namespace {

QString optionLink(const QString &name, const QString &code)
{
    return QStringLiteral("<a href=\"http://") + siteHost(Site::OptionsExchange) + QStringLiteral("/cgi-bin/cboeget.exe?TICKER=") + code +
           QStringLiteral("\">") + name;
}

struct Earnings
{
    const char *doing;
    bool mixedRows;     // "Tr" is a row tag as well
    const char *anchor; // what the heading row follows
    const char *labels; // the table of row captions; none: the first values
    const char *valueRow[2]; // the value row's open and close (no captions table)
    int rows;
    int values;         // per row
    int columns;        // heading columns written
    const char *corner;
    const char *heading;
    const char *captionOpen;
    const char *captionClose;
    const char *valueOpen;
    const char *valueClose;
};

QString headingText(const QString &html)
{
    QString text = cellValue(html, false);
    if (text.isEmpty())
        return text;
    return text.contains(QLatin1Char('(')) ? text.replace(QStringLiteral("("), QStringLiteral("<br>(")) : text + QStringLiteral("<br>&nbsp;");
}

} // namespace

// ---- options ----

namespace {

// One table row per line of the cached chain: the call half, or the put half.
QString chain(const QString &page, bool puts, const std::function<qsizetype(const QString &, const QString &, qsizetype)> &need,
              const QStringList &headings)
{
    const qsizetype at = need(page, QStringLiteral("Int"), need(page, QStringLiteral("Puts"), 1));
    const QString data = page.mid(at);
    if (data.size() > 30000 &&
        MsgBox(QStringLiteral("There is to many records, and it might take time.") + LB +
                   (puts ? QStringLiteral("(Up to 5 minuets)") : QStringLiteral("(Up to 5 minuets).")) + LB +
                   (puts ? QStringLiteral("Click Cancel to skip on Puts section, or OK to continue")
                         : QStringLiteral("Click Cancel to skip on Calls section, or OK to continue")),
               Msg::OKCancel + Msg::Information, QStringLiteral("To many records")) == Msg::Cancel)
        return QString();
    QString out;
    QString buf = QStringLiteral("<TR>") + headings.join(LB) + LB + QStringLiteral("</TR>") + LB + QStringLiteral("<TR>");
    const QString value = puts ? QStringLiteral(R"(<Td Align="Right" Width="12%"><Font color=#484848 size=-1>)")
                               : QStringLiteral(R"(<Td Align="Right" Width="12%"><Font color=#484848 size=-1 Face="Arial">)");
    // Lines stand between line breaks; the text before the first and after
    // the last is not a line.
    qsizetype from = data.indexOf(LB);
    while (from >= 0) {
        const qsizetype to = data.indexOf(LB, from + 2);
        if (to < 0)
            break;
        const QString line = data.mid(from + 2, to - from - 2);
        from = to;
        QStringList fields = line.split(QLatin1Char(','));
        if (line.endsWith(QLatin1Char(','))) // the last field is kept when no comma follows it
            fields.removeLast();
        if (!line.contains(QLatin1Char(',')))
            fields.clear();
        for (int k = 0; k < fields.size() && k <= 13; ++k) {
            const QString &f = fields[k];
            if (!puts && k == 0)
                buf += QStringLiteral(R"(<Td Align="Left" Width="25%"><Font color=#484848 size=-1 Face="Arial">)") +
                       optionLink(f, optionCode(line)) + QStringLiteral("</a></FONT></td>") + LB;
            else if (!puts && k <= 6)
                buf += value + f + QStringLiteral("</Font></td>") + LB;
            else if (puts && k == 7)
                buf += QStringLiteral(R"(<Td Align="Left" Width="12%"><Font color=#484848 size=-1>)") + optionLink(f, optionCode(f)) +
                       QStringLiteral("</a></Font></td>") + LB;
            else if (puts && k > 7)
                buf += value + f + QStringLiteral("</Font></td>") + LB;
        }
        out += buf + QStringLiteral("</tr>") + LB;
        buf = QStringLiteral("<tr>") + LB;
    }
    return out;
}

QStringList chainHeadings(const char *first, const char *rule, bool heightOnAll)
{
    QStringList h;
    h << QStringLiteral(R"(<TH ALIGN="CENTER" WIDTH="25%" HEIGHT="26"><Font Face="Arial" Size=-1>)") + QLatin1String(first) +
             QStringLiteral("</Font>") + QLatin1String(rule) + QStringLiteral("</th>");
    for (const char *c : {"Last Sale", "Net", "Bid", "Ask", "Vol", "Open Int"})
        h << QStringLiteral(R"(<TH ALIGN="CENTER" WIDTH="12%")") + (heightOnAll ? QStringLiteral(R"( HEIGHT="26">)") : QStringLiteral(">")) +
                 QStringLiteral(R"(<Font Face="Arial" Size=-1>)") + QLatin1String(c) + QStringLiteral("</Font>") + QLatin1String(rule) +
                 QStringLiteral("</th>");
    return h;
}

} // namespace

QString Summery::S_Calls()
{
    const QString page = cachePage(QStringLiteral("Processing Calls report, please wait.."), QStringLiteral("_op.Sh"));
    return orElse([&] { return chain(page, false, need, chainHeadings("Calls", "<hr>", true)); }, QString());
}

QString Summery::S_Puts()
{
    const QString page = cachePage(QStringLiteral("Processing Puts report, please wait.."), QStringLiteral("_op.Sh"));
    return orElse([&] { return chain(page, true, need, chainHeadings("Puts", "<HR>", false)); }, QString());
}

// ---- insider trades ----

QString Summery::S_IT()
{
    const QString page = cachePage(QStringLiteral("Processing Insider Trades report, please wait.."), QStringLiteral("_it.Sh"));
    return orElse(
        [&] {
            const qsizetype from = need(page, QStringLiteral("Insider Trades"));
            const QString part = piece(page, from, need(page, QStringLiteral("</html"), from));
            // A linked name becomes two cells: the page's path, then the name.
            const QString table = insiderTable(part);
            Rows rows{QString(), headingRow(insiderHeadings())};
            const QString portal = QStringLiteral("http://") + siteHost(Site::FinancePortal) + QLatin1Char('/');
            const QString left = QStringLiteral(R"(<TD ALIGN="LEFT"><FONT size=-1 color=#151515>)");
            const QString right = QStringLiteral(R"(<TD ALIGN="RIGHT"><FONT size=-1 color=#151515>)");
            const QString close = QStringLiteral("</Font></td>");
            forEachRow(table, [&](const QString &row) {
                int n = 0;
                QString path;
                forEachCell(row, [&](const QString &html) {
                    const QString text = cellValue(html);
                    switch (n++) {
                    case 0:
                        rows.cell(QStringLiteral(R"(<TD ALIGN="CENTER" Height =30><FONT size=-1 color=#151515>)"), text, close);
                        break;
                    case 1:
                        path = text;
                        break;
                    case 2:
                        rows.cell(QStringLiteral(R"(<TD ALIGN="LEFT"><a href=")") + portal + path + QStringLiteral("\"><small>"), text,
                                  QStringLiteral("<small></a></Font></td>"));
                        break;
                    case 3:
                    case 5:
                        rows.cell(left, text, close);
                        break;
                    case 4:
                    case 6:
                    case 7:
                        rows.cell(right, text, close);
                        break;
                    default:
                        break;
                    }
                });
                rows.end();
            });
            return rows.out;
        },
        QString());
}

// ---- earnings ----

namespace {

template <typename Need>
QString earnings(QString page, const Earnings &e, Need need)
{
    page = replaced(page, {{QStringLiteral("\n"), QStringLiteral(" ")},
                           {QStringLiteral("\t"), QStringLiteral(" ")},
                           {QStringLiteral("TR"), QStringLiteral("tr")},
                           {QStringLiteral("TD"), QStringLiteral("td")},
                           {QStringLiteral("Td"), QStringLiteral("td")},
                           {QStringLiteral("TH"), QStringLiteral("th")},
                           {QStringLiteral("Th"), QStringLiteral("th")}});
    if (e.mixedRows)
        page.replace(QStringLiteral("Tr"), QStringLiteral("tr"));

    QString heading, values;
    QStringList captions(e.rows);
    const auto captionCell = [&](const QString &text) {
        return QLatin1String(e.captionOpen) + text + QLatin1String(e.captionClose) + LB;
    };
    if (e.labels) {
        const qsizetype h = need(page, QStringLiteral("<tr>"), need(page, QLatin1String(e.anchor), 1));
        heading = piece(page, h, need(page, QStringLiteral("<table"), h));
        const qsizetype t = need(page, QStringLiteral("<table"), need(page, QLatin1String(e.labels), 1));
        const qsizetype tEnd = need(page, QStringLiteral("</table>"), t);
        int n = 0;
        forEachRow(piece(page, t, tEnd), [&](const QString &row) {
            const QString text = cellValue(row);
            if (++n <= e.rows && !text.isEmpty())
                captions[n - 1] = captionCell(text);
        });
        const qsizetype v = need(page, QStringLiteral("</td>"), tEnd);
        values = piece(page, v, need(page, QStringLiteral("</tr>"), v));
    } else {
        const qsizetype h = need(page, QStringLiteral("<tr>"), need(page, QLatin1String(e.anchor), 1));
        const qsizetype hEnd = need(page, QStringLiteral("</tr>"), h);
        heading = piece(page, h, hEnd);
        const qsizetype v = need(page, QLatin1String(e.valueRow[0]), hEnd);
        values = piece(page, v, need(page, QLatin1String(e.valueRow[1]), v));
    }
    values.replace(QStringLiteral("<br>"), QStringLiteral("</td><td></td><td>"));

    QString out = QLatin1String(e.corner);
    int column = 0;
    forEachPiece(heading, QStringLiteral("<th"), QStringLiteral("</th>"), [&](const QString &html) {
        const QString text = headingText(html);
        if (++column <= e.columns && !text.isEmpty())
            out += QLatin1String(e.heading) + text + QStringLiteral("</Font><HR></th>") + LB;
    });
    if (e.labels)
        out += QStringLiteral("</tr>") + LB;

    // Stacked figures, one a cell now: first the captions when the page
    // has no table of its own for them, then the values row by row.
    return out + earningsRows(values, e.rows, e.values, !e.labels, captionCell,
                              [&](const QString &text) {
                                  return QLatin1String(e.valueOpen) + text + QLatin1String(e.valueClose) + LB;
                              },
                              captions);

}

const char *const EstimateCorner = R"(<TR><th align="center" width="40%" height="50" nowrap>&nbsp;</th>)";
const char *const EstimateHeading = R"(<th align="center" width="15%" height="50" nowrap><FONT Size = -1 Face="Times New Roman">)";
const char *const HistoryCaption = R"(<td align="left"><b><FONT Size = -1 Face="Times New Roman">)";

} // namespace

QString Summery::S_EC()
{
    static const Earnings e{"Processing Consensus EPS Trend report, please wait..", false, "Earnings Estimates &amp;",
                            "Consensus EPS Trend", {}, 5, 4, 4, EstimateCorner, EstimateHeading,
                            R"(<td align="Left"><B><FONT Size = -1 Face="Times New Roman">)", "</Font></b></td>",
                            R"(<td align="center"><FONT Size = -1>)", "</Font></td>"};
    const QString page = cachePage(QLatin1String(e.doing), QStringLiteral("_ee.Sh"));
    return orElse([&] { return earnings(page, e, need); }, QString());
}

QString Summery::S_EE()
{
    static const Earnings e{"Processing Earnings Estimates report, please wait..", true, "Earnings Estimates &amp;",
                            "Earnings Estimates<br>", {}, 6, 4, 4, EstimateCorner, EstimateHeading,
                            R"(<td align="Left"><B><FONT Size = -1 Face="Times New Roman">)", "</font></b></td>",
                            R"(<td align="center"><Font color=#484848 Size = -1>)", "</font></td>"};
    const QString page = cachePage(QLatin1String(e.doing), QStringLiteral("_ee.Sh"));
    return orElse([&] { return earnings(page, e, need); }, QString());
}

QString Summery::S_EH()
{
    static const Earnings e{"Processing Earnings History report, please wait..", true, "Earnings History", nullptr, {"<tr>", "</tr>"}, 4, 5, 6,
                            R"(<TR><th align="left" width="28%" height="50" nowrap>&nbsp;</th>)",
                            R"(<th align="center" width="12%" nowrap><FONT Size = -1 Face="Times New Roman">)", HistoryCaption,
                            "</font></b></td>", R"(<td align="center"><FONT Size = -1 color=#484848>)", "</font></td>"};
    const QString page = cachePage(QLatin1String(e.doing), QStringLiteral("_ee.Sh"));
    return orElse([&] { return earnings(page, e, need); }, QString());
}

QString Summery::S_EG()
{
    static const Earnings e{"Processing Earnings Growth report, please wait..", true, "Earnings Growth", nullptr, {"<tr", "</tr"}, 3, 6, 7,
                            R"(<TR><th align="left" width="16%" height="50" nowrap>&nbsp;</th>)",
                            R"(<th align="center" width="5%" nowrap><FONT Size = -1 Face="Times New Roman">)", HistoryCaption,
                            "</font></b></td>", R"(<td align="center"><FONT color=#484848 Size = -1>)", "</font></td>"};
    const QString page = cachePage(QLatin1String(e.doing), QStringLiteral("_ee.Sh"));
    return orElse([&] { return earnings(page, e, need); }, QString());
}
