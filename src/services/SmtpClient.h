#pragma once

#include "platform/SocketControl.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

// The program's mail sender: one call runs one complete SMTP exchange
// (HELO, MAIL FROM, RCPT TO, DATA, QUIT) on port 25 of the named server
// and sends one plain-text message. Replies are read whole (a reply may
// come in pieces or span several lines) and matched to their command in
// order; the exchange stops at the first refusal, says goodbye and tells
// the user which step failed and what the server said. The result says
// whether the server took the message.
class SmtpClient : public QObject
{
    Q_OBJECT

public:
    explicit SmtpClient(QObject *parent = nullptr);

    SocketControl Winsock1;
    // The last whole reply taken (its lines joined by CR LF).
    QString ReplyText;
    // Progress of the exchange ("Connecting....", "Connected", ...).
    QString StatusTxt;
    std::function<void(const QString &)> statusChanged;
    // Why the last exchange failed: the step and the server's words ("" after a success).
    QString LastFailure;

    // The server's port and the seconds a reply is waited for; tests make
    // them their own (DefaultPort for every client made after).
    static inline int DefaultPort = 25;
    int Port = DefaultPort;
    int WaitSeconds = 50;

    // True when the server took the message (its 250 to the message data).
    bool SendEmail(const QString &Server, const QString &From, const QString &FromEmail, const QString &ToName,
                   const QString &ToEmail, const QString &Subject, const QString &Body);

    // Waits for the next whole reply; true when it starts with ResponseCode.
    bool WaitForResponse(const QString &ResponseCode);

    // The date line's text: English names and the machine's own offset,
    // "Tue, 08 Dec 2026 06:11:43 +0100".
    static QString dateText(const QDateTime &when);
    // The body as it goes on the wire: every line end CR LF, a line that
    // begins with "." doubled.
    static QString wireBody(const QString &body);

private:
    void setStatus(const QString &text);
    bool send(const QString &text);
    void takeReplies();
    // Ends a failed exchange: QUIT when still connected, close, and (unless
    // a message already said why) tell the user.
    void fail(const QString &step, const QString &text, bool tell = true);
    QByteArray m_buffer;
    QStringList m_replies;   // whole replies not yet taken
    QStringList m_lines;     // lines of the reply being read
    bool m_failed = false;
    bool m_socketError = false;
    QString m_socketErrorText;
};

// The domain named in HELO and the mailer named in every message.
inline constexpr const char *SmtpHeloDomain = "pellor.example";
inline constexpr const char *SmtpMailerName = "Brindlewick Mailer";
