#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// A real SMTP server for a test: Debian's aiosmtpd on a free loopback
// port, delivering into a mailbox folder of its own. Stopped when it goes.
class MailServer
{
public:
    MailServer();
    ~MailServer();
    MailServer(const MailServer &) = delete;
    MailServer &operator=(const MailServer &) = delete;

    // Starts it and waits (at most 10 s) until it takes connections; false
    // with a reason when it cannot run here.
    bool start(QString *why);
    int port() const { return m_port; }
    // The messages delivered so far, each as stored (LF line ends).
    QStringList messages() const;

private:
    QTemporaryDir m_box;
    QProcess m_process;
    int m_port = 0;
};
