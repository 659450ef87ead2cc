#include "core/SharedState.h"

QString CurSymbol;
QString CurType;
QString PurchaseMode;
QString TradeSymbol;
double LotPrice = 0;
short LotIndex = 0;
short LotShares = 0;
short UpdateInterval = 0;
short SortOrder = 0;
QString ShowFractions;
QString ShowVolume;

void resetSharedState()
{
    CurSymbol.clear();
    CurType.clear();
    PurchaseMode.clear();
    TradeSymbol.clear();
    LotPrice = 0;
    LotIndex = 0;
    LotShares = 0;
    UpdateInterval = 0;
    SortOrder = 0;
    ShowFractions.clear();
    ShowVolume.clear();
}
