#pragma once

#include "core/Portfolio.h"

#include <QList>
#include <QString>

#include <optional>

// Recording trades into the portfolio, as the purchase dialog does on OK.
// Each answers "" when it stored the trade, else why it did not: a field
// that holds no valid entry (the message names it), a sale larger than its
// purchase holds, a full portfolio, or a file that could not be written.
// Whatever the reason, the portfolio in memory and on disk stays as it was,
// so the same OK can be tried again without storing the trade twice.

struct TradeFields
{
    QString date;       // as typed; "" is today
    QString shares;     // a whole number of shares, 1 to 32,767
    QString price;      // per share, 0 to 1,000,000,000
    QString commission; // "" counts as 0
};

// A purchase of symbol into the first free entry; its reference number is
// that entry. extra is the stock's market price text.
QString BuyStock(const QString &symbol, const TradeFields &f, const QString &extra);

// The entry of the purchase of symbol whose reference number is ref; -1
// when the portfolio holds none.
int PurchaseSlot(const QString &symbol, qint16 ref);
// The entries of the sales made from the purchase in entry index.
QList<int> SalesOf(int index);

// The shares of symbol's purchase lotRef still held (its own shares less
// every sale of that symbol that refers to it); 0 when none is held or no
// such purchase exists.
int SharesHeld(const QString &symbol, qint16 lotRef);

// A sale of shares of symbol's purchase lotRef: never more than the lot
// still holds. Its realized gain goes into the record's gain field.
QString Sell(const QString &symbol, qint16 lotRef, const TradeFields &f, const QString &extra);

// A sale's realized gain, signed, to the cent: its proceeds less its
// commission, less what the shares sold cost (their purchase price and
// their share of the purchase's commission). nullopt when the portfolio no
// longer holds the purchase.
std::optional<double> SaleGain(const PortRec &sale);

// The texts the edit window shows for entry index: the stored date text
// and the numbers as their shortest exact texts.
TradeFields EditFields(qint16 index);

// Rewrites entry index with what the user typed. A field still reading as
// EditFields shows it keeps its stored value exactly; a changed one must be
// a valid entry. A purchase keeps at least the shares sold from it and a
// sale at most what its purchase holds besides. The gains of the sales
// concerned follow a changed price, quantity or commission.
QString EditTransaction(qint16 index, const TradeFields &f);

// Removes trade index (0 to 100) and saves the portfolio. A purchase goes
// with the sales made from it, which would otherwise point at nothing;
// nothing else changes.
QString DeleteTrade(qint16 index);
