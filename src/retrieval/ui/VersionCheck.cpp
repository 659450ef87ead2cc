#include "retrieval/ui/VersionCheck.h"

#include "core/Connection.h"
#include "core/DataDir.h"
#include "core/Sites.h"
#include "platform/Dialogs.h"
#include "platform/Latin1File.h"
#include "platform/PathResolver.h"
#include "platform/SocketControl.h"

#include <QUrl>

namespace {
int g_timeoutMs = 30000;
}

VersionCheck::VersionCheck() : m_socket(std::make_unique<SocketControl>())
{
    SocketControl *s = m_socket.get();
    QObject::connect(s, &SocketControl::Connected, s, [this] { Winsock1_Connect(); });
    QObject::connect(s, &SocketControl::DataArrival, s, [this](qint64) { Winsock1_DataArrival(); });
    QObject::connect(s, &SocketControl::CloseEvent, s, [this] { Winsock1_Close(); });
    QObject::connect(s, &SocketControl::Error, s,
                     [this](int number, const QString &text) { Winsock1_Error(number, text); });
}

VersionCheck::~VersionCheck()
{
    m_socket->disconnect();
    m_socket->Close();
}

int VersionCheck::timeoutMs()
{
    return g_timeoutMs;
}

void VersionCheck::setTimeoutMs(int ms)
{
    g_timeoutMs = qMax(1, ms);
}

bool VersionCheck::run(const std::function<void(const QString &)> &showStatus)
{
    if (!CheckConnection())
        return false;
    m_socket->Close();

    VerFile = DataDir + QStringLiteral("/Brw53.txt");
    VerUrl = siteUrl(Site::MakerSite, QStringLiteral("/Brw53.txt"));
    if (showStatus)
        showStatus(QStringLiteral("Checking Brindlewick Updates"));

    const QUrl url(VerUrl);
    m_socket->RemoteHost = url.host();
    m_socket->RemotePort = url.port(80);
    m_errorShown = false;
    m_written = false;
    m_socket->Connect();

    // Bounded: a server that never answers or a failed connection ends the
    // check here, and an old copy of the file is not read as the answer.
    if (!m_socket->waitUntilClosed(g_timeoutMs)) {
        if (!m_errorShown)
            MsgBox(QStringLiteral("Error Connection is aborted due to timeout or other failure 10060"), Msg::OKOnly);
        return false;
    }

    std::optional<QString> reply;
    if (m_written)
        reply = readLatin1File(resolvePath(VerFile));
    if (!reply) {
        MsgBox(QStringLiteral("File not found\r\n53"), Msg::OKOnly);
        return false;
    }
    if (reply->contains(QLatin1String(NewVersionMarker)))
        return true;
    MsgBox(QStringLiteral("You have the last version."), Msg::OKOnly + Msg::Information,
           QStringLiteral("No Upgrade Available"));
    return false;
}

void VersionCheck::Winsock1_Connect()
{
    VerBuffer.clear();
    m_socket->SendData(QStringLiteral("GET ") + VerUrl +
                       QStringLiteral(" HTTP/1.0\r\nAccept: */*\r\nAccept: text/html\r\n\r\n"));
}

void VersionCheck::Winsock1_DataArrival()
{
    VerBuffer += m_socket->GetData();
}

void VersionCheck::Winsock1_Close()
{
    m_written = saveLatin1File(resolvePath(VerFile), VerBuffer + QStringLiteral("\r\n"));
    m_socket->Close();
}

void VersionCheck::Winsock1_Error(int Number, const QString &Description)
{
    m_errorShown = true;
    MsgBox(QStringLiteral("Error ") + Description + QLatin1Char(' ') + QString::number(Number), Msg::OKOnly);
}
