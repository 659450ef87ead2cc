#pragma once

// The price sheet of the current stock set (key "Current"): one row per
// stock from the quote fields of its record, the default view of the
// main window.

// Draws the price sheet into the target grid (the main grid, or a new zoom
// window's grid while ZoomFlag is set). Records 0 to SetCount - 1 are
// walked in order; a record whose row text is shorter than 29 characters
// (no quote data) is left out. Column 0 carries a picture: "DN" for a
// falling percent change, "UP" for a rising one, "LOW" or "HIGH" when the
// last sale is below the low target or above the high target. Prices
// follow ShowFractions, the volume ShowVolume. A field that is not a
// number (an "N/A" change or price) only goes without its picture; the
// sheet always goes on to the last stock.
void FG_Current();

// The stock-set record a row of the price sheet shows: the first record
// whose quote cells all read as the row's, columns matched by heading so
// that a sort or a moved column does not matter; -1 when none does.
class FlexGrid;
int PriceSheetRecord(const FlexGrid &grid, int row);

// The grid context menu's check item "Old Style Background"; the menu keeps
// it in step. When set, every second stock row is striped light yellow.
extern bool OldStyleBackground;

// A price and a volume as the sheets show them: prices as fractions (as
// stored) while "Display as fractions" is ticked, else as decimals; the
// volume in hundreds while "Volume in 100's" is ticked, else whole. A box
// never stored counts as ticked, as the settings form shows it.
class QString;
QString shownPrice(const QString &stored);
QString shownVolume(const QString &stored);
