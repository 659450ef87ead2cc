#include "support/LoopbackServer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

LoopbackServer::~LoopbackServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
    }
}

bool LoopbackServer::startPython(const std::function<QStringList(int)> &arguments, const QString &package,
                                 QString *why)
{
    if (!QFile::exists(QStringLiteral("/usr/bin/python3"))) {
        *why = QStringLiteral("no Debian python3 for ") + package;
        return false;
    }
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        m_port = probe.serverPort();
    }
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(QStringLiteral("/usr/bin/python3"), arguments(m_port));
    if (!m_process.waitForStarted(5000)) {
        *why = package + QStringLiteral(" did not start");
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
            *why = package + QStringLiteral(" is not installed");
            return false;
        }
        QThread::msleep(100);
    }
    *why = package + QStringLiteral(" took no connection");
    return false;
}
