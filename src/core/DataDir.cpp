#include "core/DataDir.h"

#include <QDir>
#include <QStandardPaths>

QString DataDir;

QString defaultDataDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/Pellor/Brindlewick5");
}

void InitDataDir()
{
    DataDir = defaultDataDir();
    QDir().mkpath(DataDir);
}
