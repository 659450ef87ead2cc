#pragma once

#include <QString>

// Small steps the fetch routines share.

// DataDir & "\Cache\DataSheet\" & name.
QString dataSheetPath(const QString &name);
// DataDir & "\Cache\News\" & name.
QString newsPath(const QString &name);

// The size rule of a fetch: a cached page shorter than minBytes is taken
// for an error page and deleted. A missing page is left missing.
void deleteWhenShorter(const QString &file, qint64 minBytes);
// Deletes the file when it exists.
void deleteIfExists(const QString &file);
// GetUrlToFile into a file that holds the page fetched, or is gone when the
// page did not come: an old page never passes for a new one. (The old file
// is written over rather than deleted first, which would cost the file
// system a new file for every page.)
void fetchFresh(const QString &file, const QString &url, const QString &status);
// Moves fresh over file when fresh exists; otherwise file stays as it is.
void replaceWith(const QString &file, const QString &fresh);

// Shows text as the main window's caption (when there is a window).
void showCaption(const QString &text);

// The file read line by line and joined with nothing between the lines; ""
// when it cannot be read.
QString readJoinedLines(const QString &file);

// The index in Sets of the first record whose symbol is symbol; -1 when none.
short findRecord(const QString &symbol);
