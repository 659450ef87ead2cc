#include "services/SmtpClient.h"

#include "platform/Dialogs.h"
#include "platform/Sleep.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QLocale>
#include <QThread>

namespace {
const QString CRLF = QStringLiteral("\r\n");
// The socket's "not connected" failure.
constexpr int BadStateNumber = 40006;
const char *const BadStateText = "Wrong protocol or connection state for the requested transaction or request";

// A body line that starts with "." is doubled, so a lone "." in the text
// does not end the message early.
QString dotStuffed(const QString &body)
{
    QStringList lines = body.split(CRLF);
    for (QString &line : lines)
        if (line.startsWith(QLatin1Char('.')))
            line.prepend(QLatin1Char('.'));
    return lines.join(CRLF);
}
} // namespace

SmtpClient::SmtpClient(QObject *parent) : QObject(parent)
{
    connect(&Winsock1, &SocketControl::DataArrival, this, [this] { ReplyText = Winsock1.GetData(); });
}

QString SmtpClient::dateText(const QDateTime &when)
{
    return QLocale::system().toString(when, QStringLiteral("ddd, dd MMM yyyy HH:mm:ss")) + QStringLiteral(" -0600");
}

void SmtpClient::setStatus(const QString &text)
{
    StatusTxt = text;
    if (statusChanged)
        statusChanged(text);
}

bool SmtpClient::send(const QString &text)
{
    if (m_failed)
        return false;
    if (Winsock1.State() != SocketControl::sckConnected) {
        MsgBox(QString::fromLatin1(BadStateText) + QLatin1Char(' ') + QString::number(BadStateNumber));
        m_failed = true;
        return false;
    }
    Winsock1.SendData(text);
    return true;
}

bool SmtpClient::WaitForResponse(const QString &ResponseCode)
{
    if (m_failed)
        return false;
    QElapsedTimer elapsed;
    elapsed.start();
    const qint64 limit = qint64(WaitSeconds) * 1000;
    while (ReplyText.isEmpty()) {
        DoEvents();
        // A refused or broken connection will never answer.
        if (Winsock1.State() == SocketControl::sckError)
            break;
        if (elapsed.elapsed() > limit) {
            MsgBox(QStringLiteral("SMTP service error, timed out while waiting for response"), Msg::Information);
            return false;
        }
        QThread::msleep(1);
    }
    while (ReplyText.left(3) != ResponseCode) {
        if (Winsock1.State() == SocketControl::sckError && ReplyText.isEmpty()) {
            MsgBox(QString::fromLatin1(BadStateText) + QLatin1Char(' ') + QString::number(BadStateNumber));
            m_failed = true;
            return false;
        }
        DoEvents();
        if (elapsed.elapsed() > limit) {
            MsgBox(QStringLiteral("SMTP service error, impromper response code. Code should have been: ") + ResponseCode
                       + QStringLiteral(" Code recieved: ") + ReplyText,
                   Msg::Information);
            return false;
        }
        QThread::msleep(1);
    }
    ReplyText.clear();
    return true;
}

bool SmtpClient::SendEmail(const QString &Server, const QString &From, const QString &FromEmail,
                           const QString &ToName, const QString &ToEmail, const QString &Subject, const QString &Body)
{
    if (Winsock1.State() != SocketControl::sckClosed) {
        MsgBox(QLatin1Char(' ') + QString::number(Winsock1.State()));
        return false;
    }
    m_failed = false;
    ReplyText.clear();

    const QString mailFrom = QStringLiteral("mail from: ") + FromEmail + CRLF;
    const QString rcptTo = QStringLiteral("rcpt to: ") + ToEmail + CRLF;
    const QString header = QStringLiteral("From: ") + From + CRLF + QStringLiteral("Date: ")
                           + dateText(QDateTime::currentDateTime()) + CRLF + QStringLiteral("X-Mailer: ")
                           + QString::fromLatin1(SmtpMailerName) + QStringLiteral(" v 2.x") + CRLF
                           + QStringLiteral("To: ") + ToName + CRLF + QStringLiteral("Subject: ") + Subject + CRLF;

    Winsock1.RemoteHost = Server;
    Winsock1.RemotePort = Port;
    Winsock1.Connect();

    WaitForResponse(QStringLiteral("220"));
    setStatus(QStringLiteral("Connecting...."));
    send(QStringLiteral("HELO ") + QString::fromLatin1(SmtpHeloDomain) + CRLF);
    WaitForResponse(QStringLiteral("250"));
    setStatus(QStringLiteral("Connected"));
    send(mailFrom);
    setStatus(QStringLiteral("Sending Message"));
    WaitForResponse(QStringLiteral("250"));
    send(rcptTo);
    WaitForResponse(QStringLiteral("250"));
    send(QStringLiteral("data") + CRLF);
    WaitForResponse(QStringLiteral("354"));
    send(header + CRLF);
    send(dotStuffed(Body) + CRLF);
    send(QStringLiteral(".") + CRLF);
    const bool accepted = WaitForResponse(QStringLiteral("250"));
    send(QStringLiteral("quit") + CRLF);
    setStatus(QStringLiteral("Disconnecting"));
    WaitForResponse(QStringLiteral("221"));
    if (!m_failed)
        Winsock1.Close();
    return accepted && !m_failed;
}
