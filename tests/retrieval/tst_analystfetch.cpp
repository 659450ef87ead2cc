// The per-stock analyst pages over the socket against the fixture site:
// the request bytes, the size rule, a refused or silent server, and Stop.
#include "FetchFixture.h"
#include "core/Registry.h"
#include "retrieval/SymbolFetch.h"
#include "support/DeadPort.h"

#include <QTimer>
#include <QtTest>

class TestAnalystFetch : public QObject
{
    Q_OBJECT

    std::unique_ptr<FetchFixture> f;

    void serve(const QString &symbol, const char *what, int size)
    {
        f->servePage(QStringLiteral("quote.asp/Symbol=%1&Whattoget=%2.html").arg(symbol, QLatin1String(what)),
                     QByteArray(size, 'x'));
    }
    static QString cached(const QString &name) { return DataDir + QStringLiteral("/Cache/DataSheet/") + name; }

private slots:
    void initTestCase()
    {
        f = std::make_unique<FetchFixture>();
        QVERIFY(f->start());
    }
    void init() { f->reset(); }
    void cleanupTestCase() { f.reset(); }

    // The selected stock alone; the request asks for the symbol in lower
    // case, with an absolute address and no Host line.
    void requestAndSizeRule()
    {
        Sets[0].Symbol = QStringLiteral("IBM");
        SetCount = 1;
        CurSymbol = QStringLiteral("IBM");
        UpdateSelectedOnly = true;
        serve(QStringLiteral("ibm"), "splits", 3000);
        Update_Splits();
        QCOMPARE(f->site->requests().value(0),
                 QByteArray("GET http://" + f->site->host().toLatin1()
                            + "/quote.asp?Symbol=ibm&Whattoget=splits HTTP/1.0\r\nAccept: */*\r\nAccept: text/html\r\n\r\n"));
        QVERIFY(QFile::exists(cached(QStringLiteral("IBM_sp.Sh"))));
        // A stored reply counts its head: find the body that makes 2,500.
        const qint64 head = QFileInfo(cached(QStringLiteral("IBM_sp.Sh"))).size() - 3000;
        f->write(cached(QStringLiteral("IBM_uph.Sh")), "old page");
        serve(QStringLiteral("ibm"), "upgrades", int(2500 - head - 1));
        Update_UpgradeHistory();
        QCOMPARE(FetchFixture::bytes(cached(QStringLiteral("IBM_uph.Sh"))), QByteArray("old page"));
        serve(QStringLiteral("ibm"), "upgrades", int(2500 - head));
        Update_UpgradeHistory();
        QCOMPARE(QFileInfo(cached(QStringLiteral("IBM_uph.Sh"))).size(), qint64(2500));
        UpdateSelectedOnly = false;
    }

    // A silent server for the first stock ends its wait; the next stock is
    // fetched. A refused connection likewise.
    void silentOrRefusedServerGoesOn()
    {
        FetchFixture::setSymbols({QStringLiteral("AAA"), QStringLiteral("BBB")});
        setWinsockWaitTimeout(500);
        f->site->setBehaviour(QStringLiteral("/quote.asp?Symbol=aaa&Whattoget=momentum"), {FixtureSite::Mode::Hang, 0, 0});
        serve(QStringLiteral("bbb"), "momentum", 3000);
        Update_Momentum();
        QVERIFY(!QFile::exists(cached(QStringLiteral("AAA_mr.Sh"))));
        QVERIFY(QFile::exists(cached(QStringLiteral("BBB_mr.Sh"))));

        const DeadPort dead;
        SaveSetting(siteSettingName(Site::ExchangeData), QStringLiteral("127.0.0.1:%1").arg(dead.port()));
        Update_SI();
        QCOMPARE(f->dialogs.shown().size(), 2); // one message a stock
        QVERIFY(!QFile::exists(cached(QStringLiteral("AAA_SI.Sh"))));
        SaveSetting(siteSettingName(Site::ExchangeData), f->site->host());
    }

    // Stop during the second of three stocks: nothing written for it, the
    // third not asked for.
    void stopMidRun()
    {
        FetchFixture::setSymbols({QStringLiteral("AAA"), QStringLiteral("BBB"), QStringLiteral("CCC")});
        for (const char *s : {"aaa", "bbb", "ccc"})
            serve(QLatin1String(s), "reports", 3000);
        f->site->setBehaviour(QStringLiteral("/quote.asp?Symbol=bbb&Whattoget=reports"), {FixtureSite::Mode::Hang, 0, 0});
        QTimer::singleShot(300, [] { StopFlag = true; });
        Update_BrokerReports();
        QVERIFY(QFile::exists(cached(QStringLiteral("AAA_brp.Sh"))));
        QVERIFY(!QFile::exists(cached(QStringLiteral("BBB_brp.Sh"))));
        QCOMPARE(f->site->requestCount(), 2);
    }
};

QTEST_MAIN(TestAnalystFetch)
#include "tst_analystfetch.moc"
