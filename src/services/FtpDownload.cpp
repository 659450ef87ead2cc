#include "services/FtpDownload.h"

#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>

FtpDownload::FtpDownload(QObject *parent) : QObject(parent)
{
    m_watchdog.setSingleShot(true);
    connect(&m_watchdog, &QTimer::timeout, this,
            [this] { fail(QStringLiteral("No answer from ") + FtpHost); });
}

FtpDownload::~FtpDownload()
{
    if (m_active)
        fail(QStringLiteral("Cancelled"));
}

bool FtpDownload::start()
{
    if (m_active)
        return false;
    StepNo = 0;
    TotalBytes = 0;
    BytesReceived = 0;
    m_pending.clear();
    m_openCode.clear();
    m_serverDone = false;
    m_dataClosed = false;
    FtpScript = {FtpStep{QStringLiteral("220"), QStringLiteral("USER ") + FtpUser},
                 FtpStep{QStringLiteral("331"), QStringLiteral("PASS ") + FtpPassword},
                 FtpStep{QStringLiteral("230"), QStringLiteral("TYPE I")},
                 FtpStep{QStringLiteral("200"), QStringLiteral("PORT ")},
                 FtpStep{QStringLiteral("200"), QStringLiteral("RETR ") + RemoteFile}};

    // The bytes go to a temporary file beside the chosen one, which takes
    // its name only when the transfer is complete.
    m_file = std::make_unique<QSaveFile>(LocalFile);
    if (!m_file->open(QIODevice::WriteOnly)) {
        m_file.reset();
        emit finished(false, QStringLiteral("Cannot write ") + LocalFile);
        return false;
    }
    m_active = true;
    m_control = new QTcpSocket(this);
    connect(m_control, &QTcpSocket::connected, this, [this] { openDataPort(); });
    connect(m_control, &QTcpSocket::readyRead, this, [this] { readControl(); });
    connect(m_control, &QTcpSocket::disconnected, this, [this] {
        if (m_active && !(m_serverDone && m_dataClosed))
            fail(QStringLiteral("The server closed the connection"));
    });
    connect(m_control, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
        if (e != QAbstractSocket::RemoteHostClosedError && m_active)
            fail(m_control->errorString());
    });
    touch();
    m_control->connectToHost(FtpHost, FtpPort, QIODevice::ReadWrite, QAbstractSocket::IPv4Protocol);
    return true;
}

void FtpDownload::cancel()
{
    if (m_active)
        fail(QStringLiteral("Cancelled"));
}

void FtpDownload::touch()
{
    m_watchdog.start(qMax(1, WaitSeconds) * 1000);
}

void FtpDownload::send(const QString &line)
{
    m_control->write(line.toLatin1() + "\r\n");
    emit commandSent(line);
}

// The data port: a listening socket on the address the control connection
// uses, on a port the system picks; the script's PORT command names it.
void FtpDownload::openDataPort()
{
    m_listener = new QTcpServer(this);
    if (!m_listener->listen(m_control->localAddress(), 0)) {
        fail(QStringLiteral("No data port: ") + m_listener->errorString());
        return;
    }
    connect(m_listener, &QTcpServer::newConnection, this, [this] { acceptData(); });
    const quint32 ip = m_control->localAddress().toIPv4Address();
    const quint16 port = m_listener->serverPort();
    FtpScript[3].Send = QStringLiteral("PORT %1,%2,%3,%4,%5,%6")
                            .arg((ip >> 24) & 255).arg((ip >> 16) & 255).arg((ip >> 8) & 255).arg(ip & 255)
                            .arg(port >> 8).arg(port & 255);
}

QList<FtpReply> takeFtpReplies(QByteArray &pending, QString &openCode)
{
    QList<FtpReply> replies;
    int end;
    while ((end = pending.indexOf('\n')) >= 0) {
        QString line = QString::fromLatin1(pending.left(end));
        pending.remove(0, end + 1);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        static const QRegularExpression codeLine(QStringLiteral("^(\\d{3})([ -]|$)"));
        const QRegularExpressionMatch m = codeLine.match(line);
        if (!openCode.isEmpty()) {
            // Inside a multi-line reply: only "<code> " ends it.
            if (!(m.hasMatch() && m.captured(1) == openCode && m.captured(2) != QLatin1String("-")))
                continue;
            openCode.clear();
        } else if (!m.hasMatch()) {
            continue; // not a reply line
        } else if (m.captured(2) == QLatin1String("-")) {
            openCode = m.captured(1);
            continue;
        }
        replies << FtpReply{m.captured(1).toInt(), line};
    }
    return replies;
}

