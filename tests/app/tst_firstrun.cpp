// The first run of ./run: the sample site points a new profile at itself
// and gives it the sample stock set; the first Update then finds every
// page it asks for, and the pages the program hands to the browser land
// on sample pages. A second ./run while Brindlewick runs changes nothing.
#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "mainwindow/ui/frmMain.h"
#include "navigation/ZoomDispatch.h"
#include "platform/FlexGrid.h"
#include "platform/SingleInstance.h"
#include "platform/UrlOpener.h"
#include "platform/ui/PictureBox.h"
#include "sheets/GridLinks.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "webqueries/ChartQuery.h"
#include "webqueries/LinkOpeners.h"
#include "webqueries/NewsQuery.h"
#include "webqueries/Screener.h"
#include "webqueries/TechIndicators.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The sample site as ./run starts it, on the current profile.
struct SampleSite
{
    QProcess process;
    int port = 0;

    bool start()
    {
        process.start(QStringLiteral(SAMPLE_SITE), {QStringLiteral("--point-sites"), QStringLiteral("--seed-set")});
        if (!process.waitForStarted(30000))
            return false;
        while (!process.canReadLine() && process.state() == QProcess::Running)
            process.waitForReadyRead(1000);
        port = process.readLine().trimmed().toInt();
        return port > 0;
    }
    ~SampleSite()
    {
        process.terminate();
        if (!process.waitForFinished(10000))
            process.kill();
        process.waitForFinished(10000);
    }
};

// A page of the sample site: its status and body.
QPair<int, QByteArray> get(const QUrl &url)
{
    QNetworkAccessManager nam;
    nam.setProxy(QNetworkProxy::NoProxy);
    QNetworkReply *reply = nam.get(QNetworkRequest(url));
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit); // bounds a hang only
    loop.exec();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray body = reply->isOpen() ? reply->readAll() : QByteArray();
    delete reply;
    return {status, body};
}

} // namespace

