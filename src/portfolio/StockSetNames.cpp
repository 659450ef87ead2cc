#include "portfolio/StockSetNames.h"

#include "core/Registry.h"
#include "core/Stocks.h"

QString StockSetName(int n)
{
    const QString valueName = QStringLiteral("Group%1").arg(n);
    const QString name = QueryValue(HKEY_CURRENT_USER, QString::fromLatin1(GroupsKey), valueName).toString();
    return name.isEmpty() ? valueName : name;
}

void ClearStockRec(short &index)
{
    if (index < 0 || index >= SetSize)
        return;
    StockRec &r = Sets[index];
    const QString zero = QStringLiteral("0");
    for (QString *f : {&r.LastSale, &r.PctChange, &r.Change, &r.DayHigh, &r.DayLow, &r.Volume, &r.Ask, &r.Bid,
                       &r.LastTradeSize, &r.PERatio, &r.DivPerShare, &r.Open, &r.PrevClose, &r.High52, &r.Low52,
                       &r.EPS})
        *f = zero;
    r.Name = QStringLiteral("No Current Stock");
    r.Exchange.clear();
    r.Industry.clear();
    r.LastUpdate.clear();
    r.Reserved0.clear();
    r.Reserved25.clear();
    // A quote page that cannot be read says nothing about the analysts'
    // rating, and the alert limits are the user's own: all three stay.
}
