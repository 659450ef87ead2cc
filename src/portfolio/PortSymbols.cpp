#include "portfolio/PortSymbols.h"

std::array<QString, PortSymbolSlots> PortSymbols;

void AddPortSymbol(const QString &symbol)
{
    for (QString &slot : PortSymbols) {
        if (slot.isEmpty()) {
            slot = symbol;
            return;
        }
    }
}

void clearPortSymbols()
{
    for (QString &slot : PortSymbols)
        slot.clear();
}
