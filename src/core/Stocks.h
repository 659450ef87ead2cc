#pragma once

#include "core/RecordFile.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

// The current stock set, its file "Set<n>.dat" and the US index table.

// One stock of a set with its latest quote. Quote fields hold the text as the
// quote page gave it (prices may be fractions, "12 3/8"; FormatP turns them
// into decimals). Field order is the file order.
struct StockRec
{
    QString Reserved0;     // not used; kept with the record
    QString Symbol;        // "" = free slot
    QString Name;
    float Rating = 0;      // analysts' average, 1 strong buy .. 5 sell; 0 or less = none
    QString LastSale;
    QString PctChange;     // its sign picks the up/down picture
    QString Change;
    QString DayHigh;
    QString DayLow;
    QString Volume;
    QString Ask;
    QString Bid;
    QString LastTradeSize;
    QString PERatio;
    QString DivPerShare;
    QString Open;
    QString PrevClose;
    QString High52;
    QString Low52;
    QString EPS;
    QString Exchange;
    QString Industry;
    QString LastUpdate;    // quote time as the page gives it
    float LowTarget = 0;   // alert limits; 0 = none
    float HighTarget = 0;
    QString Reserved25;    // not used; kept with the record

    bool operator==(const StockRec &) const = default;
};

// One row of the US market indicators sheet.
struct USRec
{
    QString LastTrade;
    QString TradeTime;
    QString Change;
    QString PctChange;
    QString MoreInfo;

    bool operator==(const USRec &) const = default;
};

inline constexpr int SetSize = 201;   // records 0 to 200
inline constexpr int USSize = 37;     // rows 0 to 36

// The current set. A record with an empty Symbol is a free slot; stocks need
// not stand together.
extern std::array<StockRec, SetSize> Sets;
// Scratch space of CompactSet; empty outside it.
extern std::array<StockRec, SetSize> TmpSets;
// Records with a symbol, as counted by the last ReadStocks (only it sets this).
extern short SetCount;
// The current set: 0 is "All Stocks", 1 to 20 the user's groups.
extern short CurSetNo;
// Index of the record that the last successful GetStockLine found.
extern short FoundIndex;

extern std::array<USRec, USSize> US;

// Reads DataDir\Set<CurSetNo>.dat (created empty when missing) into Sets and
// counts SetCount. A short or damaged file fills Sets as far as it is whole,
// leaves the rest blank and is logged as "Stocks_ReadStocks".
void ReadStocks();
// Writes the 201 records of Sets to the current set's file. False when the
// file could not be written (why says why, and the error log has it); the
// file on disk is then as it was and Sets keeps the change. A set unchanged
// since it was last read or written, in a file nothing else changed, is not
// written again; only the records that changed are laid out anew. The update
// run's save after each stock need not wait for the disk (DiskSync::Renamed).
bool SaveStocks(QString *why = nullptr, DiskSync sync = DiskSync::Synced);
// What the user is told when the current set's file could not be saved.
QString setNotSavedMessage(const QString &why);
// True when Sets holds changes (alert targets, quotes) not yet written to
// the current set's file.
bool SetsChangedSinceRead();

// Lookups walk every record (free ones hold no symbol, so never match).
// For the first record whose Symbol equals symbol (case-sensitive):
// sets FoundIndex and returns Name, Change, PctChange, Volume, DayHigh,
// DayLow, Bid, Ask, LastTradeSize, Open, PrevClose, High52, Low52, EPS,
// PERatio, DivPerShare, Exchange, Industry, LastUpdate joined by ";".
// "" (FoundIndex unchanged) when absent.
QString GetStockLine(const QString &symbol);
// First index whose Symbol equals symbol; 0 when absent, which callers
// cannot tell from a hit at 0 (compare the record's Symbol).
short FindSymbol(const QString &symbol);
// The index of the symbol's record, -1 when the set holds no such stock.
short StockIndex(const QString &symbol);
// FormatP of the LastSale (two decimals) of the symbol; "" when absent.
QString GetPriceText(const QString &symbol);
// Rating of the symbol among 0 to 200; 0 when absent.
float GetRating(const QString &symbol);
// The company name of the symbol's first record (searched among all
// records), or the symbol itself when the name is shorter than 2
// characters; "" when the symbol is "" or absent.
QString DisplayNameOf(const QString &symbol);
// DisplayNameOf(CurSymbol).
QString GetDisplayName();
// An alert limit as the shortest text that reads back as exactly the
// same single ("12345.67", "0").
QString limitText(float limit);

// Blanks every field of Sets(index); SetCount is not changed.
void BlankStockRec(short index);
// Moves the stocks whose symbol has 2 or more characters to the front in
// their order and blanks the rest (one-character symbols are dropped).
// SetCount is not changed and nothing is saved.
void CompactSet();

// Removes the stock of record index from the current set, closes the gap
// and saves the set's file. "" when done; otherwise what the user is told:
// an Update runs (nothing changed), or the file could not be written (the
// set in memory goes on without the stock; the next save keeps that).
QString RemoveStock(short index);

// The US index table to and from DataDir\US.dat.
void WriteUS();
void ReadUS();

// Path of the current set's file, and of set n's.
QString setFilePath();
QString setFilePath(short n);

// For the bytes of a set file: nullopt when they are whole (201 records,
// perhaps with bytes behind them, as old files have) or empty (a new
// set); otherwise the file was cut off or garbled, and the answer is how
// many stocks the records read before it ran out hold.
std::optional<int> stocksInDamagedSetFile(const QByteArray &bytes);

// Blank sets, US table and counters, as at program start (for tests).
void resetStocks();
