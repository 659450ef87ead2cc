#pragma once

#include "platform/SocketControl.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

// The newsgroup reader's side of NNTP: one connection to the news server
// on port 119, the group list (LIST), a group's headers walked article by
// article (GROUP, STAT, HEAD, NEXT) and an article's body (BODY). Replies
// are read line by line and matched to their commands in order, so
// replies that come together or in pieces land where they belong; a
// multi-line reply ends at its "." line, and the group list is taken only
// whole. A request made while the headers are being walked takes its turn
// in the same order, and the walk goes on. The client follows the socket:
// a hang-up or a refused connection is said at once, and a server silent
// for WaitSeconds (each arrival starts the count again) is given up.
// Subjects and senders are shown with their encoded words decoded, and a
// body in the charset and transfer encoding its header declared.
class NntpClient : public QObject
{
    Q_OBJECT

public:
    explicit NntpClient(QObject *parent = nullptr);

    SocketControl Winsock1;

    QString ServerName;
    bool Connected = false;
    // The request whose reply is awaited first ("None" when nothing is).
    QString NewsCommand = QStringLiteral("None");
    QString GroupCount;
    QString FirstArticle;
    QString LastArticle;

    // The server's port and how long the server may stay silent (seconds).
    static inline int DefaultPort = 119;
    int Port = DefaultPort;
    int WaitSeconds = 60;

    // What the window shows; each may be left empty.
    struct View
    {
        std::function<void(const QString &)> status;
        // Each group of the list, once the whole list has come.
        std::function<void(const QString &)> groupAdded;
        std::function<void()> listDone; // the list is whole (beep here)
        // Empty cell, subject, date, sender, lines, article number.
        std::function<void(const QStringList &cells)> headerRow;
        // The entry of the hidden article list: "<number> - Subject: ...".
        std::function<void(const QString &)> articleEntry;
        std::function<void(const QString &)> bodyText;
        std::function<void(bool)> connectedChanged;
    } view;

    // False (and nothing done) when there is no server name.
    bool ConnectToServer();
    void Disconnect();
    // Each false (nothing sent) when not connected.
    bool RequestList();
    bool OpenGroup(const QString &group);
    bool RequestBody(const QString &article);

    // Field value of a header: the text after "Name: " up to the line end
    // (and on over the lines that continue it), as received.
    static QString headerField(const QStringList &lines, const QString &name);

private:
    enum class Kind { Greeting, List, Group, Stat, Head, Next, Body, Quit };
    struct Pending
    {
        Kind kind;
        int walk; // the header walk the command belongs to (0: none)
    };
    void sendCommand(const QString &text, Kind kind, int walk = 0);
    void onData();
    void onLine(const QString &line);
    void finishReply();
    void status(const QString &text);
    void setConnected(bool on);
    static bool multiLine(Kind kind, int code);

    QByteArray m_buffer;
    QList<Pending> m_pending;
    // The reply being read: its status line and, for a multi-line one, its lines.
    QString m_statusLine;
    QStringList m_lines;
    bool m_inReply = false;
    bool m_multi = false;
    int m_walk = 0;
    QTimer m_watch;
    // How each article of the open group declared its body.
    struct BodyForm
    {
        QString contentType;
        QString transferEncoding;
    };
    QHash<QString, BodyForm> m_bodyForms;
};
