#include "webqueries/QueryWindows.h"

#include <QUrl>

namespace {
QueryWindowOpeners g_openers;
} // namespace

QString urlPart(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

void setQueryWindowOpeners(QueryWindowOpeners openers)
{
    g_openers = std::move(openers);
}

void ShowNewsQuery(const QString &symbol)
{
    if (g_openers.newsQuery)
        g_openers.newsQuery(symbol);
}

void ShowTechGraph()
{
    if (g_openers.techGraph)
        g_openers.techGraph();
}

void ShowBigChart()
{
    if (g_openers.bigChart)
        g_openers.bigChart();
}
