#include "platform/UrlOpener.h"

#include <QTemporaryDir>
#include <QtTest>

class TestUrlOpener : public QObject
{
    Q_OBJECT

private slots:
    void onlyWebMailAndOwnFilesOpen_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("opens");
        QTest::newRow("http") << QStringLiteral("http://quotes.example/q?s=IBM") << true;
        QTest::newRow("https") << QStringLiteral("https://research.example/r") << true;
        QTest::newRow("mailto") << QStringLiteral("mailto:support@pellor.example") << true;
        QTest::newRow("own report") << QStringLiteral("OWN/Cache/Reports/Misc/IBM.htm") << true;
        QTest::newRow("climbs out") << QStringLiteral("OWN/Cache/../../etc/passwd") << false;
        QTest::newRow("other file") << QStringLiteral("file:///etc/passwd") << false;
        QTest::newRow("no host") << QStringLiteral("http:///x") << false;
        QTest::newRow("javascript") << QStringLiteral("javascript:alert(1)") << false;
        QTest::newRow("program path") << QStringLiteral("/usr/bin/xterm") << false;
        QTest::newRow("empty") << QString() << false;
    }

    void onlyWebMailAndOwnFilesOpen()
    {
        QFETCH(QString, url);
        QFETCH(bool, opens);
        QTemporaryDir own;
        QUrl u = url.startsWith(QLatin1String("OWN/"))
                     ? QUrl::fromLocalFile(own.path() + url.mid(3))
                     : QUrl(url);
        QList<QUrl> opened;
        setUrlOpenerHandler([&](const QUrl &x) {
            opened << x;
            return true;
        });
        QCOMPARE(openExternalUrl(u, own.path()), opens);
        QCOMPARE(opened.size(), opens ? 1 : 0);
        setUrlOpenerHandler({});
    }
};

QTEST_GUILESS_MAIN(TestUrlOpener)
#include "tst_urlopener.moc"
