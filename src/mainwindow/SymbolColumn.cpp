#include "mainwindow/SymbolColumn.h"

#include <cmath>

int GaugeMarkerX(double r, int W)
{
    return int(std::nearbyint(((5 - r) * (W - W * 6.5 / 100) + r * (W * 2.5 / 100)) / 4));
}
