#include "retrieval/FetchHelpers.h"

#include "core/DataDir.h"
#include "core/MainWindow.h"
#include "core/Stocks.h"
#include "platform/Latin1File.h"
#include "platform/PathResolver.h"
#include "retrieval/transport/TransferFetch.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>

#include <sys/stat.h>

QString dataSheetPath(const QString &name)
{
    return DataDir + QStringLiteral("\\Cache\\DataSheet\\") + name;
}

QString newsPath(const QString &name)
{
    return DataDir + QStringLiteral("\\Cache\\News\\") + name;
}

void deleteWhenShorter(const QString &file, qint64 minBytes)
{
    QString real;
    struct stat st {};
    if (statResolved(file, &real, &st) && qint64(st.st_size) < minBytes)
        removeFile(real);
}

void deleteIfExists(const QString &file)
{
    removeFile(file);
}

void fetchFresh(const QString &file, const QString &url, const QString &status)
{
    if (!GetUrlToPage(file, url, status, 0))
        deleteIfExists(file);
}

void replaceWith(const QString &file, const QString &fresh)
{
    const QString from = resolvePath(fresh);
    if (!QFileInfo::exists(from))
        return;
    // rename(2) puts the new file in place of the old in one step.
    const QString to = resolvePath(file);
    std::error_code error;
    std::filesystem::rename(from.toStdString(), to.toStdString(), error);
    if (!error) {
        notePathRemoved(from);
        notePathCreated(to);
    }
}

void showCaption(const QString &text)
{
    if (MainWindow *w = mainWindow())
        w->setCaption(text);
}

QString readJoinedLines(const QString &file)
{
    const std::optional<QString> text = readLatin1File(file);
    if (!text)
        return QString();
    QString joined;
    joined.reserve(text->size());
    qsizetype start = 0;
    while (start < text->size()) {
        qsizetype cr = text->indexOf(QLatin1Char('\r'), start);
        if (cr < 0)
            cr = text->size();
        joined += QStringView(*text).mid(start, cr - start);
        start = cr + 1;
        if (start < text->size() && text->at(start) == QLatin1Char('\n'))
            ++start;
    }
    return joined;
}

short findRecord(const QString &symbol)
{
    for (int i = 0; i < SetSize; ++i)
        if (Sets[size_t(i)].Symbol == symbol)
            return short(i);
    return -1;
}
