#pragma once

// The 37 US market indicators in seven sections: the quote portal's page
// ("US.Sh") is fetched in the update run and cut into the US table, kept
// in "US.dat"; the sheet ("US") is drawn from that table.
void Update_US();
void Parse_US();
void FG_US();

// The title of the section that starts at indicator index, "" for the
// others; the section rows stand at grid rows 2, 7, 12, 17, 22, 36, 41.
const char *usSectionOf(int index);
