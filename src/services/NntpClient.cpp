#include "services/NntpClient.h"

#include "platform/Sleep.h"
#include "services/MimeText.h"

namespace {
const char *kindName(int kind)
{
    static const char *const names[] = {"None", "LIST", "GROUP", "STAT", "HEAD", "STAT", "BODY", "None"};
    return names[kind];
}
} // namespace

NntpClient::NntpClient(QObject *parent) : QObject(parent)
{
    m_watch.setSingleShot(true);
    connect(&m_watch, &QTimer::timeout, this, [this] {
        if (m_pending.isEmpty())
            return;
        status(QStringLiteral("No answer from ") + ServerName);
        m_pending.clear();
        NewsCommand = QStringLiteral("None");
        Winsock1.Close();
        setConnected(false);
    });
    connect(&Winsock1, &SocketControl::Connected, this, [this] {
        setConnected(true);
        m_pending.prepend({Kind::Greeting, 0});
        // A reader's greeting, then the reader mode every server accepts.
        sendCommand(QStringLiteral("MODE READER"), Kind::Greeting);
        status(QStringLiteral("Connected to ") + ServerName);
    });
    connect(&Winsock1, &SocketControl::DataArrival, this, &NntpClient::onData);
    connect(&Winsock1, &SocketControl::CloseEvent, this, [this] {
        status(QStringLiteral("Disconnected From ") + ServerName);
        m_pending.clear();
        m_watch.stop();
        Winsock1.Close();
        setConnected(false);
    });
    connect(&Winsock1, &SocketControl::Error, this, [this] {
        status(Winsock1.ErrorReason);
        m_pending.clear();
        m_watch.stop();
        Winsock1.Close();
        setConnected(false);
    });
}

void NntpClient::status(const QString &text)
{
    if (view.status)
        view.status(text);
}

void NntpClient::setConnected(bool on)
{
    Connected = on;
    if (view.connectedChanged)
        view.connectedChanged(on);
}

bool NntpClient::ConnectToServer()
{
    if (Connected) {
        status(QStringLiteral("Already connected : ") + ServerName);
        return true;
    }
    if (ServerName.isEmpty())
        return false;
    Winsock1.Close();
    m_buffer.clear();
    m_pending.clear();
    m_inReply = false;
    Winsock1.RemoteHost = ServerName;
    Winsock1.RemotePort = Port;
    status(QStringLiteral("Connecting to ") + ServerName);
    Winsock1.Connect();
    return true;
}

void NntpClient::Disconnect()
{
    if (!Connected)
        return;
    Winsock1.SendData(QStringLiteral("QUIT\r\n"));
    Winsock1.Flush();
    Winsock1.Close();
    m_pending.clear();
    m_watch.stop();
    setConnected(false);
}

void NntpClient::sendCommand(const QString &text, Kind kind, int walk)
{
    Winsock1.SendData(text + QStringLiteral("\r\n"));
    m_pending.append({kind, walk});
    NewsCommand = QLatin1String(kindName(int(m_pending.first().kind)));
    m_watch.start(WaitSeconds * 1000);
}

bool NntpClient::RequestList()
{
    if (!Connected)
        return false;
    sendCommand(QStringLiteral("LIST"), Kind::List);
    return true;
}

bool NntpClient::OpenGroup(const QString &group)
{
    if (!Connected)
        return false;
    // A new walk; replies of the old one are still read, but lead nowhere.
    ++m_walk;
    m_bodyForms.clear();
    sendCommand(QStringLiteral("GROUP ") + group, Kind::Group, m_walk);
    return true;
}

bool NntpClient::RequestBody(const QString &article)
{
    if (!Connected)
        return false;
    sendCommand(QStringLiteral("BODY ") + article, Kind::Body);
    return true;
}

bool NntpClient::multiLine(Kind kind, int code)
{
    return (kind == Kind::List && code == 215) || (kind == Kind::Head && code == 221)
           || (kind == Kind::Body && code == 222);
}

void NntpClient::onData()
{
    m_buffer += Winsock1.GetData().toLatin1();
    // The limit is the server's silence: every arrival starts it again.
    if (!m_pending.isEmpty())
        m_watch.start(WaitSeconds * 1000);
    for (qsizetype end = m_buffer.indexOf("\r\n"); end >= 0; end = m_buffer.indexOf("\r\n")) {
        const QString line = QString::fromLatin1(m_buffer.left(end));
        m_buffer.remove(0, end + 2);
        onLine(line);
    }
}

