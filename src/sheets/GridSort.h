#pragma once

#include <QString>

class FlexGrid;

// The sheets a double click sorts: prices, surprises, filings, insider
// trades, big movers, analyst actions and the option chains.
bool isSortableSheet(const QString &sheetKey);

// Sorts a sheet's data rows by the selected columns (Col to ColSel) with
// the grid's generic sort (1 ascending, 2 descending). The rows are those
// of the selection when it spans several rows, else every row. Headings,
// the title or hidden row under them (row 1), rows of height 0, empty rows
// and bold rows (titles and totals) never move: each unbroken run of data
// rows between them is sorted on its own. The selection is left as it was.
void SortSheet(FlexGrid &grid, int setting);

// A double click on a sheet with this key: a sortable sheet is sorted the
// other way round from the last sort (SortOrder, shared by every grid),
// the first time ascending; any other sheet stays as it is.
void DoubleClickSort(const QString &sheetKey, FlexGrid &grid);
