// Shut Down while an Update waits for a page. The program runs in a child
// process started as main() starts it, on a profile the test made; once
// its run waits for BOLT's quote, which the site never answers, the user
// presses Alt+X. The process must end within a few seconds, releasing its
// single-instance lock, with the set file whole.
#include "app/Main.h"
#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "mainwindow/ui/frmMain.h"
#include "platform/SingleInstance.h"
#include "platform/ui/PictureBox.h"
#include "reports/ui/Zoom.h"
#include "retrieval/BatchRun.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "support/site/FixtureSite.h"

#include <QLabel>
#include <QProcess>
#include <QtTest>

namespace {

const char *const ProgramArg = "--as-program";

// The file the test writes once the site has been asked for BOLT's quote.
QString pressNowFile()
{
    return DataDir + QStringLiteral("/press-alt-x");
}

// The program as main() runs it; the Update starts with a click on its
// toolbar button, and Alt+X comes while BOLT's quote is awaited.
int runAsProgram(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Pellor"));
    QApplication::setApplicationName(QStringLiteral("Brindlewick"));
    QApplication::setQuitOnLastWindowClosed(false);
    ScriptedDialogs dialogs; // any box takes its default answer
    installZoomWindows();
    if (!Main())
        return 3;
    // Two timers: a timer does not fire again while its own slot runs, and
    // the run goes on inside the click.
    QTimer clicker, presser;
    QObject::connect(&clicker, &QTimer::timeout, &app, [&] {
        frmMain *w = frmMain::instance();
        if (!w || !w->isVisible())
            return;
        clicker.stop();
        QTest::mouseMove(w->Picture1[0]);
        QTest::mouseClick(w->Picture1[0], Qt::LeftButton);
    });
    QObject::connect(&presser, &QTimer::timeout, &app, [&] {
        frmMain *w = frmMain::instance();
        if (!w || !QFile::exists(pressNowFile()))
            return;
        presser.stop();
        QTest::keyClick(w, Qt::Key_X, Qt::AltModifier);
    });
    clicker.start(20);
    presser.start(20);
    return app.exec();
}

} // namespace

class TestShutDownBusy : public QObject
{
    Q_OBJECT

private slots:
    void shutDownDuringAnUpdateEndsTheProgram()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("RunOnce"), 1);
        SaveSetting(QStringLiteral("Thanks"), 1);
        SaveSetting(QStringLiteral("SplashDelay"), 0);
        SaveSetting(QStringLiteral("ShutDown"), 0); // no question before quitting
        // Prices (transfer control) and the splits pages (socket) of every stock.
        for (int box = 0; box < BatchBoxCount; ++box)
            SaveSetting(QStringLiteral("Update%1").arg(box), box == 1 || box == 9 ? 1 : 0);
        FixtureSite site;
        QVERIFY(site.start());
        setAllSiteHosts(site.host());
        site.setBehaviour(QStringLiteral("/fq/quotecom/quote?symbols=BOLT"), {FixtureSite::Mode::Hang});
        resetStocks();
        const char *const symbols[] = {"IBM", "ACME", "BOLT", "CRWN"};
        for (int i = 0; i < 4; ++i)
            Sets[size_t(i)].Symbol = QLatin1String(symbols[i]);
        QVERIFY(SaveStocks());

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess program;
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QCoreApplication::applicationFilePath(), {QLatin1String(ProgramArg)});
        QVERIFY(program.waitForStarted(10000));
        const auto askedForBolt = [&] {
            for (const QByteArray &r : site.requests())
                if (r.contains("symbols=BOLT"))
                    return true;
            return false;
        };
        QVERIFY2(QTest::qWaitFor(askedForBolt, 60000), "the run never asked for BOLT's quote");
        QFile press(pressNowFile());
        QVERIFY(press.open(QIODevice::WriteOnly));
        press.close();

        // A few seconds, generously bounded: before, the run went on after
        // the window had gone, each socket wait spinning to its limit.
        const bool ended = program.waitForFinished(30000);
        if (!ended) {
            program.kill();
            program.waitForFinished(5000);
        }
        QVERIFY2(ended, "the program still runs after Shut Down");
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        for (const QByteArray &r : site.requests())
            QVERIFY2(!r.contains("Whattoget=splits"), "the run went on fetching after Shut Down");

        // The lock went with it, and the set is whole with every stock.
        SingleInstance next(defaultDataDir());
        QVERIFY(next.acquire() != SingleInstance::HeldByAnother);
        ReadStocks();
        QCOMPARE(SetCount, short(4));
        QCOMPARE(Sets[3].Symbol, QStringLiteral("CRWN"));
    }
};

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], ProgramArg) == 0)
        return runAsProgram(argc, argv);
    QApplication app(argc, argv);
    TestShutDownBusy test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shutdownbusy.moc"
