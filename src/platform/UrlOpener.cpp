#include "platform/UrlOpener.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace {
std::function<bool(const QUrl &)> &handler()
{
    static std::function<bool(const QUrl &)> h;
    return h;
}
} // namespace

bool isOpenableUrl(const QUrl &url, const QString &ownFolder)
{
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return !url.host().isEmpty();
    if (scheme == QLatin1String("mailto"))
        return true;
    if (scheme == QLatin1String("file") && !ownFolder.isEmpty()) {
        // Only the program's own generated files, never a path that climbs out.
        const QString own = QDir::cleanPath(QFileInfo(ownFolder).absoluteFilePath()) + QLatin1Char('/');
        const QString target = QDir::cleanPath(QFileInfo(url.toLocalFile()).absoluteFilePath());
        return target.startsWith(own);
    }
    return false;
}

bool openExternalUrl(const QUrl &url, const QString &ownFolder)
{
    if (!isOpenableUrl(url, ownFolder))
        return false;
    if (handler())
        return handler()(url);
    return QDesktopServices::openUrl(url);
}

void setUrlOpenerHandler(std::function<bool(const QUrl &)> h)
{
    handler() = std::move(h);
}
