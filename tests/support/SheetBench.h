#pragma once

#include "support/RecordingMainWindow.h"
#include "support/TempProfile.h"

#include <QString>

// What every sheet test stands on: a fresh profile, a recording main
// window whose grid is 12,000 twips wide, the shared state, stocks, target
// grid and grid message reset, and the base row height of the main grid.
// Everything is put back when it goes out of scope.
class SheetBench
{
public:
    SheetBench();
    ~SheetBench();
    SheetBench(const SheetBench &) = delete;
    SheetBench &operator=(const SheetBench &) = delete;

    // Sets[index] holds symbol and name; SetCount counts up to it.
    void addStock(int index, const QString &symbol, const QString &name = QString());

    TempProfile profile;
    RecordingMainWindow window;
    FlexGrid &grid = window.grid;
};
