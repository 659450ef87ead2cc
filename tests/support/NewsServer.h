#pragma once

#include "support/LoopbackServer.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A real news server for a test: a private inn2 instance under a folder of
// its own (tests/support/news/inn_instance.sh) with a configuration of its
// own, its reader on a free loopback port. Stopped when it goes.
class NewsServer
{
public:
    NewsServer();
    ~NewsServer();
    NewsServer(const NewsServer &) = delete;
    NewsServer &operator=(const NewsServer &) = delete;

    // Starts it; a reason when it does not run.
    ServerStart start(QString *why);
    int port() const { return m_read; }
    // The instance's folder; its configuration is etc/inn.conf there.
    QString folder() const { return m_dir.path(); }
    // Posts an article to group through the reader port; false on refusal.
    // Text outside Latin-1 goes as UTF-8 with the headers that say so.
    bool post(const QString &group, const QString &subject, const QString &from, const QString &body);
    // Posts an article given whole (header lines, empty line, body; CR LF).
    bool postArticle(const QByteArray &article);

private:
    // Under /tmp, not the test's own temporary folder: inn's control
    // sockets live in it, and a socket's path may not pass 107 characters.
    QTemporaryDir m_dir{QStringLiteral("/tmp/bw-news-XXXXXX")};
    int m_feed = 0;
    int m_read = 0;
    bool m_started = false;
};
