#include "support/SheetBench.h"

#include "core/GridMessage.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/TargetGrid.h"

#include <algorithm>

namespace {

void resetAll()
{
    resetSharedState();
    resetTargetGrid();
    resetStocks();
    resetGridMessage();
}

} // namespace

SheetBench::SheetBench()
{
    window.grid.setWidth(12000);
    resetAll();
    BaseRowHeight = 285;
}

SheetBench::~SheetBench()
{
    resetAll();
}

void SheetBench::addStock(int index, const QString &symbol, const QString &name)
{
    Sets[index].Symbol = symbol;
    Sets[index].Name = name;
    SetCount = short(std::max<int>(SetCount, index + 1));
}
