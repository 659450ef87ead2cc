#include "core/DamagedFiles.h"

#include "core/DataDir.h"
#include "core/Portfolio.h"
#include "core/Registry.h"
#include "core/Stocks.h"
#include "platform/Latin1File.h"
#include "platform/PathResolver.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A free name beside path for its damaged copy, or the name of a copy
// that already holds these very bytes.
QString copyName(const QString &path, const QByteArray &bytes)
{
    for (int n = 1; n < 100; ++n) {
        const QString name = path + (n == 1 ? QStringLiteral(".damaged") : QStringLiteral(".damaged%1").arg(n));
        if (!QFileInfo::exists(name))
            return name;
        if (readBinaryFile(name) == bytes)
            return name;
    }
    return QString();
}

void setAside(QList<DamagedFile> &found, const QString &path, const QByteArray &bytes, const QString &kept)
{
    DamagedFile f{path, copyName(path, bytes), kept};
    if (!f.copy.isEmpty() && !QFileInfo::exists(f.copy) && !QFile::copy(path, f.copy))
        f.copy.clear();
    found << f;
}

// A file that is there but cannot be read: the program reads it as empty
// and cannot save over it, which the user must hear.
bool noteUnreadable(QList<DamagedFile> &found, const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return false;
    DamagedFile f;
    f.path = path;
    f.unreadable = true;
    f.kept = info.isDir() ? QStringLiteral("a folder stands where this file should be, so nothing of it was read")
                          : QStringLiteral("this file could not be read, so nothing of it was read");
    found << f;
    return true;
}

QString counted(int n, const char *one, const char *many)
{
    return QString::number(n) + QLatin1Char(' ') + QLatin1String(n == 1 ? one : many);
}

} // namespace

QList<DamagedFile> setAsideDamagedFiles()
{
    QList<DamagedFile> found;
    for (short n = 0; n <= 20; ++n) {
        const QString path = resolvePath(setFilePath(n));
        const auto bytes = readBinaryFile(path);
        if (!bytes) {
            noteUnreadable(found, path);
            continue;
        }
        if (const auto stocks = stocksInDamagedSetFile(*bytes))
            setAside(found, path, *bytes, counted(*stocks, "stock", "stocks") + QStringLiteral(" kept"));
    }
    const QString portfolio = resolvePath(DataDir + QStringLiteral("\\Portfolio.dat"));
    if (const auto bytes = readBinaryFile(portfolio)) {
        if (const auto trades = tradesInDamagedPortfolio(*bytes))
            setAside(found, portfolio, *bytes, counted(*trades, "trade", "trades") + QStringLiteral(" kept"));
    } else {
        noteUnreadable(found, portfolio);
    }
    const QString settings = SettingsStore::fileFor(QString::fromLatin1(ProgramKey));
    if (SettingsStore::fileDamaged(settings))
        setAside(found, settings, readBinaryFile(settings).value_or(QByteArray()),
                 counted(SettingsStore::valueCount(settings), "setting", "settings") + QStringLiteral(" kept"));
    return found;
}

QString damagedFilesMessage(const QList<DamagedFile> &files)
{
    QString text = QStringLiteral("These files of yours were damaged (cut off or garbled) and were read only as far "
                                  "as they go:\r\n");
    bool allCopied = true, anyUnreadable = false;
    for (const DamagedFile &f : files) {
        text += QStringLiteral("\r\n") + QDir::toNativeSeparators(f.path) + QStringLiteral(": ") + f.kept;
        if (!f.copy.isEmpty())
            text += QStringLiteral("; the damaged file was copied to ") + QFileInfo(f.copy).fileName();
        allCopied = allCopied && (!f.copy.isEmpty() || f.unreadable);
        anyUnreadable = anyUnreadable || f.unreadable;
    }
    text += QStringLiteral("\r\n\r\nWhat was kept is saved over the damaged file the next time you save.");
    if (!allCopied)
        text += QStringLiteral(" A file without a copy could not be copied: copy it yourself before you save.");
    if (anyUnreadable)
        text += QStringLiteral(" A file that could not be read shows as empty and cannot be saved until it can be "
                               "read again (move a folder standing in its place away).");
    return text;
}
