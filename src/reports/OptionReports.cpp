// The call and put reports of a cached option chain.
#include "core/Sites.h"
#include "core/Stocks.h"
#include "platform/Dialogs.h"
#include "platform/ScreenPointer.h"
#include "platform/Sleep.h"
#include "reports/ReportFrame.h"
#include "reports/Reports.h"

using namespace report;

namespace {

struct Side
{
    bool puts;
    const char *file;
    const char *background;
    const char *subTitle;
    const char *secondLine;
    QStringList headings;
    const char *linkOpen;
    const char *linkClose;
};

void chainReport(const QString &symbol, const Side &side)
{
    SymbolPage run(symbol, QStringLiteral("_op.Sh"));
    if (run.skip)
        return;
    const QString page = run.page;
    // The records follow the heading line that names "Puts" and "Open Int".
    const qsizetype puts = find(page, QStringLiteral("Puts"));
    const qsizetype intAt = find(page, QStringLiteral("Int"), puts ? puts + 1 : 1);
    const QString chain = intAt ? page.mid(intAt) : page;
    if (chain.size() > 30000 &&
        MsgBox(QStringLiteral("There is to many records, and it might take time.") + LB + QLatin1String(side.secondLine) + LB +
                   QStringLiteral("Click Cancel to cancel this operation, or OK to continue"),
               Msg::OKCancel + Msg::Information, QStringLiteral("To many records")) == Msg::Cancel)
        return;

    QString out = head(QLatin1String(side.background), GetDisplayName(), QLatin1String(side.subTitle),
                       {QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("100%")}) +
                  QStringLiteral("<TR>");
    for (const QString &h : side.headings)
        out += h + LB;
    out += QStringLiteral("</TR>") + LB + QStringLiteral("<TR>");

    const QString host = QStringLiteral("http://") + siteHost(Site::OptionsExchange) + QStringLiteral("/cgi-bin/cboeget.exe?TICKER=");
    const auto link = [&](const QString &name) {
        return QLatin1String(side.linkOpen) + QLatin1Char('"') + host + optionCode(name) + QStringLiteral("\">") + name +
               QLatin1String(side.linkClose) + LB;
    };
    const auto value = [](const QString &field) {
        return QStringLiteral("<Td Align=\"Right\" Width=\"12%\"><Font color=#484848 size=-1>") + field +
               QStringLiteral("</Font></td>") + LB;
    };
    bool first = true;
    qsizetype pos = 0;
    while (true) {
        const qsizetype from = chain.indexOf(LB, pos);
        if (from < 0)
            break;
        const qsizetype to = chain.indexOf(LB, from + 1);
        if (to < 0)
            break;
        pos = to;
        const QString record = chain.mid(from, to - from);
        QList<qsizetype> commas;
        for (qsizetype i = record.indexOf(QLatin1Char(',')); i >= 0; i = record.indexOf(QLatin1Char(','), i + 1))
            commas.append(i);
        // Field k+1 lies between comma k and comma k+1; the last field of a
        // side is taken up to the record's end when no comma follows it.
        const auto field = [&](int k) {
            const qsizetype start = commas[k - 1] + 1;
            const qsizetype end = k < commas.size() ? commas[k] : record.size();
            return record.mid(start, end - start);
        };
        if (!first)
            out += QStringLiteral("<tr>") + LB;
        first = false;
        const int lastK = side.puts ? 13 : 6;
        for (int k = 1; k <= commas.size() && k <= lastK; ++k) {
            if (k == commas.size() && k != lastK)
                break;
            if (!side.puts && k == 1)
                out += link(record.left(commas[0])) + value(field(1));
            else if (!side.puts)
                out += value(field(k));
            else if (k == 7)
                out += link(field(7));
            else if (k > 7)
                out += value(field(k));
        }
        out += QStringLiteral("</tr>") + LB;
    }
    publish(reportPath(QStringLiteral("Options\\") + symbol + QLatin1String(side.file)), out + footer());
}

} // namespace

void Reports::H_Calls(const QString &Symbol)
{
    static const Side calls{false, " Calls.htm", "#FFFEEA", "Calls", "(Up to 5 minuets).",
                            {QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"20%\" HEIGHT=\"26\">Calls</th>"),
                             QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"13%\" HEIGHT=\"26\">Last Sale</th>"),
                             QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"13%\" HEIGHT=\"26\">Net</th>"),
                             QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"13%\" HEIGHT=\"26\">Bid</th>"),
                             QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"13%\" HEIGHT=\"26\">Ask</th>"),
                             QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"13%\" HEIGHT=\"26\">Vol</th>"),
                             QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"13%\" HEIGHT=\"26\">Open Int</th>")},
                            "<Td Align=\"Left\" Width=\"25%\"><Font color=#484848 size=-1><a href=",
                            "</a></FONT></td>"};
    chainReport(Symbol, calls);
}

void Reports::H_Puts(const QString &Symbol)
{
    static const Side puts{true, " Puts.htm", "#EFFAF9", "Puts", "(Up to 5 minuets)",
                           {QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"25%\" HEIGHT=\"26\">Puts</th>"),
                            QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"12%\">Last Sale</th>"),
                            QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"12%\">Net</th>"),
                            QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"12%\">Bid</th>"),
                            QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"12%\">Ask</th>"),
                            QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"12%\">Vol</th>"),
                            QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"12%\">Open Int</th>")},
                           "<Td Align=\"Left\" Width=\"12%\"><Font color=#484848 size=-1><a href=",
                           "</a></Font></td>"};
    chainReport(Symbol, puts);
}
