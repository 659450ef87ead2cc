#pragma once

#include <QString>

// Paths in the program are written with "\" or "/" and in any letter case
// ("_ABS.Sh" and "_Abs.Sh" name one cached page). resolvePath turns every
// "\" into "/" and replaces each component that exists on disk under another
// letter case by its real spelling; components that do not exist keep the
// spelling given (so a new file is created as named).
QString resolvePath(const QString &path);
