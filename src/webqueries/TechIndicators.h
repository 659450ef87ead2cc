#pragma once

#include <QList>
#include <QString>

// The technical-indicator chart: eleven indicators of the technical chart
// site, each with its parameter boxes and switches, and the time spans of
// the period slider.

struct IndicatorParam
{
    enum Kind { Box, Check };
    Kind kind;
    int index;       // D(index) or chk(index)
    QString caption;
    QString value;   // a box's text; "1" or "0" for a switch
};

struct Indicator
{
    QString caption; // the option button's caption
    QString name;    // the short name the query is built from
    QList<IndicatorParam> params;
};

// Rows 0 to 10, in the order of the option buttons.
const QList<Indicator> &indicators();

// The slider's positions 0 (top) to 10: the caption beside it, the tip
// text, the span in days.
struct Span
{
    QString caption;
    QString tip;
    int days;
};
const QList<Span> &spans();

// The indicator part of the query for the short name, the texts of the
// boxes D(0..2), the states of the switches chk(0..2) and the symbol (sent
// upper-cased). The box texts are percent-encoded. "" for an unknown name.
QString indicatorText(const QString &name, const QStringList &boxes, const QList<int> &checks,
                      const QString &symbol);

// The chart page's address.
QString techGraphUrl(const QString &indicator, int spanDays);
