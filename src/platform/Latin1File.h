#pragma once

#include <QByteArray>
#include <QString>
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

// A cached page: written over the old page where it stands, after the room
// for it was taken, so a full disk or a size limit leaves the old page
// whole (a file system that cannot take room first gets the page beside
// the old one and renamed over it); a write that fails after that leaves
// no page rather than a damaged one. Not flushed to the disk first: a page
// lost to a crash is fetched again by the next update. False on failure.
bool savePageFile(const QString &path, const QByteArray &bytes);

// Deletes the file; false when there was none or it could not go.
bool removeFile(const QString &path);
