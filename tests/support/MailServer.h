#pragma once

#include "support/LoopbackServer.h"

#include <QStringList>
#include <QTemporaryDir>

// A real SMTP server for a test: Debian's aiosmtpd on a free loopback
// port, delivering into a mailbox folder of its own.
class MailServer : public LoopbackServer
{
public:
    ServerStart start(QString *why);
    // The messages delivered so far, each as stored (LF line ends).
    QStringList messages() const;

private:
    QTemporaryDir m_box;
};
