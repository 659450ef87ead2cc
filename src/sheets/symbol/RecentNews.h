#pragma once

#include <QString>

// The headline files "Cache\News\<symbol>.txt": one line per item of the
// "Recent News" table of a symbol's quote page, read by the ticker and the
// spoken summaries.
//
// Line format (Latin-1): a double quote, the item, ";", a double quote, CR LF.
// The item is, for each cell of the row in order, one blank and the cell's
// text; the fifth cell (index 4), when it holds a link, is preceded by one
// blank, "#", the link target and "#". A double quote inside the item is
// written as it is.

// Appends one line per row of the recent-news table of the page in
// PageFile to NewsFile. Symbol is not used. A page without "<html>" ...
// "</html>", without the "Recent News" marker or without a table under it
// writes nothing (no file is created); a row or cell that is not closed
// ends the work, the lines before it stay. False when a line could not be
// written (a full disk): the file then holds only part of the headlines.
bool ParseRecentNews(const QString &Symbol, const QString &PageFile, const QString &NewsFile);

// "Cache\News\<symbol>.txt" under DataDir.
QString headlineFilePath(const QString &symbol);

// A viewer nothing calls: puts the text between "<XMP>" and "</XMP>" of
// "Cache\DataSheet\giltf historical data.htm" into a new row of the main
// grid after setting its row count to 2. Errors are passed over.
void FG_HistoricalData();
