#include "core/DataDir.h"
#include "core/Registry.h"
#include "support/TempProfile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QtTest>

// Two real copies of the program on one profile: the second ends at once.
class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void secondCopyEndsAtOnce()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("RunOnce"), 1);
        SaveSetting(QStringLiteral("Thanks"), 1);
        SaveSetting(QStringLiteral("SplashDelay"), 0);

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess first;
        first.setProcessEnvironment(env);
        first.start(QStringLiteral(BW_PROGRAM), {});
        QVERIFY(first.waitForStarted(5000));

        // The first copy holds its lock once it runs.
        const QString lock = DataDir + QStringLiteral("/Brindlewick.lock");
        QElapsedTimer t;
        t.start();
        while (!QFile::exists(lock) && t.elapsed() < 10000)
            QTest::qWait(50);
        QVERIFY(QFile::exists(lock));
        // Let it reach its event loop with the main window open.
        QTest::qWait(500);
        QCOMPARE(first.state(), QProcess::Running);

        QProcess second;
        second.setProcessEnvironment(env);
        t.restart();
        second.start(QStringLiteral(BW_PROGRAM), {});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(t.elapsed() < 5000);
        QVERIFY(second.readAllStandardOutput().isEmpty());
        QCOMPARE(first.state(), QProcess::Running);

        first.terminate();
        if (!first.waitForFinished(5000)) {
            first.kill();
            first.waitForFinished(5000);
        }
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
