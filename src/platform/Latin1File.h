#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

// Record files, the error log and cached pages are single-byte text: each
// byte is one character (Latin-1), so positions and sizes in the text match
// the bytes on disk. Characters outside Latin-1 are written as '?'.
// All paths go through resolvePath first.

QByteArray toLatin1Bytes(const QString &text);
// The bytes of the first count characters, written at out.
void toLatin1At(const QString &text, qsizetype count, char *out);

// The whole file as text; nullopt when it cannot be read.
std::optional<QString> readLatin1File(const QString &path);
std::optional<QByteArray> readBinaryFile(const QString &path);

// Appends the text to the file (created when missing); false on failure.
bool appendLatin1File(const QString &path, const QString &text);

// Replaces the file's content through a temporary file renamed over the old
// one, so a crash never leaves half a file; false (old file kept) on failure,
// with the system's reason in *why when asked for.
bool saveFileAtomically(const QString &path, const QByteArray &bytes, QString *why = nullptr);
bool saveLatin1File(const QString &path, const QString &text);

// A cached page: written beside the old page and renamed over it, its
// room taken first, so the page on disk is always the old one or the whole
// new one (a full disk, a size limit or a kill in the middle leaves the old
// page). Not flushed to the disk first: a page lost to a crash of the
// machine is fetched again by the next update. A file that holds these
// bytes already is left as it stands. False on failure, with the system's
// reason in *why when asked for.
bool savePageFile(const QString &path, const QByteArray &bytes, QString *why = nullptr);

// Tests: while set, the writes of this file (appending, saving, page
// writing) to a file for which fault answers an error number fail as they
// would with that error (ENOSPC: a full disk); 0 lets the write go on.
void setWriteFault(std::function<int(const QString &realPath)> fault);

// Deletes the file; false when there was none or it could not go.
bool removeFile(const QString &path);
