#include "BenchSite.h"

#include "core/Portfolio.h"
#include "core/Registry.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "mainwindow/ui/frmMain.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/transport/SocketFetch.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "support/site/FixtureSite.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMap>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTcpSocket>

#include <algorithm>
#include <cstdio>
#include <memory>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

namespace bench {

namespace {

const char *const Known[] = {"IBM", "ACME", "BOLT", "CRWN"};

// A per-stock address with the stock written as placeholders: {U} the
// symbol, {l} in lower case, {i} its first letter in lower case (the
// portal's folder).
QString pattern(QString target, const QString &symbol)
{
    const QString lower = symbol.toLower();
    target.replace(QLatin1Char('/') + lower.left(1) + QLatin1Char('/') + symbol, QStringLiteral("/{i}/{U}"));
    target.replace(symbol, QStringLiteral("{U}"));
    target.replace(lower, QStringLiteral("{l}"));
    return target;
}

QString instance(QString p, const QString &symbol)
{
    p.replace(QStringLiteral("{i}"), symbol.left(1).toLower());
    p.replace(QStringLiteral("{U}"), symbol);
    p.replace(QStringLiteral("{l}"), symbol.toLower());
    return p;
}

void copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(file, target);
    }
}

ScriptedDialogs *dialogs()
{
    static ScriptedDialogs *d = new ScriptedDialogs;
    return d;
}

// One plain HTTP/1.0 exchange over a blocking socket; false when it failed.
bool plainFetch(quint16 port, const QByteArray &request)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool ok = ::connect(fd, reinterpret_cast<sockaddr *>(&to), sizeof to) == 0;
    for (qsizetype done = 0; ok && done < request.size();) {
        const ssize_t n = ::send(fd, request.constData() + done, size_t(request.size() - done), 0);
        ok = n > 0;
        done += n;
    }
    char buffer[65536];
    while (ok) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
    }
    ::close(fd);
    return ok;
}

} // namespace

QStringList symbols(int n)
{
    QStringList s;
    for (int i = 0; i < n; ++i)
        s << QString(QChar(u'A' + i % 26)) + QChar(u'A' + (i / 26) % 26) + QLatin1Char('X');
    return s;
}

void fillSet(const QStringList &symbols)
{
    resetStocks();
    for (int i = 0; i < symbols.size() && i < SetSize; ++i) {
        Sets[size_t(i)].Symbol = symbols[i];
        Sets[size_t(i)].Name = QStringLiteral("Company ") + symbols[i];
    }
    SaveStocks();
    resetStocks();
}

void fillPortfolio(const QStringList &symbols, int trades)
{
    resetPortfolio();
    for (int i = 1; i <= trades && i < PortSize - 1 && !symbols.isEmpty(); ++i) {
        PortRec &p = Port[size_t(i)];
        p.Symbol = symbols[(i - 1) % symbols.size()];
        p.DateText = QStringLiteral("1/%1/99").arg(1 + i % 28);
        p.Action = QStringLiteral("Buy");
        p.Shares = qint16(10 + i);
        p.Price = float(20 + i % 30);
        p.Commission = 9.95f;
        p.RefId = qint16(i);
    }
    WritePortfolio();
    resetPortfolio();
}

int makeSite(const QString &root, const QStringList &symbols)
{
    const QString fixtures = FixtureSite::defaultRoot();
    copyTree(fixtures, root);

    // Which addresses a stock has, from a run over the stocks the fixtures know.
    QMap<QString, QPair<QString, QString>> templates; // pattern -> (known symbol, fixture file)
    {
        TempProfile profile;
        profile.createProgramKey();
        FixtureSite probe(fixtures);
        if (!probe.start())
            return 0;
        setAllSiteHosts(probe.host());
        QStringList known;
        for (const char *k : Known)
            known << QString::fromLatin1(k);
        fillSet(known);
        {
            Window window;
            window.run();
        }
        for (const Request &r : requestsSince(probe, 0)) {
            for (const QString &k : known) {
                const QString p = pattern(r.target, k);
                if (p == r.target)
                    continue;
                const QString file = FixtureSite::fileFor(fixtures, r.target);
                auto &slot = templates[p];
                if (slot.second.isEmpty() && !file.isEmpty() && QFileInfo(file).isFile())
                    slot = {k, file};
                break;
            }
        }
    }
    int pages = 0;
    for (auto t = templates.cbegin(); t != templates.cend(); ++t) {
        if (t.value().second.isEmpty())
            continue;
        ++pages;
        QFile in(t.value().second);
        in.open(QIODevice::ReadOnly);
        const QByteArray page = in.readAll();
        const QByteArray k = t.value().first.toLatin1();
        for (const QString &s : symbols) {
            QByteArray mine = page;
            mine.replace(k, s.toLatin1()).replace(k.toLower(), s.toLower().toLatin1());
            const QString file = FixtureSite::fileFor(root, instance(t.key(), s));
            QDir().mkpath(QFileInfo(file).path());
            QFile out(file);
            if (out.open(QIODevice::WriteOnly))
                out.write(mine);
        }
    }
    return pages;
}

