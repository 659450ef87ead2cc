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

bool keepWhenWhole(const QString &side, const QString &path, qint64 minBytes)
{
    const QFileInfo fresh(resolvePath(side));
    if (!fresh.exists())
        return false;
    if (minBytes > 0 && fresh.size() < minBytes) {
        QFile::remove(fresh.filePath());
        return false;
    }
    const QString target = resolvePath(path);
    QFile::remove(target);
    return QFile::rename(fresh.filePath(), target);
}

} // namespace

QString sheetCachePath(const QString &fileName)
{
    return DataDir + QStringLiteral("\\Cache\\DataSheet\\") + fileName;
}

bool FetchSheetPage(const QString &fileName, const QString &address, const QString &words, qint64 minBytes)
{
    if (StopFlag)
        return false;
    const QString path = sheetCachePath(fileName);
    const QString side = sideFile(path);
    GetUrlToFile(side, address, BaseCaption + QStringLiteral("    ") + words);
    return keepWhenWhole(side, path, minBytes);
}

bool FetchSheetPageBySocket(const QString &fileName, const QString &address, const QString &words,
                            qint64 minBytes)
{
    Winsock1().Close();
    if (StopFlag)
        return false;
    const QString path = sheetCachePath(fileName);
    const QString side = sideFile(path);
    SocketFetch(side, address, BaseCaption + QStringLiteral("    ") + words);
    return keepWhenWhole(side, path, minBytes);
}
