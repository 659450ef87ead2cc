#include "platform/Help.h"

#include "platform/Latin1File.h"
#include "platform/UrlOpener.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QUrl>

namespace {
// Copies the built-in pages out, so the browser can open them as files.
void writePages(const QString &folder)
{
    QDir().mkpath(folder);
    QDirIterator it(QStringLiteral(":/help"), QDir::Files);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = folder + QLatin1Char('/') + it.fileName();
        QFile in(source);
        if (!in.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = in.readAll();
        const auto current = readBinaryFile(target);
        if (!current || *current != bytes)
            saveFileAtomically(target, bytes);
    }
}
} // namespace

QString helpPagePath(int contextId, const QString &programFolder)
{
    return programFolder + QStringLiteral("/help/") + QString::number(contextId) + QStringLiteral(".html");
}

bool OpenHelpTopic(int contextId, const QString &programFolder)
{
    if (!QFile::exists(QStringLiteral(":/help/%1.html").arg(contextId)))
        return false;
    writePages(programFolder + QStringLiteral("/help"));
    return openExternalUrl(QUrl::fromLocalFile(helpPagePath(contextId, programFolder)), programFolder);
}
