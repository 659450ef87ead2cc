#include "sheets/SheetFetch.h"

#include "core/DataDir.h"
#include "platform/SocketControl.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/transport/SocketFetch.h"
#include "retrieval/transport/TransferFetch.h"

// The size rule is applied to the page in memory: only a page that passes
// it replaces the cached one, so an error page or a refusal never costs
// the page fetched before.

QString sheetCachePath(const QString &fileName)
{
    return DataDir + QStringLiteral("\\Cache\\DataSheet\\") + fileName;
}

bool FetchSheetPage(const QString &fileName, const QString &address, const QString &words, qint64 minBytes)
{
    if (StopFlag)
        return false;
    return GetUrlToPage(sheetCachePath(fileName), address, BaseCaption + QStringLiteral("    ") + words, minBytes);
}

bool FetchSheetPageBySocket(const QString &fileName, const QString &address, const QString &words,
                            qint64 minBytes)
{
    Winsock1().Close();
    if (StopFlag)
        return false;
    return SocketFetchPage(sheetCachePath(fileName), address, BaseCaption + QStringLiteral("    ") + words,
                           minBytes);
}
