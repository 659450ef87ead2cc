#pragma once

#include <QFontMetrics>
#include <QString>
#include <QStringList>

#include <algorithm>

// How the grid view lays a cell's text out: the room it keeps between the
// text and the cell's edges, and its line breaks.

inline constexpr int CellTextPadX = 3, CellTextPadY = 1; // pixels

// The text as drawn: a carriage return, with or without its line feed,
// breaks the line.
inline QString cellDisplayText(QString text)
{
    if (!text.contains(QLatin1Char('\r')))
        return text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// The width of a drawn text's widest line.
inline int widestTextLine(const QFontMetrics &metrics, const QString &shown)
{
    if (!shown.contains(QLatin1Char('\n')))
        return metrics.horizontalAdvance(shown);
    int widest = 0;
    for (const QString &line : shown.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}
