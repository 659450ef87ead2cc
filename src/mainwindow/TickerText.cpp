#include "mainwindow/TickerText.h"

#include "core/Stocks.h"
#include "mainwindow/SpokenSummaries.h"

namespace {
// The headline text cut into its items: each ";" outside an address ends
// one. A ";" inside an address ("&amp;" in a query) belongs to the address,
// so the shown items and their addresses come from the same pieces.
QStringList headlineItems(const QString &headlines)
{
    QStringList items;
    QString item;
    bool inside = false;
    for (const QChar c : headlines) {
        item += c;
        if (c == QLatin1Char('#'))
            inside = !inside;
        else if (c == QLatin1Char(';') && !inside) {
            items << item;
            item.clear();
        }
    }
    if (!item.isEmpty())
        items << item;
    return items;
}
} // namespace

QString tickerHeadlines(const QString &name, const QString &headlines, QStringList *links)
{
    QString text = QStringLiteral("... Latest ") + name + QStringLiteral(" News ...;");
    links->clear();
    links->append(QString()); // the heading opens nothing
    // Each headline keeps its own address: one without an address opens
    // nothing, never the next headline's page.
    for (const QString &item : headlineItems(headlines)) {
        const qsizetype open = item.indexOf(QLatin1Char('#'));
        const qsizetype close = open < 0 ? -1 : item.indexOf(QLatin1Char('#'), open + 1);
        links->append(close > open ? item.mid(open + 1, close - open - 1) : QString());
        text += StripTickerLinks(item);
    }
    return text;
}

QString tickerQuote(const StockRec &s)
{
    return s.Name + QStringLiteral("  -  Last Price: ") + s.LastSale + QStringLiteral("   Change: ") + s.Change
           + QStringLiteral("  ") + s.PctChange + QStringLiteral("   Last Upadte: ") + s.LastUpdate + QLatin1Char(';');
}

QString tickerQuotes()
{
    QString text;
    int inItem = 0;
    // Every stock of the set, also those after a free record.
    for (const StockRec &s : Sets) {
        if (s.Symbol.isEmpty())
            continue;
        text += QStringLiteral("      ") + s.Symbol + QLatin1Char(' ') + s.LastSale + QStringLiteral("  ") + s.Change
                + QStringLiteral("  ") + s.PctChange;
        if (++inItem == 4) {
            text += QLatin1Char(';');
            inItem = 0;
        }
    }
    return text + QLatin1Char(';');
}
