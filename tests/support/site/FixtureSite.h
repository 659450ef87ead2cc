#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <memory>

class QObject;
class QThread;

// A small web site on 127.0.0.1 serving the pages under a folder (by
// default tests/fixtures/site; the mapping from address to file is in its
// README). It runs in a thread of its own, so the program's blocking waits
// in the calling thread cannot starve it. Every request head it receives is
// kept, byte for byte. Single paths can be told to misbehave.
class FixtureSite
{
public:
    enum class Mode {
        Normal,
        Hang,        // reads the request, never answers, never closes
        HangMidway,  // sends the headers and half the body, then stalls
        CloseEarly,  // closes without sending anything
        ShortReply,  // headers promise the whole body, half is sent, then close
        Hold         // answers normally, but only once releaseHeld() is called
    };
    struct Behaviour
    {
        Mode mode = Mode::Normal;
        int delayMs = 0;  // wait this long before answering
        int status = 0;   // answer with this status and a short error page
    };

    explicit FixtureSite(const QString &root = defaultRoot());
    ~FixtureSite();
    FixtureSite(const FixtureSite &) = delete;
    FixtureSite &operator=(const FixtureSite &) = delete;

    // Before start: pages made by the caller, asked first for every request
    // (from the site's thread); a null body leaves the request to the folder.
    void setPageMaker(std::function<QByteArray(const QString &target)> maker);

    // Listens on 127.0.0.1 (port 0: any free port); false when it cannot.
    bool start(quint16 port = 0);
    quint16 port() const { return m_port; }
    QString host() const;                                 // "127.0.0.1:<port>"
    QString url(const QString &pathAndQuery) const;       // "http://127.0.0.1:<port>/..."

    // For requests whose path and query, or path alone, equal key.
    void setBehaviour(const QString &key, const Behaviour &behaviour);
    void clearBehaviours();
    // Answers the requests that Hold keeps waiting, and every later one of
    // those paths at once.
    void releaseHeld();

    QList<QByteArray> requests() const;  // request heads, blank line included
    int requestCount() const;
    void clearRequests();
    // Lets the caller's events run until n requests have come (false on time-out).
    bool waitForRequests(int n, int timeoutMs) const;

    // The file that answers a request target ("/q?s=IBM"); "" when the target
    // may not be served.
    static QString fileFor(const QString &root, const QString &target);
    static QString defaultRoot();

    struct Shared;

private:
    std::shared_ptr<Shared> m_shared;
    QThread *m_thread = nullptr;
    QObject *m_context = nullptr;
    quint16 m_port = 0;
};
