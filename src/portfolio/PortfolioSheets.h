#pragma once

#include <QString>

// The portfolio's sheets, drawn from "Portfolio.dat":
// the holdings ("Port"): every purchase still held, grouped by symbol, a
// total row per symbol and the profit or loss of all;
// the trade log ("PortLog"): every trade in entry order and the gains of
// the sales;
// one symbol's purchases ("PortSelected") with what its sales left.
void FG_Portfolio_All();
void FG_PortfolioLog();
void FG_Portfolio_Selected(const QString &symbol);
