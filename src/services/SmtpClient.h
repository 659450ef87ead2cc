#pragma once

#include "platform/SocketControl.h"

#include <QObject>
#include <QString>
#include <functional>

// The program's mail sender: one call runs one complete SMTP exchange
// (HELO, mail from, rcpt to, data, quit) on port 25 of the named server and
// sends one plain-text message. Failures are told to the user in message
// boxes; the result says whether the server accepted the message.
class SmtpClient : public QObject
{
    Q_OBJECT

public:
    explicit SmtpClient(QObject *parent = nullptr);

    SocketControl Winsock1;
    // The most recent data arrival; each arrival replaces the one before.
    QString ReplyText;
    // Progress of the exchange ("Connecting....", "Connected", ...).
    QString StatusTxt;
    std::function<void(const QString &)> statusChanged;

    // The server's port and the seconds a reply is waited for; tests make
    // them their own.
    int Port = 25;
    int WaitSeconds = 50;

    // True when the server took the message (its answer to the data).
    bool SendEmail(const QString &Server, const QString &From, const QString &FromEmail, const QString &ToName,
                   const QString &ToEmail, const QString &Subject, const QString &Body);

    // Waits for a reply starting with ResponseCode; true on a match.
    bool WaitForResponse(const QString &ResponseCode);

    // The date line's text for a moment: "Tue, 08 Dec 2026 06:11:43 -0600".
    static QString dateText(const QDateTime &when);

private:
    void setStatus(const QString &text);
    bool send(const QString &text);
    bool m_failed = false;
};

// The domain named in HELO and the mailer named in every message.
inline constexpr const char *SmtpHeloDomain = "pellor.example";
inline constexpr const char *SmtpMailerName = "Brindlewick Mailer";
