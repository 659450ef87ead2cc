#pragma once

#include <QString>

// A stock's cached headlines: each line of "Cache\News\<symbol>.txt" less
// its first and last characters, joined with nothing between; "" when the
// file is missing or a line is shorter than two characters.
QString ReadHeadlines(const QString &symbol);
// The text without its "#"-delimited web addresses.
QString StripTickerLinks(const QString &text);

// What the spoken summaries read: 0 the headlines of the current stock,
// 1 its quote, 2 the headlines of every stock of the set, 3 every quote;
// "" for any other mode.
QString SpokenSummary(short mode);
