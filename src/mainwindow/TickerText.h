#pragma once

#include <QString>
#include <QStringList>

struct StockRec;

// The texts the headline ticker is given (items ended by ";") and the
// address behind each item.

// "... Latest <name> News ...;" and the stock's headlines without their
// addresses; links gets one entry per item (the heading's and those of
// headlines without an address empty).
QString tickerHeadlines(const QString &name, const QString &headlines, QStringList *links);
// One quote line of a stock.
QString tickerQuote(const StockRec &s);
// The quotes of every stock of the set, four stocks to an item.
QString tickerQuotes();
