// Every window that closes with the roll-up animation, its closing buttons
// clicked twice: the second click comes while the first one's closing runs
// (events run during the roll-up) and must do nothing - no second trade,
// page or switch of set, and no handler run on a window already gone.
#include "core/DataDir.h"
#include "core/Portfolio.h"
#include "core/SharedState.h"
#include "core/Sites.h"
#include "core/StartupHooks.h"
#include "core/Stocks.h"
#include "platform/Speech.h"
#include "platform/ui/PictureBox.h"
#include "platform/UrlOpener.h"
#include "portfolio/ui/Properties.h"
#include "portfolio/ui/StkSet.h"
#include "portfolio/ui/frmPurchace.h"
#include "reports/ui/SummaryOpt.h"
#include "reports/ui/Zoom.h"
#include "retrieval/ui/NetSetting.h"
#include "retrieval/ui/Options.h"
#include "services/ui/GRP.h"
#include "services/ui/News.h"
#include "services/ui/Thanks.h"
#include "services/ui/frmAdviser.h"
#include "services/ui/frmEmail.h"
#include "services/ui/frmSpeech.h"
#include "services/ui/frmSupport.h"
#include "services/ui/frmUpgrade.h"
#include "support/RecordingMainWindow.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "webqueries/ui/BigChart.h"
#include "webqueries/ui/Reuters.h"
#include "webqueries/ui/Scr.h"
#include "webqueries/ui/TechGraph.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

class SilentEngine : public SpeechEngine
{
public:
    QStringList voiceNames() override { return {QStringLiteral("one")}; }
    bool isSpeaking() override { return false; }
    void stop() override {}
    void setVoiceMode(int) override {}
    void say(const QString &) override {}
    void pause() override {}
    void resume() override {}
};

