// Every caption of every window is whole: at the window's own size and
// after the user has made the window larger.
#include "core/SharedState.h"
#include "core/ui/frmSplash.h"
#include "mainwindow/ui/frmMain.h"
#include "platform/ui/PictureBox.h"
#include "retrieval/ui/NetSetting.h"
#include "retrieval/ui/Options.h"
#include "services/ui/Thanks.h"
#include "services/ui/News.h"
#include "services/ui/frmEmail.h"
#include "services/ui/frmSupport.h"
#include "services/ui/frmUpgrade.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "support/WholeCaptions.h"
#include "webqueries/ui/BigChart.h"
#include "webqueries/ui/Reuters.h"
#include "webqueries/ui/Scr.h"
#include "webqueries/ui/TechGraph.h"

#include <QLabel>
#include <QRadioButton>
#include <QStackedWidget>
#include "portfolio/ui/Properties.h"
#include "portfolio/ui/StkSet.h"
#include "portfolio/ui/frmPurchace.h"
#include "services/ui/GRP.h"
#include "services/ui/frmAdviser.h"
#include "services/ui/frmSpeech.h"
#include "services/ui/frmUpgrade.h"

#include <QtTest>

class TestCaptions : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> m_profile;

    static void check(QWidget *w, const char *what)
    {
        QVERIFY(w);
        w->show();
        QCoreApplication::processEvents();
        const QStringList atStart = clippedCaptions(w);
        QVERIFY2(atStart.isEmpty(), qPrintable(QLatin1String(what) + QLatin1String(": ") + atStart.join(QStringLiteral("; "))));
    }

private slots:
    void init()
    {
        m_profile = std::make_unique<TempProfile>();
        m_profile->createProgramKey();
        resetSharedState();
    }
    void cleanup()
    {
        delete frmMain::instance();
        UnloadOptions();
        UnloadThanks();
        UnloadNetSetting();
        UnloadUpgrade();
        UnloadSplash();
        m_profile.reset();
    }

    void mainWindowAtItsSizeAndLarger()
    {
        frmMain::Show();
        frmMain *w = frmMain::instance();
        check(w, "main window");
        for (const QSize s : {QSize(w->width() * 5 / 4, w->height() * 5 / 4), QSize(w->width() * 8 / 5, w->height())}) {
            w->resize(s);
            QCoreApplication::processEvents();
            const QStringList after = clippedCaptions(w);
            QVERIFY2(after.isEmpty(), qPrintable(after.join(QStringLiteral("; "))));
            // Each toolbar caption stays centred right under its button.
            for (int i = 0; i < 7; ++i) {
                const QRect button = w->Picture1[i]->geometry();
                const QRect caption = w->lblDesc[i]->geometry();
                QVERIFY(qAbs(caption.center().x() - button.center().x()) <= 1);
                QVERIFY(caption.top() > button.bottom() && caption.top() <= button.bottom() + 2);
            }
        }
    }

    void settingsPages()
    {
        Options &form = LoadOptions();
        auto *pages = form.findChild<QStackedWidget *>();
        QVERIFY(pages);
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            check(&form, qPrintable(QStringLiteral("settings page %1").arg(i)));
        }
    }

    void firstRunWindows()
    {
        ScriptedDialogs dialogs;
        ShowNetSetting();
        check(netSettingWindow(), "network settings");
        ShowThanks();
        check(thanksWindow(), "questionnaire");
        ShowUpgrade();
        check(upgradeWindow(), "upgrade");
        ShowSplash();
        check(splashWindow(), "splash");
    }

    void mailWindows()
    {
        check(ShowEmail(nullptr, 0), "send mail");
        ShowSupport(nullptr, 0);
        check(supportWindow(), "support request");
        ShowNews(nullptr);
        News *news = newsWindow();
        for (int page = 0; page < 3; ++page) {
            news->lblNav_Click(page);
            check(news, qPrintable(QStringLiteral("news reader, page %1").arg(page)));
        }
        UnloadEmail();
        UnloadSupport();
        UnloadNews();
    }

    void auxiliaryWindows()
    {
        ShowAdviser(nullptr, 0, {});
        check(adviserWindow(), "adviser");
        frmUpgrade *upgrade = (ShowUpgrade(), upgradeWindow());
        upgrade->resize(upgrade->width(), upgrade->height() * 2); // as a download shows it
        check(upgrade, "upgrade, downloading");
        frmSpeech *speech = LoadSpeech(nullptr);
        speech->show();
        check(speech, "speech");
        ShowGRP();
        check(relaxWindow(), "relax");
        ShowPurchase(nullptr, 0, PurchaseRequest{});
        check(purchaseWindow(), "purchase");
        purchaseWindow()->close();
        ShowStkSet(nullptr);
        check(setEditor(), "set editor");
        setEditor()->close();
        Properties *card = ShowProperties(nullptr, QString());
        check(card, "properties");
        card->close();
        UnloadAdviser();
        UnloadUpgrade();
        UnloadSpeech();
        UnloadGRP();
    }

    void queryWindows()
    {
        ShowReuters(QStringLiteral("IBM"));
        check(newsQueryWindow(), "news query");
        ShowTechGraphWindow();
        TechGraph *chart = techGraphWindow();
        for (int i = 0; i < chart->optGraph.size(); ++i) {
            chart->optGraph[i]->click();
            check(chart, qPrintable(QStringLiteral("technical chart, indicator %1").arg(i)));
        }
        ShowScr(nullptr, 120);
        check(screenerWindow(), "screener");
        ShowBigChartWindow();
        check(chartQueryWindow(), "chart query");
        UnloadReuters();
        UnloadTechGraph();
        UnloadScr();
        UnloadBigChart();
    }
};

QTEST_MAIN(TestCaptions)
#include "tst_captions.moc"
