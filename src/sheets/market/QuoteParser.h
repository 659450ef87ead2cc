#pragma once

#include <QString>

// The quote parser of the price update: turns the cached single-stock quote
// page "Cache\DataSheet\quote.Sh" into the quote fields of one stock record.

// Fills the quote fields of Sets(Index) from the cached quote page and
// returns the company name it found ("" when the page yields none).
//
// Only the text between "<!-- SECTION: single stock quote -->" and the next
// "!--END: of insert" is read; its non-empty <td> cells count from 0: 0 the
// name, 1 the time of the last update, then label/value pairs whose values
// (the odd cells 3 to 37) go to LastSale, Open, Change, PrevClose,
// PctChange, High52, Volume, Low52, DayHigh, EPS, DayLow, PERatio, Bid,
// DivPerShare, Ask, Exchange, LastTradeSize and Industry, as text. A field
// whose cell the page lacks keeps its value. A missing file or a page
// without both markers writes nothing; an Index outside 0 to 200 writes
// nothing but the name is still returned. Never fails.
QString ParseQuote(short &Index);
// The same for the stock of this symbol: events run while the page is
// read, so its record is looked up after that, by the symbol, and Index
// tells where it stood (-1, and nothing written, when the set no longer
// holds the stock).
QString ParseQuote(short &Index, const QString &symbol);

// The path of the cached quote page under DataDir.
QString quoteCachePath();
