#pragma once

#include <QProcess>
#include <QStringList>
#include <functional>

// A real server program from Debian for a test, run by Debian's python3 on
// a free loopback port; stopped when it goes.
class LoopbackServer
{
public:
    LoopbackServer() = default;
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer &) = delete;
    LoopbackServer &operator=(const LoopbackServer &) = delete;

    int port() const { return m_port; }

protected:
    // Picks the port, starts python3 with the arguments made for it and
    // waits (at most 10 s) until the server takes connections; false with
    // a reason (naming the Debian package) when it cannot run here.
    bool startPython(const std::function<QStringList(int port)> &arguments, const QString &package, QString *why);

private:
    QProcess m_process;
    int m_port = 0;
};
