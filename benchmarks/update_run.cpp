// A full update run of a 50-stock set with every box ticked against the
// loopback fixture web site; prints the pages fetched per second. Then the
// same addresses are fetched bare, one after another through Qt's network
// access with no parsing, and the ratio of the run to the bare fetches is
// printed: the program's own share of an update.
#include "core/Registry.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "mainwindow/ui/frmMain.h"
#include "retrieval/transport/RunState.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "support/site/FixtureSite.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkProxy>
#include <QRegularExpression>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TempProfile profile;
    profile.createProgramKey();
    FixtureSite site;
    if (!site.start())
        return 1;
    setAllSiteHosts(site.host());
    const char *known[] = {"IBM", "ACME", "BOLT", "CRWN"};
    for (int i = 0; i < 50; ++i)
        Sets[i].Symbol = i < 4 ? QString::fromLatin1(known[i]) : QStringLiteral("S%1").arg(i);
    SaveStocks();
    resetStocks();
    resetRunState();
    ScriptedDialogs dialogs;
    frmMain::Show();
    frmMain *w = frmMain::instance();
    const int before = site.requests().size();
    QElapsedTimer t;
    t.start();
    w->Picture1_Click(0);
    const double seconds = t.nsecsElapsed() / 1e9;
    const int pages = site.requests().size() - before;
    std::printf("full update, 50 stocks, every box ticked: %d requests in %.2f s, %.0f pages/s\n", pages, seconds,
                pages / seconds);

    // The same requests, bare.
    static const QRegularExpression line(QStringLiteral("^GET (?:http://[^/]*)?(\\S*) HTTP/1\\.[01]\\r\\n"));
    QStringList targets;
    for (const QByteArray &head : site.requests().mid(before))
        targets << line.match(QString::fromLatin1(head)).captured(1);
    QNetworkAccessManager nam;
    nam.setProxy(QNetworkProxy::NoProxy);
    QElapsedTimer bare;
    bare.start();
    qint64 bytes = 0;
    for (const QString &target : targets) {
        QNetworkRequest request(QUrl(site.url(target)));
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
        QNetworkReply *reply = nam.get(request);
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        if (!reply->isFinished())
            loop.exec();
        bytes += reply->readAll().size();
        reply->deleteLater();
    }
    const double bareSeconds = bare.nsecsElapsed() / 1e9;
    std::printf("the same %lld requests bare: %.2f s (%lld bytes); run / bare = %.2f\n", qint64(targets.size()),
                bareSeconds, bytes, seconds / bareSeconds);
    delete w;
    return 0;
}
