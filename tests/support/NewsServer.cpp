#include "support/NewsServer.h"

#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

QString script()
{
    return qEnvironmentVariable("BW_SOURCE_DIR") + QStringLiteral("/tests/support/news/inn_instance.sh");
}

int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// One reply line, waited for at most fifteen seconds.
QByteArray replyLine(QTcpSocket &s)
{
    while (!s.canReadLine())
        if (!s.waitForReadyRead(15000)) // the server answers slowly on a loaded machine
            return QByteArray();
    return s.readLine();
}

} // namespace

NewsServer::NewsServer() = default;

NewsServer::~NewsServer()
{
    if (m_started)
        QProcess::execute(QStringLiteral("/bin/sh"), {script(), QStringLiteral("stop"), m_dir.path()});
}

ServerStart NewsServer::start(QString *why)
{
    if (!QFile::exists(QStringLiteral("/usr/lib/news/bin/innd"))) {
        *why = QStringLiteral("inn2 is not installed");
        return ServerStart::NotInstalled;
    }
    // inn2 binds its ports itself: a port that another program took in the
    // meantime ends the script with status 2, and other ports are tried.
    for (int attempt = 0; attempt < 5; ++attempt) {
        m_feed = freePort();
        m_read = freePort();
        QProcess p;
        p.start(QStringLiteral("/bin/sh"), {script(), QStringLiteral("start"), m_dir.path(),
                                            QString::number(m_feed), QString::number(m_read)});
        m_started = true;
        // The script bounds its own wait; this only ends a hang of the script.
        if (!p.waitForFinished(240000)) {
            p.kill();
            p.waitForFinished(5000);
            *why = QStringLiteral("inn2 did not start within 240 s");
            return ServerStart::Failed;
        }
        if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            return ServerStart::Running;
        *why = QStringLiteral("inn2 did not start: ") + QString::fromLocal8Bit(p.readAllStandardError());
        if (p.exitCode() != 2)
            return ServerStart::Failed;
    }
    return ServerStart::Failed;
}

bool NewsServer::post(const QString &group, const QString &subject, const QString &from, const QString &body)
{
    const auto latin1 = [](const QString &t) {
        for (QChar c : t)
            if (c.unicode() > 255)
                return false;
        return true;
    };
    // Text outside Latin-1 goes as UTF-8, its header words encoded.
    if (latin1(subject) && latin1(from) && latin1(body))
        return postArticle("From: " + from.toLatin1() + "\r\nNewsgroups: " + group.toLatin1() + "\r\nSubject: "
                           + subject.toLatin1() + "\r\n\r\n" + body.toLatin1());
    const auto word = [](const QString &t) { return "=?UTF-8?B?" + t.toUtf8().toBase64() + "?="; };
    return postArticle("From: " + word(from) + " <poster@example.com>\r\nNewsgroups: " + group.toLatin1()
                       + "\r\nSubject: " + word(subject)
                       + "\r\nMIME-Version: 1.0\r\nContent-Type: text/plain; charset=UTF-8\r\n"
                         "Content-Transfer-Encoding: 8bit\r\n\r\n"
                       + body.toUtf8());
}

bool NewsServer::postArticle(const QByteArray &article)
{
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, quint16(m_read));
    if (!s.waitForConnected(15000) || !replyLine(s).startsWith("200"))
        return false;
    s.write("POST\r\n");
    if (!replyLine(s).startsWith("340"))
        return false;
    // Lines that begin with "." go doubled, as the protocol asks.
    QByteArray text = article;
    text.replace("\r\n.", "\r\n..");
    if (text.startsWith('.'))
        text.prepend('.');
    s.write(text + "\r\n.\r\n");
    const bool ok = replyLine(s).startsWith("240");
    s.write("QUIT\r\n");
    s.waitForBytesWritten(1000);
    return ok;
}
