#pragma once

#include <QString>
#include <QStringList>

// The fund site's pages: the option market summary ("OptSum.Sh", key
// "OptSum", three tables) and the 22 fund lists (key = cache name,
// "F_Conv" ... "F_Vanguard").
void Update_OptSum();
// 0 volume leaders, 1 gainers, 2 losers.
void FG_OptSum(short Index);

// The list keys in the update run's order (boxes 61 to 82).
const QStringList &fundKeys();
void Update_Funds(const QString &key);
void FG_Funds(const QString &key);
