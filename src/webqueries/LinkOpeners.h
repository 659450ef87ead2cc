#pragma once

#include <QString>

// Pages and streams of outside sites opened in the browser or player for
// the current stock (CurSymbol), each picked by a row index. Every address
// goes through OpenUrl, which checks the connection first. An index
// outside an opener's rows opens nothing (the ratio charts excepted: they
// open their page with an empty field). The tree's link leaves are the
// callers.

// Rows 0 to 8: the intraday chart, the 3-month to 5-year and average
// charts, the interactive chart. No symbol: "Select any stock graph."
void OpenChartPage(short index);
// Rows 0 to 13: the news pages of fourteen sources. Row 14 shows the news
// query window with the upper-cased symbol in its first box. No symbol:
// "Select any stock."
void OpenNewsPage(short index);
// Rows 0 to 20: the financial-ratio charts. Asks about the connection
// first; a symbol of fewer than two characters gets "Select Some Stock
// Symbol."
void OpenRatioChart(short index);
// Rows 0 and 1: the stock's message boards; row 2 the IPO board topics.
// Asks about the connection first; without a symbol nothing happens.
void OpenBoards(short index);
// Rows 0 to 7: the industry-group views of the stock (even without one).
void OpenIndustryGroup(short index);
// Rows 0 to 10: the television streams; rows 0 to 16: the radio streams.
void PlayVideo(short index);
void PlayAudio(short index);

