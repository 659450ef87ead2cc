#pragma once

#include <QString>

#include <array>

// The distinct symbols of the portfolio, for the tree's "Portfolio Detail"
// branch and the one-symbol transactions sheet. Slots 0 to 99 in order; an
// empty text marks a free slot.
inline constexpr int PortSymbolSlots = 100;
extern std::array<QString, PortSymbolSlots> PortSymbols;

// Puts the symbol into the first free slot; nothing when all are taken.
void AddPortSymbol(const QString &symbol);

// Every slot free.
void clearPortSymbols();