void FtpDownload::readControl()
{
    touch();
    m_pending += m_control->readAll();
    for (const FtpReply &reply : takeFtpReplies(m_pending, m_openCode)) {
        if (!m_active)
            return;
        onReply(reply.code, reply.line);
    }
}

void FtpDownload::onReply(int code, const QString &line)
{
    if (code >= 400) {
        fail(QStringLiteral("Error! ") + line);
        return;
    }
    if (StepNo <= 4) {
        const FtpStep &step = FtpScript[StepNo];
        if (QString::number(code) == step.Expect) {
            ++StepNo;
            send(step.Send);
        } else if (code >= 200) {
            emit unexpectedReply(line);
        }
        return;
    }
    if (StepNo == 5) {
        if (code == 150 || code == 125) {
            static const QRegularExpression size(QStringLiteral("\\(\\s*(\\d+)"));
            const QRegularExpressionMatch m = size.match(line);
            TotalBytes = m.hasMatch() ? m.captured(1).toLongLong() : 0;
            StepNo = 6;
            emit transferStarted();
        } else if (code == 226 || code == 250) {
            // The whole file came before the transfer's first reply.
            StepNo = 6;
            m_serverDone = true;
            finishIfDone();
        }
        return;
    }
    if (code == 226 || code == 250) {
        m_serverDone = true;
        finishIfDone();
    }
}

void FtpDownload::acceptData()
{
    QTcpSocket *incoming = m_listener->nextPendingConnection();
    // Only the server we are talking to may send the file.
    if (m_data || !incoming || incoming->peerAddress() != m_control->peerAddress()) {
        if (incoming)
            incoming->abort();
        return;
    }
    m_data = incoming;
    m_listener->close();
    connect(m_data, &QTcpSocket::readyRead, this, [this] { readData(); });
    connect(m_data, &QTcpSocket::disconnected, this, [this] { dataClosed(); });
    readData();
    if (m_data->state() == QAbstractSocket::UnconnectedState)
        dataClosed();
}

void FtpDownload::readData()
{
    if (!m_active || !m_data)
        return;
    touch();
    const QByteArray bytes = m_data->readAll();
    if (bytes.isEmpty())
        return;
    if (m_file->write(bytes) != bytes.size()) {
        fail(QStringLiteral("Cannot write ") + LocalFile);
        return;
    }
    BytesReceived += bytes.size();
    emit progress(BytesReceived, TotalBytes);
}

void FtpDownload::dataClosed()
{
    if (!m_active || m_dataClosed)
        return;
    readData();
    m_dataClosed = true;
    finishIfDone();
}

void FtpDownload::finishIfDone()
{
    if (!m_active || !m_serverDone || !m_dataClosed)
        return;
    if (TotalBytes > 0 && BytesReceived != TotalBytes) {
        fail(QStringLiteral("The transfer was cut short: %1 of %2 bytes").arg(BytesReceived).arg(TotalBytes));
        return;
    }
    if (!m_file->commit()) {
        m_file.reset();
        fail(QStringLiteral("Cannot write ") + LocalFile);
        return;
    }
    m_file.reset();
    send(QStringLiteral("QUIT"));
    m_control->flush();
    closeAll();
    emit finished(true, QString());
}

void FtpDownload::fail(const QString &why)
{
    if (!m_active)
        return;
    closeAll();
    m_file.reset(); // the temporary file goes; a file already at LocalFile stays as it was
    emit finished(false, why);
}

void FtpDownload::closeAll()
{
    m_active = false;
    m_watchdog.stop();
    for (QTcpSocket *s : {m_data, m_control}) {
        if (!s)
            continue;
        s->disconnect(this);
        s->abort();
        s->deleteLater();
    }
    m_data = nullptr;
    m_control = nullptr;
    if (m_listener) {
        m_listener->close();
        m_listener->deleteLater();
        m_listener = nullptr;
    }
}
