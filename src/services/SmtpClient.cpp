#include "services/SmtpClient.h"

#include "platform/Dialogs.h"
#include "platform/Sleep.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QThread>
#include <QTimeZone>

namespace {
const QString CRLF = QStringLiteral("\r\n");

// A header value is one line: CR and LF cannot add a header of their own.
QString oneLine(QString value)
{
    value.remove(QLatin1Char('\r'));
    value.remove(QLatin1Char('\n'));
    return value;
}

// The last line of a reply is "ddd" alone or "ddd" and a blank; the lines
// before it read "ddd-".
bool lastReplyLine(const QString &line)
{
    return line.size() >= 3 && line[0].isDigit() && line[1].isDigit() && line[2].isDigit()
           && (line.size() == 3 || line[3] != QLatin1Char('-'));
}
} // namespace

SmtpClient::SmtpClient(QObject *parent) : QObject(parent)
{
    connect(&Winsock1, &SocketControl::DataArrival, this, [this] {
        m_buffer += Winsock1.GetData().toLatin1();
        takeReplies();
    });
    connect(&Winsock1, &SocketControl::Error, this, [this](int, const QString &text) {
        m_socketError = true;
        m_socketErrorText = text;
    });
}

void SmtpClient::takeReplies()
{
    for (qsizetype end = m_buffer.indexOf("\r\n"); end >= 0; end = m_buffer.indexOf("\r\n")) {
        const QString line = QString::fromLatin1(m_buffer.left(end));
        m_buffer.remove(0, end + 2);
        m_lines << line;
        if (lastReplyLine(line)) {
            m_replies << m_lines.join(CRLF);
            m_lines.clear();
        }
    }
}

QString SmtpClient::dateText(const QDateTime &when)
{
    const int offset = when.offsetFromUtc() / 60;
    const QString zone = QStringLiteral("%1%2%3")
                             .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                             .arg(qAbs(offset) / 60, 2, 10, QLatin1Char('0'))
                             .arg(qAbs(offset) % 60, 2, 10, QLatin1Char('0'));
    return QLocale::c().toString(when, QStringLiteral("ddd, dd MMM yyyy HH:mm:ss")) + QLatin1Char(' ') + zone;
}

QString SmtpClient::wireBody(const QString &body)
{
    QString text = body;
    text.replace(CRLF, QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.startsWith(QLatin1Char('.')))
            line.prepend(QLatin1Char('.'));
    return lines.join(CRLF);
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
        fail(QStringLiteral("Sending"), m_socketErrorText.isEmpty() ? QStringLiteral("the connection is closed")
                                                                    : m_socketErrorText);
        return false;
    }
    Winsock1.SendData(text);
    return true;
}

void SmtpClient::fail(const QString &step, const QString &text, bool tell)
{
    if (m_failed)
        return;
    m_failed = true;
    LastFailure = step + QStringLiteral(": ") + text;
    if (Winsock1.State() == SocketControl::sckConnected) {
        Winsock1.SendData(QStringLiteral("quit") + CRLF);
        Winsock1.Flush();
    }
    Winsock1.Close();
    if (tell)
        MsgBox(QStringLiteral("The mail was not sent.\r\n") + LastFailure, Msg::Information);
}

bool SmtpClient::WaitForResponse(const QString &ResponseCode)
{
    if (m_failed)
        return false;
    QElapsedTimer elapsed;
    elapsed.start();
    const qint64 limit = qint64(WaitSeconds) * 1000;
    while (m_replies.isEmpty()) {
        DoEvents();
        if (!m_replies.isEmpty())
            break;
        // A refused or broken connection will never answer.
        if (m_socketError || Winsock1.State() == SocketControl::sckError
            || (Winsock1.State() == SocketControl::sckClosed && m_buffer.isEmpty())) {
            fail(QStringLiteral("Connection"), m_socketErrorText.isEmpty() ? QStringLiteral("the server hung up")
                                                                           : m_socketErrorText);
            return false;
        }
        if (elapsed.elapsed() > limit) {
            MsgBox(QStringLiteral("SMTP service error, timed out while waiting for response"), Msg::Information);
            fail(QStringLiteral("Waiting for ") + ResponseCode, QStringLiteral("no answer"), false);
            return false;
        }
        QThread::msleep(1);
    }
    ReplyText = m_replies.takeFirst();
    if (ReplyText.left(3) != ResponseCode) {
        MsgBox(QStringLiteral("SMTP service error, impromper response code. Code should have been: ") + ResponseCode
                   + QStringLiteral(" Code recieved: ") + ReplyText,
               Msg::Information);
        fail(QStringLiteral("Waiting for ") + ResponseCode, ReplyText, false);
        return false;
    }
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
    m_socketError = false;
    m_socketErrorText.clear();
    m_buffer.clear();
    m_replies.clear();
    m_lines.clear();
    ReplyText.clear();
    LastFailure.clear();

    const QString mailFrom = QStringLiteral("MAIL FROM:<") + oneLine(FromEmail) + QLatin1Char('>') + CRLF;
    const QString rcptTo = QStringLiteral("RCPT TO:<") + oneLine(ToEmail) + QLatin1Char('>') + CRLF;
    const QString header = QStringLiteral("From: ") + oneLine(From) + CRLF + QStringLiteral("Date: ")
                           + dateText(QDateTime::currentDateTime()) + CRLF + QStringLiteral("X-Mailer: ")
                           + QString::fromLatin1(SmtpMailerName) + QStringLiteral(" v 2.x") + CRLF
                           + QStringLiteral("To: ") + oneLine(ToName) + CRLF + QStringLiteral("Subject: ")
                           + oneLine(Subject) + CRLF;

    Winsock1.RemoteHost = Server;
    Winsock1.RemotePort = Port;
    Winsock1.Connect();

    // Each step runs only when the one before was answered as expected.
    const bool accepted = [&] {
        if (!WaitForResponse(QStringLiteral("220")))
            return false;
        setStatus(QStringLiteral("Connecting...."));
        if (!send(QStringLiteral("HELO ") + QString::fromLatin1(SmtpHeloDomain) + CRLF)
            || !WaitForResponse(QStringLiteral("250")))
            return false;
        setStatus(QStringLiteral("Connected"));
        if (!send(mailFrom))
            return false;
        setStatus(QStringLiteral("Sending Message"));
        if (!WaitForResponse(QStringLiteral("250")) || !send(rcptTo) || !WaitForResponse(QStringLiteral("250"))
            || !send(QStringLiteral("data") + CRLF) || !WaitForResponse(QStringLiteral("354")))
            return false;
        if (!send(header + CRLF + wireBody(Body) + CRLF + QStringLiteral(".") + CRLF))
            return false;
        return WaitForResponse(QStringLiteral("250"));
    }();
    if (!accepted)
        return false;
    send(QStringLiteral("quit") + CRLF);
    setStatus(QStringLiteral("Disconnecting"));
    // The message is delivered; a server that drops the goodbye changes nothing.
    QElapsedTimer bye;
    bye.start();
    while (m_replies.isEmpty() && Winsock1.State() == SocketControl::sckConnected && bye.elapsed() < 5000) {
        DoEvents();
        QThread::msleep(1);
    }
    Winsock1.Close();
    return true;
}