void changeQuotes(FixtureSite &site, const QString &root, QAtomicInt *generation)
{
    site.setPageMaker([root, generation](const QString &target) -> QByteArray {
        if (!target.contains(QLatin1String("/fq/quotecom/quote?symbols=")))
            return QByteArray();
        QFile in(FixtureSite::fileFor(root, target));
        if (!in.open(QIODevice::ReadOnly))
            return QByteArray();
        QByteArray page = in.readAll();
        static const QByteArray mark = "Last Sale</TD><TD class=\"val\"><b>";
        const qsizetype at = page.indexOf(mark);
        if (at < 0)
            return page;
        const qsizetype from = at + mark.size(), to = page.indexOf('<', from);
        const int g = generation->loadRelaxed();
        const QByteArray price = QByteArray::number(40 + (g * 7 + int(qHash(target)) % 13) % 20) + '.' +
                                 QByteArray::number(10 + g % 90);
        return page.replace(from, to - from, price);
    });
}

QList<Request> requestsSince(const FixtureSite &site, int from)
{
    static const QRegularExpression line(QStringLiteral("^GET (http://[^/]*)?(\\S*) HTTP/1\\.[01]\\r\\n"));
    QList<Request> out;
    for (const QByteArray &head : site.requests().mid(from)) {
        const QRegularExpressionMatch m = line.match(QString::fromLatin1(head));
        out.append({!m.captured(1).isEmpty(), head, m.captured(2)});
    }
    return out;
}

Bare bareFetches(const FixtureSite &site, const QList<Request> &requests)
{
    Bare b;
    QNetworkAccessManager nam;
    nam.setProxy(QNetworkProxy::NoProxy);
    QTcpSocket socket;
    QElapsedTimer t;
    t.start();
    const double cpu = threadCpu();
    for (const Request &r : requests) {
        if (r.socket) {
            // As the socket client sends it: the very request line and headers.
            ++b.socketRequests;
            QEventLoop loop;
            socket.connectToHost(QStringLiteral("127.0.0.1"), site.port());
            QObject::connect(&socket, &QTcpSocket::connected, &loop, [&] { socket.write(r.head); });
            QObject::connect(&socket, &QTcpSocket::readyRead, &loop, [&] { socket.readAll(); });
            QObject::connect(&socket, &QTcpSocket::disconnected, &loop, &QEventLoop::quit);
            QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop, &QEventLoop::quit);
            loop.exec();
            socket.readAll();
            socket.abort();
            socket.disconnect(&loop);
            continue;
        }
        QNetworkRequest request(QUrl(site.url(r.target)));
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
        std::unique_ptr<QNetworkReply> reply(nam.get(request));
        QEventLoop loop;
        QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
        if (!reply->isFinished())
            loop.exec();
        reply->readAll();
    }
    b.seconds = t.nsecsElapsed() / 1e9;
    b.cpu = threadCpu() - cpu;
    t.restart();
    for (const Request &r : requests)
        plainFetch(site.port(), "GET " + r.target.toLatin1() + " HTTP/1.0\r\n\r\n");
    b.floor = t.nsecsElapsed() / 1e9;
    return b;
}

Window::Window()
{
    dialogs();
    resetRunState();
    resetSocketFetch();
    frmMain::Show();
    m_w = frmMain::instance();
    m_w->FG_Current(); // the price sheet shown, as it is after the first update
    QCoreApplication::processEvents();
}

Window::~Window()
{
    delete m_w;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

double Window::run()
{
    QElapsedTimer t;
    t.start();
    const double cpu = threadCpu();
    m_w->Picture1_Click(0);
    m_cpu = threadCpu() - cpu;
    return t.nsecsElapsed() / 1e9;
}

Figures figures(std::vector<double> v)
{
    if (v.empty())
        return {};
    std::sort(v.begin(), v.end());
    return {v.front(), v[v.size() / 2]};
}

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

double threadCpu()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + ts.tv_nsec / 1e9;
}

QString platformName()
{
    return QGuiApplication::platformName();
}

} // namespace bench
