#include "services/Adviser.h"

#include "core/DataDir.h"
#include "core/Sites.h"
#include "platform/SocketControl.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/transport/SocketFetch.h"

#include <QFile>
#include <QFileInfo>

QString tipFilePath()
{
    return DataDir + QStringLiteral("/Tip.Sh");
}

QString tipPageUrl()
{
    return siteUrl(Site::MakerSite, QStringLiteral("/pellor/tip.txt"));
}

TipFetch UpdateAdvise()
{
    if (WsBusy || Winsock1().State() != SocketControl::sckClosed)
        return TipFetch::Busy;

    // The reply goes to a side file. A failed fetch leaves the stored tip
    // as it was; a reply that came whole but too short to hold a tip
    // deletes it, as the page then has no tip.
    const QString file = tipFilePath();
    const QString fresh = file + QStringLiteral(".new");
    QFile::remove(fresh);
    SocketFetch(fresh, tipPageUrl(), BaseCaption + QStringLiteral("    Updating Brindlewick Advice"));
    if (!QFile::exists(fresh))
        return TipFetch::Failed;
    if (QFileInfo(fresh).size() < ShortestTip) {
        QFile::remove(fresh);
        QFile::remove(file);
        return TipFetch::Failed;
    }
    QFile::remove(file);
    return QFile::rename(fresh, file) ? TipFetch::Stored : TipFetch::Failed;
}

QString cutTip(const QString &stored, bool *found)
{
    QString text = stored;
    text.replace(QChar(10), QChar(' '));
    text.replace(QChar(13), QStringLiteral("\r\n"));
    const int word = text.indexOf(QStringLiteral("Brindlewick"));
    const int start = word - 9; // 0-based: the character 9 before the word
    const bool ok = word >= 0 && start >= 0 && start <= 32766;
    if (found)
        *found = ok;
    if (!ok)
        return QString();
    return text.mid(start, text.size() - start - 1);
}
