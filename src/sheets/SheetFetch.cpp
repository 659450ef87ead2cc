#include "sheets/SheetFetch.h"

#include "core/DataDir.h"
#include "platform/PathResolver.h"
#include "platform/SocketControl.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/transport/SocketFetch.h"
#include "retrieval/transport/TransferFetch.h"

#include <QFile>
#include <QFileInfo>

namespace {

// The page is fetched into a side file; only one that passes the size rule
// replaces the cached page, so an error page or a refusal never costs the
// page fetched before.
QString sideFile(const QString &path)
{
    const QString side = path + QStringLiteral(".new");
    QFile::remove(resolvePath(side));
    return side;
}

void keepWhenWhole(const QString &side, const QString &path, qint64 minBytes)
{
    const QFileInfo fresh(resolvePath(side));
    if (!fresh.exists())
        return;
    if (minBytes > 0 && fresh.size() < minBytes) {
        QFile::remove(fresh.filePath());
        return;
    }
    const QString target = resolvePath(path);
    QFile::remove(target);
    QFile::rename(fresh.filePath(), target);
}

} // namespace

QString sheetCachePath(const QString &fileName)
{
    return DataDir + QStringLiteral("\\Cache\\DataSheet\\") + fileName;
}

void FetchSheetPage(const QString &fileName, const QString &address, const QString &words, qint64 minBytes)
{
    if (StopFlag)
        return;
    const QString path = sheetCachePath(fileName);
    const QString side = sideFile(path);
    GetUrlToFile(side, address, BaseCaption + QStringLiteral("    ") + words);
    keepWhenWhole(side, path, minBytes);
}

void FetchSheetPageBySocket(const QString &fileName, const QString &address, const QString &words,
                            qint64 minBytes)
{
    Winsock1().Close();
    if (StopFlag)
        return;
    const QString path = sheetCachePath(fileName);
    const QString side = sideFile(path);
    SocketFetch(side, address, BaseCaption + QStringLiteral("    ") + words);
    keepWhenWhole(side, path, minBytes);
}
