// A full update run, every box ticked, of a 50-stock and of a 201-stock set
// against a loopback site that holds every page of every stock. The site is
// made from the fixture pages: a short first run over the stocks the
// fixtures know gives each per-stock address, and each stock of the set
// gets that page with its own symbol written in.
//
// The price sheet is shown in the grid. Each size: one run to fill the
// cache, then timed runs; after each, the
// same addresses fetched bare, one after another through Qt's network
// access with no parsing and no file written. Prints min and median of the
// runs, the ratio run / bare (the program's own share of an update) and
// the program's time per request beyond the bare fetch.
//
//   update_run [runs [stocks...]]   (default 5 runs of 50 and of 201 stocks;
//                                    run under QT_QPA_PLATFORM=offscreen)
#include "core/Registry.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "mainwindow/ui/frmMain.h"
#include "platform/Heap.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/transport/SocketFetch.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "support/site/FixtureSite.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const char *const Known[] = {"IBM", "ACME", "BOLT", "CRWN"};

// The request targets the site saw since `from`.
QStringList targetsSince(const FixtureSite &site, int from)
{
    static const QRegularExpression line(QStringLiteral("^GET (?:http://[^/]*)?(\\S*) HTTP/1\\.[01]\\r\\n"));
    QStringList targets;
    for (const QByteArray &head : site.requests().mid(from))
        targets << line.match(QString::fromLatin1(head)).captured(1);
    return targets;
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

// One update run of the set in the current profile, in a fresh main window.
struct Window
{
    ScriptedDialogs dialogs;
    frmMain *w = nullptr;
    Window()
    {
        resetRunState();
        resetSocketFetch();
        frmMain::Show();
        w = frmMain::instance();
        w->FG_Current(); // the price sheet shown, as it is after the first update
    }
    ~Window()
    {
        delete w;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    double run()
    {
        QElapsedTimer t;
        t.start();
        w->Picture1_Click(0);
        return t.nsecsElapsed() / 1e9;
    }
};

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

// The sample site: the fixture pages, and every per-stock page for each
// of the symbols. Returns the number of per-stock addresses of one stock.
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
        for (const QString &target : targetsSince(probe, 0)) {
            for (const QString &k : known) {
                const QString p = pattern(target, k);
                if (p == target)
                    continue;
                const QString file = FixtureSite::fileFor(fixtures, target);
                auto &slot = templates[p];
                if (slot.second.isEmpty() && !file.isEmpty() && QFileInfo(file).isFile())
                    slot = {k, file};
                break;
            }
        }
    }
    int pages = 0;
    for (auto t = templates.cbegin(); t != templates.cend(); ++t) {
        if (t.value().second.isEmpty()) {
            std::printf("  (no fixture page for %s)\n", qPrintable(t.key()));
            continue;
        }
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

double bareFetches(const FixtureSite &site, const QStringList &targets)
{
    QNetworkAccessManager nam;
    nam.setProxy(QNetworkProxy::NoProxy);
    QElapsedTimer bare;
    bare.start();
    for (const QString &target : targets) {
        QNetworkRequest request(QUrl(site.url(target)));
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
        QNetworkReply *reply = nam.get(request);
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        if (!reply->isFinished())
            loop.exec();
        reply->readAll();
        reply->deleteLater();
    }
    return bare.nsecsElapsed() / 1e9;
}

struct Figures
{
    double min = 0, median = 0;
};

Figures figures(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return {v.front(), v[v.size() / 2]};
}

// Returns the program's own time per request: the median over the runs of
// each run less the bare fetches that follow it (paired, so that a slow
// moment of the machine falls on both).
double measure(const QString &root, const QStringList &symbols, int runs)
{
    TempProfile profile;
    profile.createProgramKey();
    SaveSetting(QStringLiteral("RunOnce"), 1);
    FixtureSite site(root);
    if (!site.start())
        return 0;
    setAllSiteHosts(site.host());
    fillSet(symbols);
    Window window;
    window.run(); // fills the cache
    std::vector<double> full, bare;
    int requests = 0, notFound = 0;
    for (int i = 0; i < runs; ++i) {
        const int before = site.requestCount();
        full.push_back(window.run());
        const QStringList targets = targetsSince(site, before);
        requests = int(targets.size());
        notFound = 0;
        for (const QString &t : targets)
            if (FixtureSite::fileFor(root, t).isEmpty() || !QFileInfo(FixtureSite::fileFor(root, t)).isFile())
                ++notFound;
        bare.push_back(bareFetches(site, targets));
    }
    std::vector<double> own;
    for (size_t i = 0; i < full.size(); ++i)
        own.push_back(full[i] - bare[i]);
    const Figures f = figures(full), b = figures(bare);
    const double overhead = figures(own).median / requests * 1e6;
    std::printf("%3lld stocks, %d requests (%d without a page), %d runs:\n"
                "  full run   min %.3f s  median %.3f s\n"
                "  bare       min %.3f s  median %.3f s\n"
                "  run / bare min %.2f    median %.2f\n"
                "  program's own time per request: %.0f us (median)\n",
                qint64(symbols.size()), requests, notFound, runs, f.min, f.median, b.min, b.median, f.min / b.min,
                f.median / b.median, overhead);
    return overhead;
}

QStringList benchSymbols(int n)
{
    QStringList symbols;
    for (int i = 0; i < n; ++i)
        symbols << QString(QChar(u'A' + i % 26)) + QChar(u'A' + (i / 26) % 26) + QLatin1Char('X');
    return symbols;
}

} // namespace

int main(int argc, char *argv[])
{
    keepMemoryForReuse(); // as the program does
    QApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 5;
    QTemporaryDir root;
    const QStringList all = benchSymbols(SetSize);
    const int pages = makeSite(root.path(), all);
    std::printf("sample site: the fixture pages and %d pages for each of %lld stocks\n", pages, qint64(all.size()));
    QList<int> sizes;
    for (int i = 2; i < argc; ++i)
        sizes << qBound(1, atoi(argv[i]), int(SetSize));
    if (sizes.isEmpty())
        sizes = {50, int(SetSize)};
    QList<double> overheads;
    for (const int n : sizes)
        overheads << measure(root.path(), all.mid(0, n), runs);
    if (sizes.size() == 2)
        std::printf("per-request time at %d stocks / at %d: %.2f\n", sizes[1], sizes[0], overheads[1] / overheads[0]);
    return 0;
}
