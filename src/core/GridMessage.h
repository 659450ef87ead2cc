#pragma once

#include <QString>

// Height of the main grid's row 0 in twips as measured when the main window
// loaded; sheet rows are multiples of it.
extern short BaseRowHeight;

// Turns the main window's grid into one large cell showing a notice (a
// sheet with no data for the selected stock): one row three base rows high,
// column 0 as wide as the grid, the notice centred, window background, no
// grid lines. The column count and the other columns' widths stay. Always
// the main grid, also while a zoom window is being drawn. A step the grid
// refuses is skipped.
void FG_Message(const QString &Message);

// Back to the start-up value (for tests).
void resetGridMessage();
