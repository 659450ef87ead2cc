#pragma once

#include <QString>

// The 24 big-mover lists (eight rankings on three exchanges), each a
// cached report page "Br<kind>_<exchange>.Sh", drawn under the key "BR":
// one ranking row a grid row, the company's address in hidden column 9.

// The list's title ("Most Active Stocks (NASDAQ)"), found without regard
// to letter case; "" for a name outside the lists.
QString bigMoversTitle(const QString &fileName);
// Hourglass, key "BR", the title, and the sheet.
void ShowBigMovers(const QString &fileName);
// The sheet of one cached list; a list without its ranking table shows
// "No data for: " and the caption.
void Pares_BR(const QString &FileName, const QString &Caption);
