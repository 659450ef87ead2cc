#include "support/MailServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

MailServer::MailServer() = default;

MailServer::~MailServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
    }
}

bool MailServer::start(QString *why)
{
    if (!QFile::exists(QStringLiteral("/usr/bin/python3"))) {
        *why = QStringLiteral("no Debian python3 for the mail server");
        return false;
    }
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        m_port = probe.serverPort();
    }
    m_process.start(QStringLiteral("/usr/bin/python3"),
                    {QStringLiteral("-m"), QStringLiteral("aiosmtpd"), QStringLiteral("-n"), QStringLiteral("-l"),
                     QStringLiteral("127.0.0.1:%1").arg(m_port), QStringLiteral("-c"),
                     QStringLiteral("aiosmtpd.handlers.Mailbox"), m_box.path() + QStringLiteral("/mail")});
    if (!m_process.waitForStarted(5000)) {
        *why = QStringLiteral("the mail server did not start");
        return false;
    }
    QElapsedTimer up;
    up.start();
    while (up.elapsed() < 10000) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, quint16(m_port));
        if (probe.waitForConnected(200))
            return true;
        if (m_process.state() != QProcess::Running) {
            *why = QStringLiteral("python3-aiosmtpd is not installed");
            return false;
        }
        QThread::msleep(100);
    }
    *why = QStringLiteral("the mail server took no connection");
    return false;
}

QStringList MailServer::messages() const
{
    QStringList out;
    const QDir dir(m_box.path() + QStringLiteral("/mail/new"));
    for (const QString &name : dir.entryList(QDir::Files, QDir::Time | QDir::Reversed)) {
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::ReadOnly))
            out << QString::fromLatin1(f.readAll());
    }
    return out;
}
