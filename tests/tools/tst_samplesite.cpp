#include "support/TempProfile.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QProcess>
#include <QTimer>
#include <QtTest>

class TestSampleSite : public QObject
{
    Q_OBJECT

private slots:
    // The program starts, names its port, points the profile's sites at
    // itself and serves a fixture page.
    void servesFixturePages()
    {
        TempProfile profile;
        QProcess site;
        site.start(QStringLiteral(SAMPLE_SITE), {QStringLiteral("--point-sites")});
        QVERIFY(site.waitForStarted(3000));
        QVERIFY(site.waitForReadyRead(3000));
        const int port = site.readLine().trimmed().toInt();
        QVERIFY(port > 0);

        QNetworkAccessManager nam;
        nam.setProxy(QNetworkProxy::NoProxy);
        QNetworkReply *reply = nam.get(QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1/q?s=IBM").arg(port))));
        QEventLoop loop;
        connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(3000, &loop, &QEventLoop::quit);
        loop.exec();
        QVERIFY(reply->isFinished());
        QCOMPARE(reply->error(), QNetworkReply::NoError);
        QFile page(QStringLiteral(BW_FIXTURES) + QStringLiteral("/site/q/s=IBM.html"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        QCOMPARE(reply->readAll(), page.readAll());
        delete reply;

        QFile settings(profile.settingsFile());
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QVERIFY(settings.readAll().contains("Site_QuotePortal=127.0.0.1:" + QByteArray::number(port)));

        site.terminate();
        QVERIFY(site.waitForFinished(3000));
    }
};

QTEST_GUILESS_MAIN(TestSampleSite)
#include "tst_samplesite.moc"
