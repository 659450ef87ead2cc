#include "support/site/FixtureSite.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

struct FixtureSite::Shared
{
    QString root;
    std::function<QByteArray(const QString &)> pageMaker;
    mutable QMutex mutex;
    QHash<QString, Behaviour> behaviours;
    QList<QByteArray> requests;
    // Touched only in the site's thread.
    QTcpServer *server = nullptr;
    QList<QPointer<QTcpSocket>> sockets;
    // Answers that Hold keeps back, and whether they have been let go.
    QList<std::function<void()>> held;
    bool released = false;
};

namespace {

QByteArray reasonOf(int status)
{
    switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Error";
    }
}

// The path and query of a request line's target, also when it is a whole
// address (as a proxy or the program's socket client sends it).
QString localTarget(const QString &target)
{
    const int scheme = target.indexOf(QLatin1String("://"));
    if (scheme < 0)
        return target;
    const int slash = target.indexOf(QLatin1Char('/'), scheme + 3);
    return slash < 0 ? QStringLiteral("/") : target.mid(slash);
}

void answer(const std::shared_ptr<FixtureSite::Shared> &shared, QTcpSocket *socket, const QString &target)
{
    FixtureSite::Behaviour b;
    {
        QMutexLocker lock(&shared->mutex);
        const QString path = target.section(QLatin1Char('?'), 0, 0);
        b = shared->behaviours.value(target, shared->behaviours.value(path));
    }

    auto send = [shared, socket, target, b] {
        if (b.mode == FixtureSite::Mode::CloseEarly) {
            socket->disconnectFromHost();
            return;
        }
        if (b.mode == FixtureSite::Mode::Hang)
            return;
        int status = 200;
        QByteArray body;
        QByteArray type = "text/html";
        QFile file(FixtureSite::fileFor(shared->root, target));
        const QByteArray made = !b.status && shared->pageMaker ? shared->pageMaker(target) : QByteArray();
        if (b.status) {
            status = b.status;
        } else if (!made.isNull()) {
            body = made;
        } else if (!file.fileName().isEmpty() && file.open(QIODevice::ReadOnly)) {
            body = file.readAll();
            if (!file.fileName().endsWith(QLatin1String(".html")) && !file.fileName().endsWith(QLatin1String(".htm")))
                type = "text/plain";
        } else {
            status = 404;
        }
        if (status != 200)
            body = "<html><body><h1>" + QByteArray::number(status) + ' ' + reasonOf(status) + "</h1></body></html>\r\n";
        const QByteArray head = "HTTP/1.0 " + QByteArray::number(status) + ' ' + reasonOf(status)
                                + "\r\nServer: FixtureSite\r\nContent-Type: " + type
                                + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n";
        if (b.mode == FixtureSite::Mode::HangMidway || b.mode == FixtureSite::Mode::ShortReply) {
            socket->write(head + body.left(body.size() / 2));
            socket->flush();
            if (b.mode == FixtureSite::Mode::ShortReply)
                socket->disconnectFromHost();
            return;
        }
        socket->write(head + body);
        socket->disconnectFromHost();  // HTTP/1.0: the close ends the reply
    };
    if (b.mode == FixtureSite::Mode::Hold) {
        QMutexLocker lock(&shared->mutex);
        if (!shared->released) {
            shared->held << [socket = QPointer<QTcpSocket>(socket), send] {
                if (socket)
                    send();
            };
            return;
        }
    }
    if (b.delayMs > 0)
        QTimer::singleShot(b.delayMs, socket, send);
    else
        send();
}

void serve(const std::shared_ptr<FixtureSite::Shared> &shared, QTcpSocket *socket)
{
    auto buffer = std::make_shared<QByteArray>();
    QObject::connect(socket, &QIODevice::readyRead, socket, [shared, socket, buffer] {
        if (socket->property("answered").toBool()) {
            socket->readAll();
            return;
        }
        buffer->append(socket->readAll());
        int end = buffer->indexOf("\r\n\r\n");
        int endLength = 4;
        if (end < 0) {
            end = buffer->indexOf("\n\n");
            endLength = 2;
        }
        if (end < 0)
            return;
        const QByteArray head = buffer->left(end + endLength);
        socket->setProperty("answered", true);
        {
            QMutexLocker lock(&shared->mutex);
            shared->requests << head;
        }
        const QList<QByteArray> words = head.left(head.indexOf('\n')).trimmed().split(' ');
        const QString target = words.size() >= 2 ? localTarget(QString::fromLatin1(words.at(1))) : QString();
        answer(shared, socket, target.isEmpty() ? QStringLiteral("/") : target);
    });
    QObject::connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
}

} // namespace

