#pragma once

#include <QString>

// The weekly adviser tip: a plain text page on the maker's web server,
// stored whole (status line, headers, body) in the program folder's
// "Tip.Sh" and cut out of it for the adviser window.

// DataDir + "/Tip.Sh".
QString tipFilePath();
// "http://" + the maker's host + "/pellor/tip.txt".
QString tipPageUrl();

// Replies shorter than this are error pages or refusals, never a tip.
inline constexpr qint64 ShortestTip = 2500;

enum class TipFetch { Stored, Failed, Busy };

// Fetches the tip into "Tip.Sh" over the main window's socket control.
// A fetch that fails, is refused or brings an error page leaves the tip
// stored before it; a whole reply too short to hold a tip deletes
// "Tip.Sh" (Failed all the same). While another page
// is being fetched on the socket (a batch run's), nothing is started:
// that fetch is never cut off.
TipFetch UpdateAdvise();

// The tip as the window shows it, cut from the stored reply: line feeds
// become blanks, each CR a line break, and the text runs from 9
// characters before the first "Brindlewick" to the character before the
// last. Empty when the word is missing or stands among the first 9
// characters (found then false).
QString cutTip(const QString &stored, bool *found = nullptr);
