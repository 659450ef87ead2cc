#pragma once

#include "platform/SocketControl.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

class QEventLoop;

// The program's mail sender: one call runs one complete SMTP exchange
// (HELO, MAIL FROM, RCPT TO, DATA, QUIT) with the named server (port 25
// unless it is named "host:port") and sends one plain-text message: ASCII
// as it is, any other text as UTF-8 MIME (quoted-printable, header words
// encoded), so that no line on the wire passes 998 octets. Replies are read whole (a reply may
// come in pieces or span several lines) and matched to their command in
// order; the exchange stops at the first refusal and says goodbye. The
// client follows the socket: a wait ends on the reply, on the server's
// hang-up or a socket error at once, or when the server has been silent
// for the time limit (each arrival starts it again). It shows nothing
// itself: the result says whether the server took the message, and
// LastFailure says why not, for the caller to show.
class SmtpClient : public QObject
{
    Q_OBJECT

public:
    explicit SmtpClient(QObject *parent = nullptr);
    ~SmtpClient() override;

    SocketControl Winsock1;
    // The last whole reply taken (its lines joined by CR LF).
    QString ReplyText;
    // Progress of the exchange ("Connecting....", "Connected", ...).
    QString StatusTxt;
    std::function<void(const QString &)> statusChanged;
    // Why the last exchange failed, in the words the user is shown ("" after a success).
    QString LastFailure;

    // The server's port when it names none and the seconds of silence a reply is waited for;
    // tests make them their own (DefaultPort for every client made after).
    static inline int DefaultPort = 25;
    int Port = DefaultPort;
    int WaitSeconds = 50;

    // True when the server took the message (its 250 to the message data).
    bool SendEmail(const QString &Server, const QString &From, const QString &FromEmail, const QString &ToName,
                   const QString &ToEmail, const QString &Subject, const QString &Body);

    // Waits for the next whole reply; true when it starts with ResponseCode.
    bool WaitForResponse(const QString &ResponseCode);

    // Ends the exchange under way: goodbye said when still connected, the
    // socket closed, and SendEmail returns false ("Cancelled"). Nothing
    // when no exchange runs.
    void abort();
    bool busy() const { return m_busy; }

    // The date line's text: English names and the machine's own offset,
    // "Tue, 08 Dec 2026 06:11:43 +0100".
    static QString dateText(const QDateTime &when);
    // The body as it goes on the wire: every line end CR LF, a line that
    // begins with "." doubled.
    static QString wireBody(const QString &body);

private:
    // How a wait ended.
    enum class End { Reply, HungUp, SocketError, Silence, Aborted };
    End waitForReply(int limitMs);
    // Ends the wait in progress; the state of the exchange says why.
    void wake();
    void setStatus(const QString &text);
    bool send(const QString &text);
    void takeReplies();
    // Ends a failed exchange: goodbye when still connected, then close.
    void fail(const QString &why);
    QByteArray m_buffer;
    QStringList m_replies;   // whole replies not yet taken
    QStringList m_lines;     // lines of the reply being read
    QEventLoop *m_loop = nullptr;
    QTimer m_silence;        // restarted by every arrival
    bool m_busy = false;
    bool m_failed = false;
    bool m_aborted = false;
    bool m_hungUp = false;
    bool m_socketError = false;
};

// The domain named in HELO and the mailer named in every message.
inline constexpr const char *SmtpHeloDomain = "pellor.example";
inline constexpr const char *SmtpMailerName = "Brindlewick Mailer";
