#pragma once

#include "core/DataDir.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdint>

// What every fuzz target stands on: an application object and a program
// folder of its own (with its cache folders), made once per process.
inline QString fuzzProgramFolder()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    static QTemporaryDir dir;
    Q_UNUSED(app);
    static const bool made = [] {
        qputenv("XDG_DATA_HOME", (dir.path() + QStringLiteral("/data")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (dir.path() + QStringLiteral("/config")).toLocal8Bit());
        DataDir = dir.path();
        for (const char *sub : {"Cache/DataSheet", "Cache/News"})
            QDir().mkpath(dir.path() + QLatin1Char('/') + QLatin1String(sub));
        return true;
    }();
    Q_UNUSED(made);
    return dir.path();
}

inline QByteArray fuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

inline void fuzzWrite(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}
