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
#include <QAbstractButton>
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

// The window's button or label button that reads caption (access key aside).
QWidget *control(QWidget *window, const QString &caption)
{
    for (QWidget *w : window->findChildren<QWidget *>()) {
        QString text;
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            text = button->text();
        else if (auto *label = qobject_cast<QLabel *>(w))
            text = label->text();
        if (w->isVisible() && text.remove(QLatin1Char('&')) == caption)
            return w;
    }
    return nullptr;
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

    QWidget *open(const QString &window)
    {
        if (window == QLatin1String("purchase")) {
            ShowPurchase(nullptr, 0, PurchaseRequest{PurchaseRequest::NewStock, QStringLiteral("IBM")});
            type(purchaseWindow()->txtShares, QStringLiteral("10"));
            type(purchaseWindow()->txtPrice, QStringLiteral("5"));
            return purchaseWindow();
        }
        if (window == QLatin1String("properties")) {
            Properties *card = ShowProperties(nullptr, QStringLiteral("IBM"));
            type(card->txtTarget[0], QStringLiteral("7"));
            return card;
        }
        if (window == QLatin1String("options")) {
            LoadOptions().show(); // modeless: its own modal loop would hold the test
            return optionsWindow();
        }
        if (window == QLatin1String("zoom")) {
            auto *zoom = new Zoom;
            zoom->show();
            return zoom;
        }
        const QHash<QString, std::function<QWidget *()>> openers = {
            {"set editor", [] { return ShowStkSet(nullptr), setEditor(); }},
            {"summary", [] { return ShowSummaryOpt(nullptr, QPoint()), summaryOptions(); }},
            {"chart query", [] { return ShowBigChartWindow(), chartQueryWindow(); }},
            {"technical chart", [] { return ShowTechGraphWindow(), techGraphWindow(); }},
            {"news query", [] { return ShowReuters(QStringLiteral("IBM")), newsQueryWindow(); }},
            {"adviser", [] { return ShowAdviser(nullptr, 0, {}), adviserWindow(); }},
            {"screener", [] { return ShowScr(nullptr, 0), screenerWindow(); }},
            {"speech", [] { return LoadSpeech(nullptr)->show(), speechWindow(); }},
            {"support", [] { return ShowSupport(nullptr, 0), supportWindow(); }},
            {"news reader", [] { return ShowNews(nullptr), newsWindow(); }},
            {"upgrade", [this] { return ShowUpgrade([this] { ++m_done; }), upgradeWindow(); }},
            {"mail", [] { return ShowEmail(nullptr, 0); }},
            {"relax", [] { return ShowGRP(), relaxWindow(); }},
            {"questionnaire", [] { return ShowThanks(), thanksWindow(); }},
            {"network settings", [] { return ShowNetSetting(), netSettingWindow(); }},
        };
        return openers.value(window)();
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
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("done"); // trades, pages opened, set switches, ways back taken
        const QList<QList<const char *>> rows = {
            {"purchase", "OK", "1"}, {"purchase", "Cancel"}, {"set editor", "OK", "1"}, {"set editor", "Cancel"},
            {"properties", "OK"}, {"properties", "Cancel"}, {"summary", "Generate", "1"}, {"summary", "Cancel"},
            {"options", "OK"}, {"options", "Cancel"}, {"chart query", "Query", "1"}, {"chart query", "Cancel"},
            {"technical chart", "Query", "1"}, {"technical chart", "Cancel"}, {"news query", "Query", "1"},
            {"news query", "Cancel"}, {"adviser", "Close"}, {"zoom", "Exit"}, {"screener", "Close"},
            {"speech", "Close"}, {"support", "Exit"}, {"news reader", "Exit"}, {"mail", "Close"},
            {"relax", "Exit"}, {"network settings", "Close"}, {"upgrade", "Close", "1"},
            {"questionnaire", "Close", "1"}};
        for (const auto &row : rows)
            QTest::addRow("%s %s", row[0], row[1]) << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1])
                                                  << (row.size() > 2 ? 1 : 0);
    }

    void clickedTwice()
    {
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QFETCH(int, done);
        ScriptedDialogs dialogs;
        const QPointer<QWidget> shown = open(window);
        QVERIFY(shown && shown->isVisible());
        QWidget *button = control(shown, caption);
        QVERIFY(button);
        clickTwice(button);
        QTRY_VERIFY(!shown || !shown->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        ReadPortfolio();
        const int switches = int(m_main->calls.count(QStringLiteral("mnuSet_Click(0)")));
        QCOMPARE(PortCount + int(m_opened.size()) + switches + m_done, done);
    }
};

QTEST_MAIN(TestClosingTwice)
#include "tst_closingtwice.moc"
