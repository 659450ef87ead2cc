#pragma once

#include <QString>
#include <QtGlobal>

// The four IPO calendars of the finance portal, each a cached page of one
// table: pricings ("IPO_Price"), gainers ("IPO_Gain"), losers ("IPO_Loss")
// and registrations ("IPO_Reg"). The fetches run in the batch run; the
// fills draw the sheets.
void Update_IPO_Price();
void Update_IPO_Gain();
void Update_IPO_Loss();
void Update_IPO_Reg();

void FG_IPO_Price();
void FG_IPO_Gain();
void FG_IPO_Loss();
void FG_IPO_Reg();

// Replies shorter than this are error pages, never an IPO page.
inline constexpr qint64 MinIpoPageBytes = 2500;

// A cell of an offering row: the row's last cell holds its "More Info"
// words ("News, Chart, Profile"), which become cells of their own wherever
// that cell falls, each with the link look where its column is a link
// column; any other cell is written as the data sheet pattern writes it
// (a comma in a company name stays in its cell). Nothing is written past
// the last column. Shared by the IPO sheets whose rows end with such a cell.
struct SheetWalk;
void offeringCell(SheetWalk &walk, QStringView cellHtml);
