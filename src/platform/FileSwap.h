#pragma once

#include <QByteArray>

// Replacing a file whole without making a new file each time.
//
// The new bytes are written into a spare file kept in the same folder (the
// hidden ".spare"), which then trades places with the old file in one step:
// the name holds the old bytes or the whole new ones, whenever the program
// stops, and the old file becomes the spare that the next replace in that
// folder writes over. A folder whose files are replaced again and again (the
// page cache, the set file after every stock) thus costs the file system no
// new file and no freed one per write. The new file keeps the old one's
// permissions. Where the file system cannot swap two names, the spare is
// renamed over the old file instead; a file new to the folder is written
// beside it under its own temporary name. Nothing is flushed to the disk.

struct SwapOptions
{
    bool reserveRoom = false; // take the file's room before writing, so a full disk fails at once
    int fault = 0;            // tests: an error number the write fails with
};

// target: the file's encoded full path. 0 when the file holds the bytes,
// else the system's error number; the file is then as it was.
int swapInFile(const QByteArray &target, const QByteArray &bytes, const SwapOptions &options = {});

// The spare's encoded path for a file at target.
QByteArray spareFileFor(const QByteArray &target);
