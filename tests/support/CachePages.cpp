#include "support/CachePages.h"

#include "core/DataDir.h"
#include "support/GridDump.h"

#include <QDir>
#include <QFile>

QString cachePagePath(const QString &name)
{
    return DataDir + QStringLiteral("/Cache/DataSheet/") + name;
}

void writeCachePage(const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(DataDir + QStringLiteral("/Cache/DataSheet"));
    QFile f(cachePagePath(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

void copyFixturePage(const QString &fixture, const QString &name)
{
    QFile in(fixturePath(QStringLiteral("cache/") + fixture));
    writeCachePage(name, in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray());
}
