#include "core/Connection.h"

#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/clsRAS.h"
#include "platform/Dialogs.h"
#include "platform/PathResolver.h"
#include "platform/ScreenPointer.h"
#include "platform/Sleep.h"
#include "platform/UrlOpener.h"

#include <QDir>
#include <QUrl>

namespace {

bool promptIsOff()
{
    const Variant prompt = QuerySetting(QStringLiteral("Prompt"));
    if (prompt.isEmpty() || prompt.toString().trimmed().isEmpty())
        return true;
    return prompt.isNumeric() && prompt.toDouble() == 0;
}

// Web and mail addresses as given; a path without a scheme names one of
// the program's own files. Anything else (file:, program paths, scripts)
// is left for the opener to refuse.
QUrl urlOf(const QString &text)
{
    const QString t = text.trimmed();
    const QUrl url(t);
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto"))
        return url;
    if (url.scheme().isEmpty() && QDir::isAbsolutePath(t))
        return QUrl::fromLocalFile(resolvePath(t));
    // A file: address from a downloaded page is never opened.
    return scheme == QLatin1String("file") ? QUrl() : url;
}

} // namespace

bool CheckConnection()
{
    if (promptIsOff())
        return true;
    if (RasConnected() > 0)
        return true;
    const int answer = MsgBox(QStringLiteral("The connection to the Internet is not active,\r\n"
                                             "Do you wish to connect now?"),
                              Msg::YesNo + Msg::Question, QStringLiteral("Not Connected"));
    if (answer == Msg::Yes) {
        DoEvents();
        DialIsp();
    }
    return false;
}

void DialIsp()
{
    clsRAS ras;
    ras.ISPCall();
    DoEvents();
}

void OpenUrl(const QString &url)
{
    if (!CheckConnection())
        return;
    HourglassPointer hourglass;
    openExternalUrl(urlOf(url), DataDir);
    DoEvents();
}
