#pragma once

#include <QString>

// Recording trades into the portfolio, as the purchase dialog does on OK.
// Each answers "" when it stored the trade, else why it did not (the
// dialog shows that and stores nothing).

struct TradeFields
{
    QString date;       // as typed; not a date: today
    QString shares;     // a whole number of shares, 1 to 32,767
    QString price;      // per share
    QString commission; // "" counts as 0
};

// A purchase of symbol into the first free entry; its reference number is
// that entry. extra is the stock's market price text.
QString BuyStock(const QString &symbol, const TradeFields &f, const QString &extra);

// The shares of purchase lotRef still held (its own shares less every sale
// that refers to it); 0 when none is held or no such purchase exists.
int SharesHeld(qint16 lotRef);

// A sale of shares of purchase lotRef: never more than the lot still
// holds. The gain figure shares x (commission + purchase price - sale
// price) is stored when above 0.
QString Sell(const QString &symbol, qint16 lotRef, const TradeFields &f, const QString &extra);

// Rewrites the date, shares, price and commission of entry index with what
// the user typed, 0 included; the other fields stay.
QString EditTransaction(qint16 index, const TradeFields &f);

// Removes trade index (0 to 100) and saves the portfolio. A purchase goes
// with the sales made from it, which would otherwise point at nothing.
void DeleteTrade(qint16 index);
