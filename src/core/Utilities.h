#pragma once

#include "core/Variant.h"
#include "platform/FlexGrid.h"

#include <QList>
#include <QString>

// The helpers through which every sheet formats the grid it fills (the main
// grid, a zoom window's grid, the news grid). Each one ignores any failure
// and goes on with its next step, so a call on a grid too small for the
// given row, column or list never stops the sheet. A null grid does nothing.
// Lists hold column i in element i.

// Makes (row, col) the current cell, writes the text and formats the cell:
// alignment, back colour, bold, no underline (undoing an earlier link
// look), fore colour. A colour 0 leaves the grid's standard colour. The
// seventh argument has no effect.
void SetCell(FlexGrid *grid, short row, short col, const QString &text, short align, bool bold,
             const Variant &unused, OleColor foreColor, OleColor backColor);

// Gives the cells of one column from fromRow to toRow the link look:
// underlined and blue. Leaves (toRow, col) current.
void SetLinkCells(FlexGrid *grid, short fromRow, short toRow, short col);

// Column i's width = the grid's outer Width x widths(i) / 100, rounded to
// whole twips with halves going to the even neighbour.
void SetColWidths(FlexGrid *grid, const QList<Variant> &widths);

// Column i's alignment = aligns(i), one of the grid's alignment codes.
void SetColAlign(FlexGrid *grid, const QList<Variant> &aligns);
void SetColAlign2(FlexGrid *grid, const QList<Variant> &aligns);

// TextArray(i) = titles(i): row 0 from column 0, running on into row 1 when
// there are more titles than columns.
void SetHeaders(FlexGrid *grid, const QList<Variant> &titles);
