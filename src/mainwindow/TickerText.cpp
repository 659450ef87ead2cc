#include "mainwindow/TickerText.h"

#include "core/Stocks.h"
#include "mainwindow/SpokenSummaries.h"

QString tickerHeadlines(const QString &name, const QString &headlines, QStringList *links)
{
    const QString heading = QStringLiteral("... Latest ") + name + QStringLiteral(" News ...;");
    links->clear();
    links->append(QString()); // the heading opens nothing
    // Each headline keeps its own address: one without an address opens
    // nothing, never the next headline's page.
    QStringList items = headlines.split(QLatin1Char(';'));
    if (!items.isEmpty() && items.last().isEmpty())
        items.removeLast();
    for (const QString &item : std::as_const(items)) {
        const int open = item.indexOf(QLatin1Char('#'));
        const int close = open < 0 ? -1 : item.indexOf(QLatin1Char('#'), open + 1);
        links->append(close > open ? item.mid(open + 1, close - open - 1) : QString());
    }
    return heading + StripTickerLinks(headlines);
}

QString tickerQuote(const StockRec &s)
{
    return s.Name + QStringLiteral("  -  Last Price: ") + s.LastSale + QStringLiteral("   Change: ") + s.Change
           + QStringLiteral("  ") + s.PctChange + QStringLiteral("   Last Upadte: ") + s.LastUpdate + QLatin1Char(';');
}

QString tickerQuotes(int count)
{
    QString text;
    int inItem = 0;
    for (int i = 0; i <= count && i < SetSize; ++i) {
        const StockRec &s = Sets[size_t(i)];
        text += QStringLiteral("      ") + s.Symbol + QLatin1Char(' ') + s.LastSale + QStringLiteral("  ") + s.Change
                + QStringLiteral("  ") + s.PctChange;
        if (++inItem == 4) {
            text += QLatin1Char(';');
            inItem = 0;
        }
    }
    return text + QLatin1Char(';');
}
