#pragma once

#include "support/LoopbackServer.h"

#include <QTemporaryDir>

// A real FTP server for a test: Debian's pyftpdlib on a free loopback
// port, serving a temporary folder to anonymous users.
class FtpServer : public LoopbackServer
{
public:
    ServerStart start(QString *why);
    QString root() const { return m_root.path(); }

private:
    QTemporaryDir m_root;
};
