#pragma once

#include <QString>

struct stat;

// Paths in the program are written with "\" or "/" and in any letter case
// ("_ABS.Sh" and "_Abs.Sh" name one cached page). resolvePath turns every
// "\" into "/" and replaces each component that exists on disk under another
// letter case by its real spelling; components that do not exist keep the
// spelling given (so a new file is created as named).
QString resolvePath(const QString &path);

// resolvePath and a look at what is there, in one system call when the path
// exists as written (the common case): true with *st filled when something
// is at the resolved path (a link is followed), *real its resolved path.
bool statResolved(const QString &path, QString *real, struct stat *st);

// resolvePath and open(2) of what is there, in one system call when the
// path exists as written: the descriptor (-1, errno set, when it cannot be
// opened), *real the resolved path either way.
int openResolved(const QString &path, int flags, QString *real);

// The program's own changes to a folder, told to the resolver so that it
// need not list the folder again: a file now exists, or no longer exists,
// under exactly this (resolved) path. Leaving a change untold costs time,
// never a wrong answer.
void notePathCreated(const QString &realPath);
void notePathRemoved(const QString &realPath);
