#pragma once

#include <QList>
#include <QString>

// The user's own files as found at start: the stock sets "Set0.dat" to
// "Set20.dat", "Portfolio.dat" and the settings file. One that was cut off
// or garbled is read as far as it goes, as always; here it is copied aside
// ("Set3.dat.damaged") before anything can write over it, so that nothing
// of it is lost for good.
struct DamagedFile
{
    QString path; // the damaged file
    QString copy; // its copy; "" when the copy could not be made
    QString kept; // what of it the program reads and keeps, in words
    bool unreadable = false; // nothing could be read: a folder or a file closed to the program
};

// Finds the damaged files and copies each aside (one that cannot be read
// at all, such as a folder standing where the file should be, is only
// named) (a copy already made of
// the same bytes is used again; an older, different one is never replaced).
QList<DamagedFile> setAsideDamagedFiles();

// The one message that tells the user which files were damaged and what was kept.
QString damagedFilesMessage(const QList<DamagedFile> &files);
