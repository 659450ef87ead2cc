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

void deleteWhenShorter(const QString &path, qint64 minBytes)
{
    const QFileInfo info(resolvePath(path));
    if (minBytes > 0 && info.exists() && info.size() < minBytes)
        QFile::remove(info.filePath());
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
    GetUrlToFile(path, address, BaseCaption + QStringLiteral("    ") + words);
    deleteWhenShorter(path, minBytes);
}

void FetchSheetPageBySocket(const QString &fileName, const QString &address, const QString &words,
                            qint64 minBytes)
{
    Winsock1().Close();
    if (StopFlag)
        return;
    const QString path = sheetCachePath(fileName);
    SocketFetch(path, address, BaseCaption + QStringLiteral("    ") + words);
    deleteWhenShorter(path, minBytes);
}
