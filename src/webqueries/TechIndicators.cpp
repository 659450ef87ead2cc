#include "webqueries/TechIndicators.h"

#include "core/Sites.h"
#include "webqueries/QueryWindows.h"

#include <QHash>

const QList<Indicator> &indicators()
{
    using P = IndicatorParam;
    static const QList<Indicator> table = {
        {QStringLiteral("Bollinger Bands"), QStringLiteral("Bollinger"), {{P::Box, 0, QStringLiteral("Legth"), QStringLiteral("30")}}},
        {QStringLiteral("Commodity Channel Index (CCI)"), QStringLiteral("CCI"), {{P::Box, 0, QStringLiteral("Legth"), QStringLiteral("18")}}},
        {QStringLiteral("Insider Trading"), QStringLiteral("Insider"),
         {{P::Check, 0, QStringLiteral("Buys"), QStringLiteral("1")},
          {P::Check, 1, QStringLiteral("Sells"), QStringLiteral("1")},
          {P::Check, 2, QStringLiteral("Option"), QStringLiteral("0")}}},
        {QStringLiteral("MACD"), QStringLiteral("MACD"),
         {{P::Box, 0, QStringLiteral("1st. MA"), QStringLiteral("28")},
          {P::Box, 1, QStringLiteral("2nd. MA"), QStringLiteral("13")},
          {P::Box, 2, QStringLiteral("3rd. MA"), QStringLiteral("4")}}},
        {QStringLiteral("Momentum"), QStringLiteral("Momentum"),
         {{P::Box, 0, QStringLiteral("Stk MA"), QStringLiteral("21")},
          {P::Box, 1, QStringLiteral("Distance"), QStringLiteral("22")},
          {P::Box, 2, QStringLiteral("Mom MA"), QStringLiteral("7")}}},
        {QStringLiteral("Moving Average"), QStringLiteral("Moving"),
         {{P::Box, 0, QStringLiteral("Lengh"), QStringLiteral("21")},
          {P::Check, 0, QStringLiteral("Standard"), QStringLiteral("1")},
          {P::Check, 1, QStringLiteral("Exponential"), QStringLiteral("0")}}},
        {QStringLiteral("NegativeVolume Index"), QStringLiteral("Negative"), {}},
        {QStringLiteral("On Balance Volume"), QStringLiteral("Balance"), {}},
        {QStringLiteral("Positive Volume Index"), QStringLiteral("Positive"), {}},
        {QStringLiteral("Stochastics"), QStringLiteral("Stochastics"),
         {{P::Box, 0, QStringLiteral("Lengh"), QStringLiteral("16")},
          {P::Box, 1, QStringLiteral("1st. MA"), QStringLiteral("11")},
          {P::Box, 2, QStringLiteral("2st. MA"), QStringLiteral("0")}}},
        {QStringLiteral("Wilder RSI"), QStringLiteral("Wilder"),
         {{P::Box, 0, QStringLiteral("Lengh"), QStringLiteral("14")}, {P::Box, 1, QStringLiteral("MA"), QStringLiteral("2")}}},
    };
    return table;
}

const QList<Span> &spans()
{
    static const QList<Span> table = {
        {QStringLiteral("Day"), QStringLiteral("Day"), 1},
        {QStringLiteral("2 Days"), QStringLiteral("2 Dayes"), 2},
        {QStringLiteral("5 Dayes"), QStringLiteral("5 Dayes"), 5},
        {QStringLiteral("10 Days"), QStringLiteral("10 Dayes"), 10},
        {QStringLiteral("Month"), QStringLiteral("Month"), 21},
        {QStringLiteral("6 Month"), QStringLiteral("6 Month"), 130},
        {QStringLiteral("Year"), QStringLiteral("Year"), 260},
        {QStringLiteral("2 Years"), QStringLiteral("2 Years"), 520},
        {QStringLiteral("5 Years"), QStringLiteral("5 Years"), 1300},
        {QStringLiteral("10 Years"), QStringLiteral("10 Years"), 2600},
        {QStringLiteral("Max"), QStringLiteral("Max"), 99999},
    };
    return table;
}

QString indicatorText(const QString &name, const QStringList &boxes, const QList<int> &checks,
                      const QString &symbol)
{
    const QString D0 = urlPart(boxes.value(0)), D1 = urlPart(boxes.value(1)), D2 = urlPart(boxes.value(2));
    const QString C0 = QString::number(checks.value(0)), C1 = QString::number(checks.value(1)),
                  C2 = QString::number(checks.value(2));
    const QString SYM = urlPart(symbol.toUpper());
    const QString c = QStringLiteral(",");
    // Each indicator's code and the order of its values on the chart site.
    // Moving Average (code 202: length, then 1 for exponential) and Wilder
    // RSI (code 213: length, then its average) send what their own boxes
    // show.
    static const QHash<QString, int> code = {
        {QStringLiteral("Bollinger"), 0}, {QStringLiteral("CCI"), 1},      {QStringLiteral("Insider"), 2},
        {QStringLiteral("MACD"), 3},      {QStringLiteral("Momentum"), 4}, {QStringLiteral("Moving"), 5},
        {QStringLiteral("Negative"), 6},  {QStringLiteral("Balance"), 7},  {QStringLiteral("Positive"), 8},
        {QStringLiteral("Stochastics"), 9}, {QStringLiteral("Wilder"), 10},
    };
    switch (code.value(name, -1)) {
    case 0: return QStringLiteral("216,") + D0 + QStringLiteral(",0,0,0&TESelect=216&Symbol=") + SYM;
    case 1: return QStringLiteral("200,") + D0 + QStringLiteral(",0,0,0&TESelect=200&Symbol=") + SYM;
    case 2:
        return QStringLiteral("103,1,1,0,0&TESelect=103&Symbol=") + SYM + QStringLiteral("&Oval1=") + C0
               + QStringLiteral("&Oval2=") + C1 + QStringLiteral("&Oval3=") + C2;
    case 3:
        return QStringLiteral("204,") + D0 + c + D1 + c + D2 + QStringLiteral(",0&TESelect=204&nocache=85874&PH=2&Symbol=")
               + SYM;
    case 4:
        return QStringLiteral("206,") + D0 + c + D1 + c + D2 + QStringLiteral(",0&TESelect=206&nocache=85922&PH=2&Symbol=")
               + SYM;
    case 5:
        return QStringLiteral("202,") + D0 + c + (checks.value(1) ? QStringLiteral("1") : QStringLiteral("0"))
               + QStringLiteral(",0,0&TESelect=202&Symbol=") + SYM;
    case 6: return QStringLiteral("161,0,0,0,0&TESelect=161&Symbol=") + SYM;
    case 7: return QStringLiteral("160,0,0,0,d&TESelect=160&Symbol=") + SYM;
    case 8: return QStringLiteral("162,0,0,0,0&TESelect=162&Symbol=") + SYM;
    case 9: return QStringLiteral("210,") + D0 + c + D1 + c + D2 + QStringLiteral(",0&TESelect=210&Symbol=") + SYM;
    case 10: return QStringLiteral("213,") + D0 + c + D1 + QStringLiteral(",0,0&TESelect=213&Symbol=") + SYM;
    default: return QString();
    }
}

QString techGraphUrl(const QString &indicator, int spanDays)
{
    return siteUrl(Site::TechnicalCharts, QStringLiteral("/wsc/Technical.html?ind=s,") + indicator
                                              + QStringLiteral("&Timespan=") + QString::number(spanDays));
}
