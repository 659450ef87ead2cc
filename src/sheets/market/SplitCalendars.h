#pragma once

// The five stock-split calendars of the analyst-data site, fetched over
// the socket: 0 today's, 1 this week's, 2 next week's, 3 recently
// announced, 4 the technology stocks with the most splits (keys "FMS0"
// to "FMS4"). An index outside 0 to 4 fetches and draws nothing.
void Update_SplitCal(short index);
void FG_SplitCal(short index);
