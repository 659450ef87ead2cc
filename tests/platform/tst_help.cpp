#include "platform/Help.h"
#include "platform/UrlOpener.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void topicsOpenTheirOwnPage_data()
    {
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("title");
        QTest::newRow("documentation") << 1001 << QStringLiteral("Documentation");
        QTest::newRow("getting started") << 1012 << QStringLiteral("Getting Started");
        QTest::newRow("how to") << 1011 << QStringLiteral("How To..");
        QTest::newRow("references") << 1013 << QStringLiteral("References");
        QTest::newRow("keys") << 1009 << QStringLiteral("Keyboard Shortcut");
        QTest::newRow("settings") << 1002 << QStringLiteral("Settings");
        QTest::newRow("support") << 1008 << QStringLiteral("Tecnical Support or Questions");
    }

    void topicsOpenTheirOwnPage()
    {
        QFETCH(int, topic);
        QFETCH(QString, title);
        QTemporaryDir program;
        QList<QUrl> opened;
        setUrlOpenerHandler([&](const QUrl &u) {
            opened << u;
            return true;
        });
        QVERIFY(OpenHelpTopic(topic, program.path()));
        setUrlOpenerHandler({});
        QCOMPARE(opened.size(), 1);
        const QString page = opened.first().toLocalFile();
        // Each topic is a page of its own in the program folder's help folder.
        QCOMPARE(page, program.path() + QStringLiteral("/help/%1.html").arg(topic));
        QFile f(page);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains(("<h1>" + title + "</h1>").toUtf8()));
        QVERIFY(QFile::exists(program.path() + QStringLiteral("/help/style.css")));
    }

    void unknownTopicOpensNothing()
    {
        QTemporaryDir program;
        int opened = 0;
        setUrlOpenerHandler([&](const QUrl &) { return ++opened > 0; });
        QVERIFY(!OpenHelpTopic(4242, program.path()));
        setUrlOpenerHandler({});
        QCOMPARE(opened, 0);
    }
};

QTEST_GUILESS_MAIN(TestHelp)
#include "tst_help.moc"
