#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryFile>

// How starting a test's server went. Only a missing Debian package lets a
// test skip; a server that is installed but does not come up fails it.
enum class ServerStart { Running, NotInstalled, Failed };

// In a test function: starts server; skips the test when its package is
// missing and fails it on any other failure.
#define START_TEST_SERVER(server)                                                                                  \
    do {                                                                                                           \
        QString why_;                                                                                              \
        const ServerStart started_ = (server).start(&why_);                                                        \
        if (started_ == ServerStart::NotInstalled)                                                                 \
            QSKIP(qPrintable(why_));                                                                               \
        if (started_ != ServerStart::Running)                                                                      \
            QFAIL(qPrintable(why_));                                                                               \
    } while (false)

// A real server program from Debian for a test, run by Debian's python3 on
// a loopback port that the server itself takes (port 0) and names, so no
// other program can take it in between; stopped when it goes.
class LoopbackServer
{
public:
    LoopbackServer() = default;
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer &) = delete;
    LoopbackServer &operator=(const LoopbackServer &) = delete;

    int port() const { return m_port; }

protected:
    // Runs script under python3 with the arguments after it. The script
    // finds the listening socket ready made as `sock` (already listening,
    // so connections wait in its queue until the server serves them) and
    // calls ready() once it is set up to serve; a script that ends before
    // that has failed. module is the Python module the Debian package brings.
    ServerStart startPython(const QString &module, const QString &package, const QString &script,
                            const QStringList &arguments, QString *why);

private:
    QTemporaryFile m_log;
    QProcess m_process;
    int m_port = 0;
};