FixtureSite::FixtureSite(const QString &root) : m_shared(std::make_shared<Shared>())
{
    m_shared->root = root;
}

void FixtureSite::setPageMaker(std::function<QByteArray(const QString &)> maker)
{
    m_shared->pageMaker = std::move(maker);
}

FixtureSite::~FixtureSite()
{
    if (!m_thread)
        return;
    auto shared = m_shared;
    QMetaObject::invokeMethod(
        m_context,
        [shared] {
            for (const QPointer<QTcpSocket> &s : std::as_const(shared->sockets))
                if (s) {
                    s->abort();
                    delete s.data();
                }
            shared->sockets.clear();
            delete shared->server;
            shared->server = nullptr;
        },
        Qt::BlockingQueuedConnection);
    m_context->deleteLater();
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
}

bool FixtureSite::start(quint16 port)
{
    if (m_thread)
        return m_port != 0;
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("FixtureSite"));
    m_context = new QObject;
    m_context->moveToThread(m_thread);
    m_thread->start();
    auto shared = m_shared;
    quint16 bound = 0;
    QMetaObject::invokeMethod(
        m_context,
        [shared, port, &bound] {
            shared->server = new QTcpServer;
            if (!shared->server->listen(QHostAddress::LocalHost, port))
                return;
            bound = shared->server->serverPort();
            QObject::connect(shared->server, &QTcpServer::newConnection, shared->server, [shared] {
                while (QTcpSocket *s = shared->server->nextPendingConnection()) {
                    shared->sockets << s;
                    serve(shared, s);
                }
            });
        },
        Qt::BlockingQueuedConnection);
    m_port = bound;
    return m_port != 0;
}

QString FixtureSite::host() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

QString FixtureSite::url(const QString &pathAndQuery) const
{
    const QString p = pathAndQuery.startsWith(QLatin1Char('/')) ? pathAndQuery : QLatin1Char('/') + pathAndQuery;
    return QStringLiteral("http://") + host() + p;
}

void FixtureSite::setBehaviour(const QString &key, const Behaviour &behaviour)
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->behaviours.insert(key, behaviour);
}

void FixtureSite::clearBehaviours()
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->behaviours.clear();
}

void FixtureSite::releaseHeld()
{
    auto shared = m_shared;
    QMetaObject::invokeMethod(m_context, [shared] {
        QList<std::function<void()>> held;
        {
            QMutexLocker lock(&shared->mutex);
            shared->released = true;
            held.swap(shared->held);
        }
        for (const auto &send : held)
            send();
    });
}

QList<QByteArray> FixtureSite::requests() const
{
    QMutexLocker lock(&m_shared->mutex);
    return m_shared->requests;
}

int FixtureSite::requestCount() const
{
    QMutexLocker lock(&m_shared->mutex);
    return int(m_shared->requests.size());
}

void FixtureSite::clearRequests()
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->requests.clear();
}

bool FixtureSite::waitForRequests(int n, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    while (requestCount() < n) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return true;
}

QString FixtureSite::fileFor(const QString &root, const QString &target)
{
    QString path = target.section(QLatin1Char('?'), 0, 0);
    const QString query = target.contains(QLatin1Char('?')) ? target.section(QLatin1Char('?'), 1) : QString();
    if (!path.startsWith(QLatin1Char('/')))
        path.prepend(QLatin1Char('/'));
    if (path.split(QLatin1Char('/')).contains(QLatin1String("..")))
        return QString();
    QString rel;
    if (!query.isEmpty()) {
        QString name;
        for (const QChar c : query)
            name += (c.isLetterOrNumber() && c.unicode() < 128) || QStringLiteral("._=&,+^-").contains(c)
                        ? c
                        : QLatin1Char('_');
        while (path.endsWith(QLatin1Char('/')))
            path.chop(1);
        rel = path + QLatin1Char('/') + name + QStringLiteral(".html");
    } else {
        rel = path;
        if (rel.endsWith(QLatin1Char('/')) || QFileInfo(root + rel).isDir())
            rel = QDir::cleanPath(rel + QStringLiteral("/index.html"));
    }
    return root + rel;
}

QString FixtureSite::defaultRoot()
{
    return QStringLiteral(BW_FIXTURE_SITE_DIR);
}
