#include "support/LoopbackServer.h"

#include <QDeadlineTimer>
#include <QFile>

namespace {

// Before the server's own code: a missing module ends with status 3, then
// the socket is bound to a free port; the server calls ready() once it is
// set up, which names the port on one line.
const char *const Prelude = R"(
import importlib.util, socket, sys
if importlib.util.find_spec(sys.argv[1]) is None:
    sys.exit(3)
sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
sock.bind(("127.0.0.1", 0))
sock.listen(64)
def ready():
    print(sock.getsockname()[1], flush=True)
del sys.argv[1]
)";

} // namespace

LoopbackServer::~LoopbackServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
}

ServerStart LoopbackServer::startPython(const QString &module, const QString &package, const QString &script,
                                        const QStringList &arguments, QString *why)
{
    if (!QFile::exists(QStringLiteral("/usr/bin/python3"))) {
        *why = QStringLiteral("no Debian python3 for ") + package;
        return ServerStart::NotInstalled;
    }
    m_process.setStandardInputFile(QProcess::nullDevice());
    // The server's log goes to a file: a pipe nobody reads could fill and stop it.
    if (!m_log.open()) {
        *why = QStringLiteral("no temporary file for the log of ") + package;
        return ServerStart::Failed;
    }
    m_process.setStandardErrorFile(m_log.fileName());
    m_process.start(QStringLiteral("/usr/bin/python3"),
                    QStringList{QStringLiteral("-c"), QLatin1String(Prelude) + script, module} + arguments);
    // A busy machine can be slow to start python; the bound only ends a hang.
    const QDeadlineTimer deadline(60000);
    while (!m_process.canReadLine() && m_process.state() != QProcess::NotRunning && !deadline.hasExpired())
        m_process.waitForReadyRead(int(qBound(qint64(1), deadline.remainingTime(), qint64(1000))));
    if (m_process.canReadLine()) {
        m_port = m_process.readLine().trimmed().toInt();
        if (m_port > 0)
            return ServerStart::Running;
    }
    if (m_process.state() == QProcess::NotRunning && m_process.exitStatus() == QProcess::NormalExit
        && m_process.exitCode() == 3) {
        *why = package + QStringLiteral(" is not installed");
        return ServerStart::NotInstalled;
    }
    *why = package + QStringLiteral(" did not start: ") + QString::fromLocal8Bit(m_log.readAll());
    return ServerStart::Failed;
}
