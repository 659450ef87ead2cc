#include "services/SmtpClient.h"

#include "services/MimeText.h"

#include <QEventLoop>
#include <QLocale>
#include <QPair>
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

// "host:port" names the port; a host alone goes to port.
QPair<QString, int> hostAndPort(const QString &server, int port)
{
    const qsizetype colon = server.lastIndexOf(QLatin1Char(':'));
    if (colon > 0 && server.indexOf(QLatin1Char(':')) == colon) {
        bool ok = false;
        const int given = server.mid(colon + 1).toInt(&ok);
        if (ok && given > 0 && given < 65536)
            return {server.left(colon).trimmed(), given};
    }
    return {server.trimmed(), port};
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
    m_silence.setSingleShot(true);
    connect(&m_silence, &QTimer::timeout, this, [this] { wake(); });
    // Every sign of life from the server starts the time limit again.
    connect(&Winsock1, &SocketControl::Connected, this, [this] {
        if (m_silence.isActive())
            m_silence.start();
    });
    connect(&Winsock1, &SocketControl::DataArrival, this, [this] {
        m_buffer += Winsock1.GetData().toLatin1();
        if (m_silence.isActive())
            m_silence.start();
        takeReplies();
        if (!m_replies.isEmpty())
            wake();
    });
    connect(&Winsock1, &SocketControl::CloseEvent, this, [this] {
        m_hungUp = true;
        wake();
    });
    connect(&Winsock1, &SocketControl::Error, this, [this] {
        m_socketError = true;
        wake();
    });
}

SmtpClient::~SmtpClient()
{
    if (m_loop)
        m_loop->quit();
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

void SmtpClient::wake()
{
    if (m_loop)
        m_loop->quit();
}

SmtpClient::End SmtpClient::waitForReply(int limitMs)
{
    const auto over = [this] {
        return !m_replies.isEmpty() || m_aborted || m_hungUp || m_socketError
               || Winsock1.State() == SocketControl::sckClosed || Winsock1.State() == SocketControl::sckClosing;
    };
    if (!over()) {
        QEventLoop loop;
        m_loop = &loop;
        m_silence.start(qMax(1, limitMs));
        loop.exec();
        m_loop = nullptr;
        m_silence.stop();
    }
    // A reply that came with the hang-up is still the server's answer.
    if (!m_replies.isEmpty())
        return End::Reply;
    if (m_aborted)
        return End::Aborted;
    if (m_socketError)
        return End::SocketError;
    if (m_hungUp || Winsock1.State() == SocketControl::sckClosed || Winsock1.State() == SocketControl::sckClosing)
        return End::HungUp;
    return End::Silence;
}

void SmtpClient::abort()
{
    if (!m_busy)
        return;
    m_aborted = true;
    wake();
}

bool SmtpClient::send(const QString &text)
{
    if (m_failed)
        return false;
    if (Winsock1.State() != SocketControl::sckConnected) {
        fail(Winsock1.ErrorReason.isEmpty() ? Winsock1.hangUpText() : Winsock1.ErrorReason);
        return false;
    }
    Winsock1.SendData(text);
    return true;
}

void SmtpClient::fail(const QString &why)
{
    if (m_failed)
        return;
    m_failed = true;
    LastFailure = why;
    if (Winsock1.State() == SocketControl::sckConnected) {
        Winsock1.SendData(QStringLiteral("quit") + CRLF);
        Winsock1.Flush();
    }
    Winsock1.Close();
}

bool SmtpClient::WaitForResponse(const QString &ResponseCode)
{
    if (m_failed)
        return false;
    switch (waitForReply(WaitSeconds * 1000)) {
    case End::Reply: break;
    case End::HungUp: fail(Winsock1.hangUpText()); return false;
    case End::SocketError: fail(Winsock1.ErrorReason); return false;
    case End::Silence: fail(QStringLiteral("SMTP service error, timed out while waiting for response")); return false;
    case End::Aborted: fail(QStringLiteral("Cancelled")); return false;
    }
    ReplyText = m_replies.takeFirst();
    if (ReplyText.left(3) != ResponseCode) {
        fail(QStringLiteral("SMTP service error, impromper response code. Code should have been: ") + ResponseCode
             + QStringLiteral(" Code recieved: ") + ReplyText);
        return false;
    }
    return true;
}

bool SmtpClient::SendEmail(const QString &Server, const QString &From, const QString &FromEmail,
                           const QString &ToName, const QString &ToEmail, const QString &Subject, const QString &Body)
{
    if (Winsock1.State() != SocketControl::sckClosed) {
        LastFailure = QLatin1Char(' ') + QString::number(Winsock1.State());
        return false;
    }
    m_busy = true;
    m_failed = false;
    m_aborted = false;
    m_hungUp = false;
    m_socketError = false;
    m_buffer.clear();
    m_replies.clear();
    m_lines.clear();
    ReplyText.clear();
    LastFailure.clear();

    const QString mailFrom = QStringLiteral("MAIL FROM:<") + oneLine(FromEmail) + QLatin1Char('>') + CRLF;
    const QString rcptTo = QStringLiteral("RCPT TO:<") + oneLine(ToEmail) + QLatin1Char('>') + CRLF;
    // A name left empty is filled with its address, so that neither header is empty.
    const QString fromName = oneLine(From).isEmpty() ? oneLine(FromEmail) : From;
    const QString toName = oneLine(ToName).isEmpty() ? oneLine(ToEmail) : ToName;
    // ASCII with lines a server takes goes as it always went; anything else
    // as UTF-8, quoted-printable, its header words encoded.
    const bool plain = plainAsciiFits(fromName) && plainAsciiFits(toName) && plainAsciiFits(Subject)
                       && plainAsciiFits(Body);
    const auto value = [plain](const QString &text) {
        return plain ? oneLine(text) : QString::fromLatin1(headerValue(text));
    };
    QString header = QStringLiteral("From: ") + value(fromName) + CRLF + QStringLiteral("Date: ")
                     + dateText(QDateTime::currentDateTime()) + CRLF + QStringLiteral("X-Mailer: ")
                     + QString::fromLatin1(SmtpMailerName) + QStringLiteral(" v 2.x") + CRLF + QStringLiteral("To: ")
                     + value(toName) + CRLF + QStringLiteral("Subject: ") + value(Subject) + CRLF;
    if (!plain)
        header += QStringLiteral("MIME-Version: 1.0") + CRLF + QStringLiteral("Content-Type: text/plain; charset=UTF-8")
                  + CRLF + QStringLiteral("Content-Transfer-Encoding: quoted-printable") + CRLF;
    const QString body = plain ? wireBody(Body) : wireBody(QString::fromLatin1(quotedPrintable(Body)));

    const auto [host, port] = hostAndPort(Server, Port);
    Winsock1.RemoteHost = host;
    Winsock1.RemotePort = port;
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
        if (!send(header + CRLF + body + CRLF + QStringLiteral(".") + CRLF))
            return false;
        return WaitForResponse(QStringLiteral("250"));
    }();
    if (accepted) {
        send(QStringLiteral("quit") + CRLF);
        setStatus(QStringLiteral("Disconnecting"));
        // The message is delivered; the goodbye is waited for briefly, and
        // a server that drops it changes nothing.
        waitForReply(qMin(WaitSeconds, 5) * 1000);
        Winsock1.Close();
    }
    m_busy = false;
    return accepted;
}
