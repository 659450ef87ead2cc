// The quote table of the whole stock set.
#include "core/Stocks.h"
#include "platform/ScreenPointer.h"
#include "reports/ReportFrame.h"
#include "reports/Reports.h"

using namespace report;

void Reports::H_Current()
{
    HourglassPointer busy;
    QString out = head(QStringLiteral("#EFFAF9"), QStringLiteral("Current Stock Prices"), QString(),
                       {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("100%")}) +
                  QStringLiteral("<TR>") + LB;
    static const char *const headings[] = {"&nbsp;", "Companey", "Last Sale", "Change", "% Change", "Volume",
                                           "Today's High", "Today's Low", "Bid", "Ask", "Last Trade Size", "Open",
                                           "Previous Close", "52 Week High", "52 Week Low", "EPS", "P/E Ratio",
                                           "Dividend Per Share", "Exchange", "Industry", "Last Update"};
    for (const char *heading : headings)
        out += QStringLiteral("<th align=\"center\" nowrap>") + QLatin1String(heading) + QStringLiteral("</th>") + LB;
    out += QStringLiteral("</tr>") + LB + QStringLiteral("<tr>") + LB;

    const QString close = QStringLiteral("</font></td>") + LB;
    const auto left = [&](const QString &v) { return QStringLiteral("<td align=\"left\" nowrap><font size=-1>") + v + close; };
    const auto right = [&](const QString &v) { return QStringLiteral("<td align=\"right\" nowrap><font size=-1>") + v + close; };
    const auto centre = [&](const QString &v) { return QStringLiteral("<td align=\"center\" nowrap><font size=-1>") + v + close; };
    // Every stock of the set, also those after a free record.
    for (const StockRec &s : Sets) {
        if (s.Symbol.isEmpty())
            continue;
        QString arrow, change;
        const QChar sign = s.PctChange.isEmpty() ? QChar() : s.PctChange.front();
        if (sign == QLatin1Char('-')) {
            change = QStringLiteral("<td align=\"right\" nowrap><font size=-1 color=#ff0000>") + s.PctChange + close;
            arrow = QStringLiteral("<td align=\"center\"><img src=\"../../dn.gif\"></td>");
        } else if (sign == QLatin1Char('0')) {
            // Unchanged: no arrow and no colour.
            change = right(s.PctChange);
            arrow = QStringLiteral("<td align=\"center\">&nbsp;</td>");
        } else {
            change = QStringLiteral("<td align=\"right\" nowrap><font size=-1 color=#006600>") + s.PctChange + close;
            arrow = QStringLiteral("<td align=\"center\"><img src=\"../../up.gif\"></td>");
        }
        out += arrow + left(s.Name) + right(s.LastSale) + right(s.Change) + change + right(s.Volume) + right(s.DayHigh) +
               right(s.DayLow) + right(s.Bid) + right(s.Ask) + centre(s.LastTradeSize) + right(s.Open) + right(s.PrevClose) +
               right(s.High52) + right(s.Low52) + centre(s.EPS) + centre(s.PERatio) + centre(s.DivPerShare) +
               left(s.Exchange) + left(s.Industry) + centre(s.LastUpdate);
        out += QStringLiteral("</tr>") + LB + QStringLiteral("<tr>") + LB;
    }
    out += QStringLiteral("</tr>") + LB;
    publish(reportPath(QStringLiteral("Stock Prices.Htm")), out + footer());
}
