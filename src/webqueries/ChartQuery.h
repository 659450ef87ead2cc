#pragma once

#include <QList>
#include <QString>

// The interactive chart query: the option lists with their codes, the
// period positions of the slider, the saved options ("ChartOpt") and the
// chart address.

struct ChartChoice
{
    QString text;
    QString code; // what the address sends for it
};
using ChartList = QList<ChartChoice>;

const ChartList &priceDisplays(); // "&type="
const ChartList &backgrounds();   // "&style="
const ChartList &chartSizes();    // "&size="
const ChartList &lowerIndicators(); // "&lf="
const ChartList &movingAverages();  // "&ma="
const ChartList &upperIndicators(); // "&uf="
const ChartList &compareIndexes();  // "&compidx="
const ChartList &minuteFrequencies(); // "&freq=" for periods up to five days
const ChartList &dailyFrequencies();  // "&freq=" from a month on

// The code of the entry whose text is text; fallback when none is.
QString chartCode(const ChartList &list, const QString &text, const QString &fallback);

struct ChartPeriod
{
    QString label;
    QString tip;
    bool intraday; // which frequency list goes with it
    int time;      // what "&time=" sends
};
// Slider positions 0 to 14.
const QList<ChartPeriod> &chartPeriods();

// The saved options: list indexes (-1: nothing selected), the moving
// average's length text and the slider position.
struct ChartOptions
{
    int back = -1, disp = -1, frq = -1, index = -1, low = -1, move = -1, size = -1, up = -1;
    QString maval;
    int slider = 0;
};
// ",back,disp,frq,index,low,move,size,up,maval,slider,"
QString composeChartOpt(const ChartOptions &o);
// Fields restored from a stored value, in order; fields 1 to 8 as list
// indexes, 9 the length, 10 the slider position. Fields that do not read
// as a whole number in the 16-bit range are passed over. The count of
// fields read.
struct StoredChartFields
{
    QList<int> values;   // by field (1-based minus one); INT_MIN where passed over
};
StoredChartFields parseChartOpt(const QString &stored);

// A length or option text as a signed 16-bit whole number: to the nearest,
// a half to the even neighbour; 0 when it does not convert or is out of
// range.
int chartWholeNumber(const QString &text, bool *ok = nullptr);

struct ChartQuery
{
    QString symbol;
    int time = 1;
    QString freq, compidx, comp, uf, lf, ma;
    int maval = 0;
    QString type, style, size;
};
QString chartUrl(const ChartQuery &q);
