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

QByteArray fixturePage(const QString &fixture)
{
    // The cache holds the page exactly as the site sent it, so the site's
    // copy serves both the fetch and the sheet tests.
    const QString served = fixture == QLatin1String("IBM_it.Sh")   ? QStringLiteral("site/t/i/IBM.html")
                           : fixture == QLatin1String("IBM_qr.Sh") ? QStringLiteral("site/brand/yahoo/search/sym=IBM.html")
                                                                   : QString();
    QFile in(fixturePath(served));
    return !served.isEmpty() && in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

void copyFixturePage(const QString &fixture, const QString &name)
{
    writeCachePage(name, fixturePage(fixture));
}

QByteArray sitePage(const QString &relative)
{
    QFile in(fixturePath(QStringLiteral("site/") + relative));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}
