#pragma once

#include <QString>

// Paths in the program are written with "\" or "/" and in any letter case
// ("_ABS.Sh" and "_Abs.Sh" name one cached page). resolvePath turns every
// "\" into "/" and replaces each component that exists on disk under another
// letter case by its real spelling; components that do not exist keep the
// spelling given (so a new file is created as named).
QString resolvePath(const QString &path);

// The program's own changes to a folder, told to the resolver so that it
// need not list the folder again: a file now exists, or no longer exists,
// under exactly this (resolved) path. Leaving a change untold costs time,
// never a wrong answer.
void notePathCreated(const QString &realPath);
void notePathRemoved(const QString &realPath);
