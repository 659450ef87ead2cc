#pragma once

#include <QString>

// The market-wide page fetches of the batch run: one page each into the
// page cache. Nothing is fetched once StopFlag is set; a page the download
// does not replace stays as it was.

// One big-movers report (1 to 8) of one exchange (2 NASDAQ, 1 NYSE,
// 3 AMEX) into "\Cache\DataSheet\Br<Code>.Sh"; Title goes into the status.
void UpdateBigMovers(short Report, const QString &Code, short Exchange, const QString &Title);
// Top 25 earnings surprises: "\Cache\DataSheet\25_surp.Sh".
void UpdateSurp();
// Percentage winners: "\Cache\DataSheet\mwwinners.Sh".
void UpdateWinners();
// Percentage losers: "\Cache\DataSheet\mwlosers.Sh" (under 2500 bytes: deleted).
void UpdateLosers();
// Upgrades and downgrades: "\Cache\DataSheet\UpDown.Sh" (under 2500 bytes: deleted).
void UpdateUpDown();

// The arguments of UpdateBigMovers for the batch run's boxes 20 to 43:
// box = 20 + 3 x (report - 1) + column, column 0 NASDAQ, 1 NYSE, 2 AMEX.
struct BigMoversReport
{
    short report = 0;
    QString code;     // "PG_Q", "52-WPH_N", ...
    short exchange = 0;
    QString title;    // "Price-Gain (NASDAQ)", ...
};
inline constexpr int FirstBigMoversBox = 20;
inline constexpr int LastBigMoversBox = 43;
// The report of a box; report 0 for a box outside 20 to 43.
BigMoversReport bigMoversReportOfBox(int box);
