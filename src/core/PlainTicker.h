#pragma once

#include <QString>

// A stock symbol goes into a web address or a cache file name only when it
// is a plain ticker: one or more ASCII letters, digits, '.', '-' or '^',
// and no "..". Anything else (a "/", a blank, a path step) is refused, so a
// symbol typed into a set can never make a fetch write outside the cache.
bool isPlainTicker(const QString &symbol);
