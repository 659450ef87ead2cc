#pragma once

#include "core/DataDir.h"
#include "core/Portfolio.h"
#include "core/SharedState.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "platform/PathResolver.h"
#include "platform/TransferControl.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/transport/SocketFetch.h"
#include "retrieval/transport/TransferFetch.h"
#include "support/RecordingMainWindow.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "support/site/FixtureSite.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <functional>
#include <memory>

// A main window that keeps every caption it was given, and lets a test
// look at the grid whenever the price sheet is redrawn.
class CaptionWindow : public RecordingMainWindow
{
public:
    QStringList captions;
    std::function<void()> onPriceSheet;
    void setCaption(const QString &text) override
    {
        RecordingMainWindow::setCaption(text);
        captions << text;
    }
    void FG_Current() override
    {
        RecordingMainWindow::FG_Current();
        if (onPriceSheet)
            onPriceSheet();
    }
};

// The captions shown, without the bare base caption (the transfer shows it
// between pages) and without repeats.
inline QStringList statusCaptions(const QStringList &captions)
{
    QStringList out;
    for (const QString &c : captions)
        if (c != BaseCaption && (out.isEmpty() || out.last() != c))
            out << c;
    return out;
}

// The fetch tests' surroundings, made once per test program: a profile
// whose sites all point at a fixture web site of its own on 127.0.0.1
// (serving a copy of the fixture pages, which a test may change), a
// recording main window, and short time limits. reset() gives each test
// an idle run state, an empty set and portfolio and empty cache folders.
struct FetchFixture
{
    QTemporaryDir siteRoot;
    TempProfile profile;
    CaptionWindow window;
    ScriptedDialogs dialogs;
    std::unique_ptr<FixtureSite> site;

    FetchFixture()
    {
        copyTree(FixtureSite::defaultRoot(), siteRoot.path());
        site = std::make_unique<FixtureSite>(siteRoot.path());
        profile.createProgramKey();
    }
    ~FetchFixture()
    {
        CurInet = nullptr;
        resetSocketFetch();
        resetRunState();
    }

    bool start()
    {
        if (!site->start())
            return false;
        setAllSiteHosts(site->host());
        return true;
    }

    void reset()
    {
        resetStocks();
        resetPortfolio();
        resetSharedState();
        resetRunState();
        resetSocketFetch();
        setWinsockWaitTimeout(5000);
        BaseCaption = QStringLiteral("Brindlewick");
        StopFlag = false;
        TasksLeft = 1; // a run with work still to do
        CurInet = &Inet1();
        Inet1().AccessType = TransferControl::icDirect;
        Inet1().Proxy.clear();
        Inet1().setRequestTimeoutMs(5000);
        QDir(DataDir + QStringLiteral("/Cache")).removeRecursively();
        QDir().mkpath(DataDir + QStringLiteral("/Cache/DataSheet"));
        QDir().mkpath(DataDir + QStringLiteral("/Cache/News"));
        site->clearRequests();
        site->clearBehaviours();
        window.calls.clear();
        window.captions.clear();
        window.onPriceSheet = nullptr;
        window.grid.Clear();
        window.grid.setRows(2);
        window.grid.setTopRow(1);
        dialogs.clear();
    }

    // The stocks of the current set, from index 0.
    static void setSymbols(const QStringList &symbols)
    {
        for (int i = 0; i < symbols.size(); ++i)
            Sets[size_t(i)].Symbol = symbols[i];
        SetCount = short(symbols.size());
    }

    // The path and query of every request, in order (a socket request
    // carries the whole address; its scheme and server are dropped).
    QStringList targets() const
    {
        static const QRegularExpression line(QStringLiteral("^GET (?:http://[^/]*)?(\\S*) HTTP/1\\.[01]\\r\\n"));
        QStringList out;
        for (const QByteArray &head : site->requests())
            out << line.match(QString::fromLatin1(head)).captured(1);
        return out;
    }

    // The files under the cache, relative to it, sorted.
    static QStringList cacheFiles()
    {
        QStringList out;
        const QDir cache(DataDir + QStringLiteral("/Cache"));
        for (const QString &folder : {QStringLiteral("DataSheet"), QStringLiteral("News")})
            for (const QString &name : QDir(cache.filePath(folder)).entryList(QDir::Files, QDir::Name))
                out << folder + QLatin1Char('/') + name;
        return out;
    }

    static QByteArray bytes(const QString &path)
    {
        QFile f(resolvePath(path));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static void write(const QString &path, const QByteArray &data)
    {
        const QString p = resolvePath(path);
        QDir().mkpath(QFileInfo(p).path());
        QFile f(p);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(data);
    }
    // A fixture page as written here, and the page the site now serves.
    static QByteArray page(const QString &rel) { return bytes(FixtureSite::defaultRoot() + QLatin1Char('/') + rel); }
    void servePage(const QString &rel, const QByteArray &data) { write(siteRoot.path() + QLatin1Char('/') + rel, data); }
    void restorePage(const QString &rel) { servePage(rel, page(rel)); }

private:
    static void copyTree(const QString &from, const QString &to)
    {
        QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString src = it.next();
            const QString dst = to + src.mid(from.size());
            QDir().mkpath(QFileInfo(dst).path());
            QFile::copy(src, dst);
        }
    }
};
