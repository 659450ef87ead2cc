#pragma once

#include <QString>

// State shared by the main window, the sheets and the dialogs.

// Symbol of the selected stock ("" when none is selected).
extern QString CurSymbol;
// Key of the sheet now shown in the grid ("Current", "Port", "PortLog", "IT", ...).
extern QString CurType;

// Purchase hand-over between the main window's menus and the trade dialogs:
// "NewStock", "Sell" or "Edit", the symbol traded and the lot a sale closes.
extern QString PurchaseMode;
extern QString TradeSymbol;
extern double LotPrice;
extern short LotIndex;
extern short LotShares;

// Minutes between automatic updates (0 = manual), from "AutoUpdate".
extern short UpdateInterval;
// 1 ascending or 2 descending (0 before the first sort, so that it sorts
// ascending); toggled by a double click on a grid.
extern short SortOrder;
// The display settings "Fractions" and "Volume" as last read.
extern QString ShowFractions;
extern QString ShowVolume;

// Back to the values at program start (for tests).
void resetSharedState();
