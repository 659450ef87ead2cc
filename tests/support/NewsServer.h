#pragma once

#include <QString>
#include <QTemporaryDir>

// A real news server for a test: a private inn2 instance under a folder of
// its own (tests/support/news/inn_instance.sh), its reader on a free
// loopback port. Stopped when it goes.
class NewsServer
{
public:
    NewsServer();
    ~NewsServer();
    NewsServer(const NewsServer &) = delete;
    NewsServer &operator=(const NewsServer &) = delete;

    // Starts it (at most 20 s); false with a reason when inn2 cannot run here.
    bool start(QString *why);
    int port() const { return m_read; }
    // Posts an article to group through the reader port; false on refusal.
    bool post(const QString &group, const QString &subject, const QString &from, const QString &body);

private:
    QTemporaryDir m_dir;
    int m_feed = 0;
    int m_read = 0;
    bool m_started = false;
};
