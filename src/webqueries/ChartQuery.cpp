#include "webqueries/ChartQuery.h"

#include "core/Sites.h"
#include "webqueries/QueryWindows.h"

#include <QStringList>

#include <climits>
#include <cmath>

namespace {
ChartList numbered(std::initializer_list<std::pair<const char *, long long>> rows)
{
    ChartList list;
    for (const auto &[text, code] : rows)
        list << ChartChoice{QString::fromLatin1(text), QString::number(code)};
    return list;
}
} // namespace

const ChartList &priceDisplays()
{
    static const ChartList list = numbered({{"Hide Price", 0}, {"HLC", 1}, {"OHLC", 2}, {"Candlestick", 4},
                                            {"Mountain", 8}, {"Bar Charts", 16}, {"Dot", 32}, {"Close", 64},
                                            {"Logarithmic", 128}});
    return list;
}

// "Black" has a code of its own (2, free between "Default" and "Black Grids").
const ChartList &backgrounds()
{
    static const ChartList list = numbered({{"Default", 1}, {"Black Grids", 3}, {"B & W", 9}, {"Black", 2},
                                            {"Three Tone", 7}, {"Presentation", 8}, {"Blue", 10}});
    return list;
}

const ChartList &chartSizes()
{
    static const ChartList list = numbered({{"Small", 1}, {"Medium", 2}, {"Large", 3}});
    return list;
}

const ChartList &lowerIndicators()
{
    static const ChartList list = numbered({{"<None>", 0},
                                            {"Volume", 1},
                                            {"Volume+", 268435456},
                                            {"RSI", 2},
                                            {"MACD", 4},
                                            {"OBV", 8},
                                            {"Fast Stochastic", 16},
                                            {"Slow Stochastic", 32},
                                            {"ROC", 128},
                                            {"Williams %R", 256},
                                            {"Money Flow", 512},
                                            {"Vol Accumulation", 4096},
                                            {"Volatility Fast", 8192},
                                            {"Volatility Slow", 16384},
                                            {"Momentum", 65536},
                                            {"Ult Oscillator", 131072},
                                            {"% Short Interest", 1073741824},
                                            {"Rolling EPS", 67108864},
                                            {"P/E Ratio", 16777216},
                                            {"P/E Ranges", 8388608},
                                            {"Rolling Dividend", 134217728},
                                            {"Yield", 33554432},
                                            {"Up/Down Ratio", 262144},
                                            {"Arms Index (TRIN)", 524288},
                                            {"A/D Line (Breadth)", 1048576},
                                            {"A/D Line (Daily)", 2097152},
                                            {"% Compare", 4194304}});
    return list;
}

const ChartList &movingAverages()
{
    static const ChartList list = numbered({{"<None>", 0}, {"SMA", 1}, {"SMA (2-Line)", 3}, {"SMA (3-Line)", 4},
                                            {"EMA", 2}, {"EMA (2-Line)", 5}, {"EMA (3-Line)", 6}});
    return list;
}

const ChartList &upperIndicators()
{
    static const ChartList list = numbered({{"<None>", 0},
                                            {"MA Envelopes", 4},
                                            {"Bollinger Bands", 8},
                                            {"Parabolic SAR", 16},
                                            {"Volume by Price", 32},
                                            {"Price Channel", 128},
                                            {"Show Splits", 1024},
                                            {"Show Earnings", 2048},
                                            {"Show Dividends", 4096},
                                            {"Show All Events", 1024 + 2048 + 4096},
                                            {"A/D Line", 512}});
    return list;
}

const ChartList &compareIndexes()
{
    static const ChartList list = {
        {QStringLiteral("<None>"), QStringLiteral("aaaaa:0")},
        {QStringLiteral("S&P 500"), QStringLiteral("sp500:3377")},
        {QStringLiteral("DJIA"), QStringLiteral("djia:1643")},
        {QStringLiteral("NASDAQ"), QStringLiteral("nasdaq:3291")},
        {QStringLiteral("----------"), QStringLiteral("zzzzz:0")},
        {QStringLiteral("Russell 2000"), QStringLiteral("rut:4166")},
        {QStringLiteral("Technology"), QStringLiteral("xci:565")},
        {QStringLiteral("Internet"), QStringLiteral("iix:144590")},
        {QStringLiteral("Broker/Dealers"), QStringLiteral("xbd:12400")},
        {QStringLiteral("Oil & Gas"), QStringLiteral("xoi:567")},
        {QStringLiteral("Gold & Silver"), QStringLiteral("xau:3599")},
        {QStringLiteral("Utilities"), QStringLiteral("djua:1645")},
        {QStringLiteral("Transportation"), QStringLiteral("djta:1644")},
        {QStringLiteral("Airlines"), QStringLiteral("xal:13882")},
    };
    return list;
}

