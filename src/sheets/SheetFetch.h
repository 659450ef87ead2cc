#pragma once

#include <QString>

// The two kinds of fetch routine behind the sheets. Each runs inside a
// batch run only and stores one page as DataDir\Cache\DataSheet\<fileName>
// unless it is shorter than minBytes (0: any size does), since a short
// reply is an error page; a page not stored leaves the cached one as it
// was. Any failure ends it silently.
// The caption shows BaseCaption, four blanks and `words`.

// Through the transfer control: nothing at all while StopFlag is set.
// True when a page was stored.
bool FetchSheetPage(const QString &fileName, const QString &address, const QString &words, qint64 minBytes);

// Over the socket as a raw HTTP/1.0 exchange: the file keeps the reply's
// status line and headers in front of the page.
bool FetchSheetPageBySocket(const QString &fileName, const QString &address, const QString &words,
                            qint64 minBytes);

// DataDir & "\Cache\DataSheet\" & fileName.
QString sheetCachePath(const QString &fileName);
