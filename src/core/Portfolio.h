#pragma once

#include "core/RecordFile.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

// The user's trades and their file "Portfolio.dat".

// One trade: a purchase ("Buy") or a sale ("Sell") pointing back at the
// purchase it sells from. Field order is the file order.
struct PortRec
{
    QString Symbol;        // "" = free entry
    QString DateText;      // trade date as the user typed it
    float Price = 0;       // per share
    qint16 Shares = 0;
    float Commission = 0;
    QString Extra;         // the stock's last-sale text as of the last price update
    QString Action;        // "Buy" or "Sell"
    double TradeDate = 0;  // days since 30 December 1899; 0 for a purchase
    qint16 RefId = 0;      // a purchase's own reference number; a sale's purchase

    bool operator==(const PortRec &) const = default;
};

inline constexpr int PortSize = 101; // entries 0 to 100; 100 is filed but not counted

extern std::array<PortRec, PortSize> Port;
// Scratch space of CleanPortfolio; empty outside it.
extern std::array<PortRec, 100> TmpPort;
// Entries 0 to 99 with a symbol, as counted by the last ReadPortfolio.
extern short PortCount;

// What CheckSold answers for a purchase of which nothing is held any more
// (apart from any share count, 30,000 included).
inline constexpr short SoldOut = -1;

// The 101 entries of Port to DataDir\Portfolio.dat; false (the file as it
// was) when it could not be written, the system's reason in *why.
bool WritePortfolio(QString *why = nullptr, DiskSync sync = DiskSync::Synced);
// Reads Portfolio.dat (created empty when missing) into Port and counts
// PortCount. A short or damaged file fills Port as far as it is whole.
void ReadPortfolio();
// Writes the portfolio, reads it back and redraws the holdings or trade-log
// sheet when shown. "" when saved; otherwise a message naming the file and
// why, and Port keeps what it holds (nothing is read back over it).
QString SavePortfolio();
// SavePortfolio; when the file cannot be written, Port goes back to before
// (what the file still holds) and the answer says why.
QString SavePortfolioOrRestore(const std::array<PortRec, PortSize> &before);

// Stores the arguments that carry a value into Port(Index): texts when not
// "", numbers and dates when above 0, Extra when its leading number is above
// 0; the other fields keep what the entry held, so an edit passes only what
// changed. An Index outside 0 to 100 stores nothing. Then SavePortfolio;
// its answer is returned.
QString UpdatePurchase(const QString &Action, const QString &Symbol, qint16 Shares, float Commission,
                       const QString &DateText, double Price, const QString &Extra, double TradeDate,
                       qint16 RefId, qint16 Index);

// The entry for a new trade: the first one from 1 to 99 that holds no trade
// and that no trade names as its purchase (an older file may keep a sale
// whose purchase is gone); its index is also a purchase's reference number.
// -1 when the portfolio is full. Entry 0 stays free and entry 100 is never
// given out, so a new trade never lands on a live one.
short FreePortIndex();

// Blanks every entry whose symbol is shorter than 2 characters, and entry
// 100; the others keep their indexes. Neither saves nor recounts.
void CleanPortfolio();
// Empties the whole portfolio, saves it, reads it back and redraws the sheet.
// When the file cannot be written, the portfolio stays as the file holds it
// and the answer says why (empty on success).
QString ClearPortfolio();

// Shares still held of purchase Id of symbol (which bought Shares): 0 when
// no sale refers to it, SoldOut when the sales of that symbol referring to
// it (every entry, 100 too) add up to Shares or more, otherwise Shares less
// those sales. A sale counts only against a purchase of its own symbol.
short CheckSold(qint16 Id, qint16 Shares, const QString &Symbol);

// Empty portfolio, as at program start (for tests).
void resetPortfolio();

// For the bytes of "Portfolio.dat": nullopt when they are whole (101
// entries, perhaps with bytes behind them) or empty; otherwise the file was
// cut off or garbled, and the answer is how many trades the entries read
// before it ran out hold.
std::optional<int> tradesInDamagedPortfolio(const QByteArray &bytes);
