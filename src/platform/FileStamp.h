#pragma once

#include <QString>

#include <optional>
#include <sys/types.h>

struct stat;

// What tells one state of a file or folder on disk from another: a write,
// a rename over it or (for a folder) an entry added or removed changes at
// least one of these. Two equal stamps of one path mean "as it was".
struct FileStamp
{
    dev_t device = 0;
    ino_t inode = 0;
    qint64 size = -1;
    qint64 modifiedNs = -1;
    qint64 changedNs = -1;
    bool folder = false;
    bool operator==(const FileStamp &) const = default;
};

// nullopt when nothing is at the path.
std::optional<FileStamp> fileStamp(const QString &path);

// The stamp of what stat(2) told of a file.
FileStamp stampOf(const struct stat &st);
