#pragma once

#include "support/LoopbackServer.h"

#include <QJsonObject>
#include <QList>
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
    // The same messages as a mail reader reads them (Python's email
    // package): "headers" (pairs of name and decoded value, in order),
    // "body" (decoded text, LF line ends), "charset", and "longestLine"
    // (the longest line as stored, in octets).
    QList<QJsonObject> readBack() const;

private:
    QTemporaryDir m_box;
};