void NntpClient::onLine(const QString &line)
{
    if (!m_inReply) {
        m_statusLine = line;
        m_lines.clear();
        const Kind kind = m_pending.isEmpty() ? Kind::Greeting : m_pending.first().kind;
        m_multi = multiLine(kind, line.left(3).toInt());
        m_inReply = true;
        if (!m_multi)
            finishReply();
        return;
    }
    if (line == QLatin1String(".")) {
        finishReply();
        return;
    }
    m_lines << (line.startsWith(QLatin1String("..")) ? line.mid(1) : line);
}

QString NntpClient::headerField(const QStringList &lines, const QString &name)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines[i].startsWith(name + QLatin1Char(':'), Qt::CaseInsensitive))
            continue;
        // A field folded over several lines: the lines that begin with a
        // blank or a tab go on with it.
        QString value = lines[i].mid(name.size() + 1);
        while (i + 1 < lines.size() && (lines[i + 1].startsWith(QLatin1Char(' ')) || lines[i + 1].startsWith(QLatin1Char('\t'))))
            value += lines[++i];
        return value.trimmed();
    }
    return QString();
}

void NntpClient::finishReply()
{
    m_inReply = false;
    if (m_pending.isEmpty())
        return; // a greeting or a reply nobody asked for
    const Pending p = m_pending.takeFirst();
    NewsCommand = m_pending.isEmpty() ? QStringLiteral("None") : QLatin1String(kindName(int(m_pending.first().kind)));
    if (m_pending.isEmpty())
        m_watch.stop();
    else
        m_watch.start(WaitSeconds * 1000);
    const int code = m_statusLine.left(3).toInt();
    const bool current = p.walk == m_walk;
    switch (p.kind) {
    case Kind::Greeting:
    case Kind::Quit:
        break;
    case Kind::List:
        // The list counts only once its closing "." came: a list cut off
        // by a hang-up or the time limit adds nothing.
        if (code == 215) {
            if (view.groupAdded)
                for (const QString &line : std::as_const(m_lines))
                    view.groupAdded(line.section(QLatin1Char(' '), 0, 0));
            status(QStringLiteral("List Download"));
            if (view.listDone)
                view.listDone();
        }
        break;
    case Kind::Group:
        if (code == 211 && current) {
            const QStringList words = m_statusLine.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            GroupCount = words.value(1);
            FirstArticle = words.value(2);
            LastArticle = words.value(3);
            status(QStringLiteral("Downloading Header Number ") + FirstArticle + QStringLiteral(" to ") + LastArticle);
            sendCommand(QStringLiteral("STAT ") + FirstArticle, Kind::Stat, p.walk);
        }
        break;
    case Kind::Stat:
    case Kind::Next:
        // 223: an article is selected; anything else ends the walk.
        if (code == 223 && current)
            sendCommand(QStringLiteral("HEAD"), Kind::Head, p.walk);
        break;
    case Kind::Head:
        if (code == 221) {
            const QString number = m_statusLine.section(QLatin1Char(' '), 1, 1);
            const QString subject = decodeHeaderText(headerField(m_lines, QStringLiteral("Subject")));
            // The body of this article is read in the form its header declares.
            if (current)
                m_bodyForms.insert(number, {headerField(m_lines, QStringLiteral("Content-Type")),
                                            headerField(m_lines, QStringLiteral("Content-Transfer-Encoding"))});
            bool ok = false;
            const int lines = headerField(m_lines, QStringLiteral("Lines")).toShort(&ok);
            if (view.headerRow && current)
                view.headerRow({QString(), subject, headerField(m_lines, QStringLiteral("Date")),
                                decodeHeaderText(headerField(m_lines, QStringLiteral("From"))),
                                QString::number(ok ? lines : 0), number});
            if (view.articleEntry && current)
                view.articleEntry(number + QStringLiteral(" - Subject: ") + subject);
        }
        if (current && code == 221)
            sendCommand(QStringLiteral("NEXT"), Kind::Next, p.walk);
        break;
    case Kind::Body:
        if (view.bodyText) {
            // An article whose header was not read is taken as Latin-1.
            const BodyForm form = m_bodyForms.value(m_statusLine.section(QLatin1Char(' '), 1, 1));
            view.bodyText(m_statusLine + QStringLiteral("\r\n")
                          + (m_multi ? decodeBody(m_lines.join(QStringLiteral("\r\n")), form.contentType,
                                                  form.transferEncoding)
                                           + QStringLiteral("\r\n.\r\n")
                                     : QString()));
        }
        break;
    }
}