// Clicks the control as a user does, from the event loop as a click comes,
// and once more while the first click is being handled: the second click
// waits in the queue behind the roll-up.
void clickTwice(QWidget *control)
{
    QTest::mouseMove(control);
    QPointer<QWidget> target(control);
    const auto click = [target] {
        if (target)
            QTest::mouseClick(target, Qt::LeftButton);
    };
    QEventLoop loop;
    QTimer::singleShot(0, control, [&] {
        QTimer::singleShot(0, control, click);
        click();
        loop.quit();
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit); // a bound
    loop.exec();
}

void type(QLineEdit *box, const QString &text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

} // namespace

class TestClosingTwice : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> m_profile;
    std::unique_ptr<RecordingMainWindow> m_main;
    SilentEngine m_engine;
    QStringList m_opened;
    int m_done = 0; // main window shown, upgrade window's way back taken

    // Opens the window and answers it with the control to click.
    QPair<QPointer<QWidget>, QWidget *> open(const QString &window, const QString &button)
    {
        const bool ok = button == QLatin1String("OK");
        if (window == QLatin1String("purchase")) {
            PurchaseRequest request;
            request.symbol = QStringLiteral("IBM");
            ShowPurchase(nullptr, 0, request);
            type(purchaseWindow()->txtShares, QStringLiteral("10"));
            type(purchaseWindow()->txtPrice, QStringLiteral("5"));
            return {purchaseWindow(), ok ? purchaseWindow()->cmdOK : purchaseWindow()->cmdCancel};
        }
        if (window == QLatin1String("set editor")) {
            ShowStkSet(nullptr);
            return {setEditor(), ok ? setEditor()->cmdOK : setEditor()->cmdCancel};
        }
        if (window == QLatin1String("properties")) {
            Properties *card = ShowProperties(nullptr, QStringLiteral("IBM"));
            type(card->txtTarget[0], QStringLiteral("7"));
            return {card, ok ? card->cmdOK : card->cmdCancel};
        }
        if (window == QLatin1String("summary")) {
            ShowSummaryOpt(nullptr, QPoint(0, 0));
            return {summaryOptions(), ok ? summaryOptions()->cndGenerate : summaryOptions()->cmdCancel};
        }
        if (window == QLatin1String("zoom")) {
            auto *zoom = new Zoom;
            zoom->show();
            return {zoom, zoom->Panel1[0]};
        }
        if (window == QLatin1String("options")) {
            Options &form = LoadOptions(); // shown modeless: its own modal loop would hold the test
            form.show();
            return {&form, ok ? form.cmd_OK : form.cmd_cancel};
        }
        if (window == QLatin1String("chart query")) {
            ShowBigChartWindow();
            return {chartQueryWindow(), ok ? chartQueryWindow()->cmdQuery : chartQueryWindow()->cmdCancel};
        }
        if (window == QLatin1String("technical chart")) {
            ShowTechGraphWindow();
            return {techGraphWindow(), ok ? techGraphWindow()->cmdQuery : techGraphWindow()->cmdCancel};
        }
        if (window == QLatin1String("news query")) {
            ShowReuters(QStringLiteral("IBM"));
            return {newsQueryWindow(), ok ? newsQueryWindow()->cmdQuery : newsQueryWindow()->cmdCancel};
        }
        if (window == QLatin1String("adviser")) {
            ShowAdviser(nullptr, 0, {});
            return {adviserWindow(), adviserWindow()->cmdClose};
        }
        if (window == QLatin1String("screener")) {
            ShowScr(nullptr, 0);
            return {screenerWindow(), screenerWindow()->cmdclose};
        }
        if (window == QLatin1String("speech")) {
            frmSpeech *speech = LoadSpeech(nullptr);
            speech->show();
            return {speech, speech->lblNav[5]};
        }
        if (window == QLatin1String("support")) {
            ShowSupport(nullptr, 0);
            return {supportWindow(), supportWindow()->Panel1[0]};
        }
        if (window == QLatin1String("news reader")) {
            ShowNews(nullptr);
            return {newsWindow(), newsWindow()->cmdclose};
        }
        if (window == QLatin1String("upgrade")) {
            ShowUpgrade([this] { ++m_done; });
            return {upgradeWindow(), upgradeWindow()->lblNav[3]};
        }
        if (window == QLatin1String("mail")) {
            frmEmail *mail = ShowEmail(nullptr, 0);
            return {mail, mail->cmdClose};
        }
        if (window == QLatin1String("relax")) {
            ShowGRP();
            return {relaxWindow(), relaxWindow()->cmdclose};
        }
        if (window == QLatin1String("questionnaire")) {
            ShowThanks();
            return {thanksWindow(), thanksWindow()->cmdClose};
        }
        ShowNetSetting();
        return {netSettingWindow(), netSettingWindow()->cmdclose};
    }

private slots:
    void init()
    {
        m_profile = std::make_unique<TempProfile>();
        m_profile->createProgramKey();
        QDir(DataDir).mkpath(QStringLiteral("Cache/Reports/Summary"));
        resetSharedState();
        resetPortfolio();
        WritePortfolio();
        resetStocks();
        Sets[0].Symbol = QStringLiteral("IBM");
        QVERIFY(SaveStocks());
        CurSymbol = QStringLiteral("IBM");
        setAllSiteHosts(QStringLiteral("127.0.0.1"));
        m_main = std::make_unique<RecordingMainWindow>();
        m_opened.clear();
        m_done = 0;
        setUrlOpenerHandler([this](const QUrl &url) {
            m_opened << url.toString();
            return true;
        });
        setMainFormOpener([this] { ++m_done; });
        setSpeechEngine(&m_engine);
    }

    void cleanup()
    {
        UnloadThanks();
        UnloadOptions();
        setSpeechEngine(nullptr);
        setMainFormOpener({});
        setUrlOpenerHandler({});
        m_main.reset();
        m_profile.reset();
    }

    void clickedTwice_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("done"); // trades, pages opened, set switches, ways back taken
        const char *const both[] = {"purchase", "set editor", "properties", "summary", "options",
                                    "chart query", "technical chart", "news query"};
        const QStringList doOnce = {"purchase", "set editor", "summary", "chart query", "technical chart", "news query"};
        for (const char *w : both) {
            const QString window = QLatin1String(w);
            QTest::addRow("%s OK", w) << window << QStringLiteral("OK") << int(doOnce.contains(window));
            QTest::addRow("%s Cancel", w) << window << QStringLiteral("Cancel") << 0;
        }
        for (const char *w : {"adviser", "zoom", "screener", "speech", "support", "news reader", "mail", "relax",
                              "network settings"})
            QTest::addRow("%s Close", w) << QString::fromLatin1(w) << QStringLiteral("Close") << 0;
        QTest::addRow("upgrade Close") << QStringLiteral("upgrade") << QStringLiteral("Close") << 1;
        QTest::addRow("questionnaire Close") << QStringLiteral("questionnaire") << QStringLiteral("Close") << 1;
    }

    void clickedTwice()
    {
        QFETCH(QString, window);
        QFETCH(QString, button);
        QFETCH(int, done);
        ScriptedDialogs dialogs;
        const auto [shown, control] = open(window, button);
        QVERIFY(shown && shown->isVisible());
        clickTwice(control);
        QTRY_VERIFY(!shown || !shown->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        ReadPortfolio();
        const int switches = int(m_main->calls.count(QStringLiteral("mnuSet_Click(0)")));
        QCOMPARE(PortCount + int(m_opened.size()) + switches + m_done, done);
    }
};

QTEST_MAIN(TestClosingTwice)
#include "tst_closingtwice.moc"
