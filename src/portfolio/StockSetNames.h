#pragma once

#include <QString>

inline constexpr int SetNameCount = 21; // sets 0 to 20

// The name the set menu shows for set n: the stored "Group<n>" value under
// the settings' "Groups" key, or "Group<n>" itself when that is missing or empty.
QString StockSetName(int n);

// Blanks the quote data of Sets(index) and marks it "No Current Stock"; the
// symbol stays. An index outside 0 to 200 changes nothing. Only memory
// changes: storing the set is the caller's.
void ClearStockRec(short &index);