const ChartList &minuteFrequencies()
{
    static const ChartList list = numbered({{"1-Minute", 9}, {"5-Minute", 6}, {"15-Minute", 7}, {"Hourly", 8}});
    return list;
}

// The daily samplings take the codes below the minute ones.
const ChartList &dailyFrequencies()
{
    static const ChartList list =
        numbered({{"Daily", 1}, {"Weekly", 2}, {"Monthly", 3}, {"Quarterly", 4}, {"Yearly", 5}});
    return list;
}

QString chartCode(const ChartList &list, const QString &text, const QString &fallback)
{
    for (const ChartChoice &c : list)
        if (c.text == text)
            return c.code;
    return fallback;
}

// "6 Month" and "All" take the daily list like their neighbours.
const QList<ChartPeriod> &chartPeriods()
{
    static const QList<ChartPeriod> list = {
        {QStringLiteral("5 Mintues"), QStringLiteral("5 Mintues"), true, 1},
        {QStringLiteral("15 Mintues"), QStringLiteral("15 Mintues"), true, 2},
        {QStringLiteral("5 Days"), QStringLiteral("5 Dayes"), true, 3},
        {QStringLiteral("Month"), QStringLiteral("Month"), false, 4},
        {QStringLiteral("2 Month"), QStringLiteral("2 Month"), false, 5},
        {QStringLiteral("3 Month"), QStringLiteral("3 Month"), false, 6},
        {QStringLiteral("6 Month"), QStringLiteral("6 Month"), false, 7},
        {QStringLiteral("YTD"), QStringLiteral("YTD"), false, 19},
        {QStringLiteral("Year"), QStringLiteral("Year"), false, 9},
        {QStringLiteral("2 Year"), QStringLiteral("2 Years"), false, 10},
        {QStringLiteral("3 Years"), QStringLiteral("3 Years"), false, 11},
        {QStringLiteral("4 Years"), QStringLiteral("4 Years"), false, 12},
        {QStringLiteral("5 Years"), QStringLiteral("5 Years"), false, 13},
        {QStringLiteral("Decade"), QStringLiteral("Decade"), false, 14},
        {QStringLiteral("All"), QStringLiteral("All"), false, 20},
    };
    return list;
}

int chartWholeNumber(const QString &text, bool *ok)
{
    bool converted = false;
    const double v = text.trimmed().toDouble(&converted);
    const double r = std::nearbyint(v); // halves to the even neighbour
    const bool good = converted && std::isfinite(v) && r >= -32768 && r <= 32767;
    if (ok)
        *ok = good;
    return good ? int(r) : 0;
}

QString composeChartOpt(const ChartOptions &o)
{
    const QStringList fields = {QString::number(o.back), QString::number(o.disp), QString::number(o.frq),
                                QString::number(o.index), QString::number(o.low), QString::number(o.move),
                                QString::number(o.size), QString::number(o.up), o.maval,
                                QString::number(o.slider)};
    return QLatin1Char(',') + fields.join(QLatin1Char(',')) + QLatin1Char(',');
}

StoredChartFields parseChartOpt(const QString &stored)
{
    StoredChartFields out;
    // A field is the text between one comma and the next; the walk ends at
    // the first comma with none after it.
    int from = stored.indexOf(QLatin1Char(','));
    while (from >= 0 && out.values.size() < 10) {
        const int to = stored.indexOf(QLatin1Char(','), from + 1);
        if (to < 0)
            break;
        bool ok = false;
        const int v = chartWholeNumber(stored.mid(from + 1, to - from - 1), &ok);
        out.values << (ok ? v : INT_MIN);
        from = to;
    }
    return out;
}

QString chartUrl(const ChartQuery &q)
{
    return siteUrl(Site::ChartServer,
                   QStringLiteral("/intchart/frames/chart.asp?symb=") + urlPart(q.symbol.toUpper())
                       + QStringLiteral("&time=") + QString::number(q.time) + QStringLiteral("&freq=") + q.freq
                       + QStringLiteral("&compidx=") + q.compidx + QStringLiteral("&comp=") + urlPart(q.comp)
                       + QStringLiteral("&uf=") + q.uf + QStringLiteral("&lf=") + q.lf + QStringLiteral("&ma=") + q.ma
                       + QStringLiteral("&maval=") + QString::number(q.maval) + QStringLiteral("&type=") + q.type
                       + QStringLiteral("&style=") + q.style + QStringLiteral("&size=") + q.size
                       + QStringLiteral("&state=0&rand=881"));
}