class TestFirstRun : public QObject
{
    Q_OBJECT

private slots:
    // While Brindlewick runs on the profile, the sample site refuses to
    // point its sites or give it a set: the running copy keeps its sites.
    void secondRunChangesNothing()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("Site_QuotePortal"), QStringLiteral("127.0.0.1:1"));
        const QByteArray settings = fileBytes(profile.settingsFile());
        SingleInstance running(defaultDataDir());
        QCOMPARE(running.acquire(), SingleInstance::Taken);

        QProcess second;
        second.start(QStringLiteral(SAMPLE_SITE), {QStringLiteral("--point-sites"), QStringLiteral("--seed-set")});
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(second.exitCode(), 3);
        QVERIFY(second.readAllStandardError().contains("already running"));
        QCOMPARE(fileBytes(profile.settingsFile()), settings);
        QVERIFY(!QFile::exists(DataDir + QStringLiteral("/Set0.dat")));
    }

    // The first Update on the sample profile: no page missing, and the
    // first stock of the sample set, IBM, has every page of its own.
    void firstUpdateFindsEveryPage()
    {
        TempProfile profile;
        profile.createProgramKey();
        SampleSite site;
        QVERIFY(site.start());
        resetStocks();
        ScriptedDialogs dialogs;
        frmMain::Show();
        frmMain *w = frmMain::instance();
        QVERIFY(w);
        QCOMPARE(Sets[0].Symbol, QStringLiteral("IBM"));

        QTest::mouseMove(w->Picture1[0]);
        QTest::mouseClick(w->Picture1[0], Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(w->lblDesc[0]->text(), QStringLiteral("Update"), 60000);

        const QString log = QString::fromLatin1(fileBytes(DataDir + QStringLiteral("/ErrorLog.txt")));
        QStringList missing;
        for (const QString &line : log.split(QLatin1Char('\n')))
            if (line.contains(QLatin1String("Update http")))
                missing << line.trimmed();
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
        QVERIFY2(!w->Panel1[6]->text().contains(QLatin1String("not fetched")), qPrintable(w->Panel1[6]->text()));

        ReadStocks();
        QVERIFY(!Sets[0].LastSale.isEmpty());
        for (const char *page : {"IBM_it.Sh", "IBM_ee.Sh", "IBM_qr.Sh", "IBM_ABS.Sh", "IBM_AIS.Sh", "IBM_op.Sh",
                                 "IBM_sp.Sh", "IBM_uph.Sh", "IBM_dnh.Sh", "IBM_mr.Sh", "IBM_brp.Sh", "IBM_SI.Sh"})
            QVERIFY2(QFile::exists(DataDir + QStringLiteral("/Cache/DataSheet/") + QLatin1String(page)), page);

        // The big-mover lists show each value under its own heading.
        const QList<QPair<QString, QString>> shapes = {
            {QStringLiteral("% Increase in Price"), QStringLiteral("^[+-]\\d+\\.\\d%$")},
            {QStringLiteral("% Increase in Volume"), QStringLiteral("^[+-]\\d+\\.\\d%$")},
            {QStringLiteral("% Change in Volume"), QStringLiteral("^[+-]\\d+\\.\\d%$")},
            {QStringLiteral("Volume"), QStringLiteral("^\\d{1,3}(,\\d{3})+$")},
            {QStringLiteral("50-Day Avg. Vol."), QStringLiteral("^\\d{1,3}(,\\d{3})+$")},
            {QStringLiteral("Total Dollars Traded"), QStringLiteral("^\\$")},
            {QStringLiteral("Closing Price"), QStringLiteral("^\\d+( \\d/\\d)?$")},
            {QStringLiteral("Closing price"), QStringLiteral("^\\d+( \\d/\\d)?$")},
            {QStringLiteral("52-Week High"), QStringLiteral("^\\d+( \\d/\\d)?$")},
            {QStringLiteral("52-Week Low"), QStringLiteral("^\\d+( \\d/\\d)?$")},
            {QStringLiteral("Price Change"), QStringLiteral("^[+-]\\d+( \\d/\\d)?$")},
            {QStringLiteral("P/E Ratio"), QStringLiteral("^\\d+\\.\\d$")},
        };
        QStringList misplaced;
        for (const char *kind : {"PG", "PL", "VG", "VL", "52-WPH", "52-WPL", "MAS", "LMM"})
            for (const char *exchange : {"_Q", "_N", "_A"}) {
                const QString file = QStringLiteral("Br%1%2.Sh").arg(QLatin1String(kind), QLatin1String(exchange));
                w->Pares_BR(file, file);
                const FlexGrid &g = *w->FGModel;
                QVERIFY2(g.Rows() > 4, qPrintable(file));
                for (int c = 3; c < g.Cols(); ++c)
                    for (const auto &[heading, shape] : shapes)
                        if (g.TextMatrix(0, c) == heading && !QRegularExpression(shape).match(g.TextMatrix(2, c)).hasMatch())
                            misplaced << QStringLiteral("%1: \"%2\" under %3").arg(file, g.TextMatrix(2, c), heading);
            }
        QVERIFY2(misplaced.isEmpty(), qPrintable(misplaced.join(QLatin1Char('\n'))));

        // Every link of every sheet, and every link leaf of the stock's
        // tree, lands on a page of the sample site, never on "Not Found".
        QStringList addresses;
        setUrlOpenerHandler([&](const QUrl &url) {
            addresses << url.toString();
            return true;
        });
        auto restore = qScopeGuard([] { setUrlOpenerHandler({}); });
        CurSymbol = QStringLiteral("IBM");
        for (short i = 0; i < 9; ++i)
            OpenChartPage(i);
        for (short i = 0; i < 14; ++i)
            OpenNewsPage(i);
        for (short i = 0; i < 21; ++i)
            OpenRatioChart(i);
        for (short i = 0; i < 3; ++i)
            OpenBoards(i);
        for (short i = 0; i < 8; ++i)
            OpenIndustryGroup(i);
        // The query windows' pages.
        NewsDates dates;
        fillEmptyNewsDates(dates);
        addresses << newsQueryUrl({QStringLiteral("IBM")}, 7, dates) << screenUrl({}, 0)
                  << techGraphUrl(QStringLiteral("MACD"), 90);
        ChartQuery chart;
        chart.symbol = QStringLiteral("IBM");
        addresses << chartUrl(chart);
        for (const QString &key : zoomSheetKeys()) {
            zoomSheetFill(key)();
            const FlexGrid &g = *w->FGModel;
            for (int r = 2; r < g.Rows(); ++r)
                for (int c = 0; c < g.Cols(); ++c)
                    if (const GridLink link = gridLinkAt(key, g, r, c); link.action == GridLink::Open)
                        addresses << link.url.toString();
        }
        addresses.removeDuplicates();
        QVERIFY(addresses.size() > 60);
        QStringList lost;
        for (const QString &address : std::as_const(addresses)) {
            QUrl url(address);
            if (url.host() != QLatin1String("127.0.0.1"))
                continue; // the program's own report files and the like
            const auto [status, body] = get(url);
            if (status != 200 || body.contains("the page at this address"))
                lost << QStringLiteral("%1 %2").arg(status).arg(address);
        }
        QVERIFY2(lost.isEmpty(), qPrintable(lost.join(QLatin1Char('\n'))));
        delete w;
    }
};

QTEST_MAIN(TestFirstRun)
#include "tst_firstrun.moc"
