// The news query and technical chart windows, offscreen: what each choice
// sends, on fixed dates.
#include "core/SharedState.h"
#include "core/Sites.h"
#include "platform/UrlOpener.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "webqueries/NewsQuery.h"
#include "webqueries/TechIndicators.h"
#include "core/Registry.h"
#include "webqueries/Screener.h"
#include "webqueries/ui/BigChart.h"
#include "webqueries/ui/Reuters.h"
#include "webqueries/ui/Scr.h"
#include "webqueries/ui/TechGraph.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest>

class TestQueryWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> m_profile;
    QStringList opened;

    static QString news(const char *query)
    {
        return QStringLiteral("http://127.0.0.1/content/MONEYNET/News/NewsHeadlines.asp?FLUSH=Y&") + QLatin1String(query);
    }

    Reuters *openNews(const QDate &today, const QString &symbol = QStringLiteral("IBM"))
    {
        setNewsTodayForTests([today] { return today; });
        ShowReuters(symbol);
        return newsQueryWindow();
    }

    // A click where the user clicks an option: on its round indicator.
    static void clickOption(QRadioButton *b)
    {
        QStyleOptionButton option;
        option.initFrom(b);
        QTest::mouseClick(b, Qt::LeftButton, {}, b->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, b).center());
    }

    void chooseLength(Reuters *w, const QString &item)
    {
        w->cboLength->setCurrentIndex(w->cboLength->findText(item));
        w->cboLength_Click();
    }

private slots:
    void init()
    {
        m_profile = std::make_unique<TempProfile>();
        m_profile->createProgramKey();
        resetSharedState();
        setAllSiteHosts(QStringLiteral("127.0.0.1"));
        opened.clear();
        setUrlOpenerHandler([this](const QUrl &url) {
            opened << url.toString(QUrl::FullyEncoded);
            return true;
        });
    }
    void cleanup()
    {
        UnloadReuters();
        UnloadTechGraph();
        UnloadScr();
        UnloadBigChart();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setUrlOpenerHandler({});
        setNewsTodayForTests({});
        m_profile.reset();
    }

    // The window opens on "7 Days" ending today; the second symbol of two
    // characters is left out, the third joined with "+".
    void newsQueryMidMonth()
    {
        Reuters *w = openNews(QDate(2026, 3, 15));
        QCOMPARE(w->txtSymbol[0]->text(), QStringLiteral("IBM"));
        QCOMPARE(w->cboLength->currentText(), QStringLiteral("7 Days"));
        QCOMPARE((QStringList{w->txtFromDay->text(), w->txtFromMonth->text(), w->txt_ToDay->text(), w->txt_ToMonth->text()}),
                 (QStringList{"8", "03", "15", "03"}));
        w->txtSymbol[1]->setText(QStringLiteral("GE"));
        w->txtSymbol[2]->setText(QStringLiteral("MSFT"));
        w->cmdQuery->click();
        QCOMPARE(opened, QStringList{news("symbol=IBM+MSFT&prev_symbol=&length=7&time=range&month_from=03&day_from=8"
                                          "&month_to=03&day_to=15")});
        QVERIFY(!newsQueryWindow());
    }

    // Ranges borrow from the month: seven days back from the 3rd, one day
    // back from the 1st (a leap year's February has its 29th), thirty days
    // from January.
    void newsQueryAcrossMonths_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("query");
        QTest::newRow("7 Days on the 3rd") << QDate(2026, 3, 3) << "7 Days"
                                           << "length=7&time=range&month_from=02&day_from=24&month_to=03&day_to=03";
        QTest::newRow("24 Hours on the 1st") << QDate(2026, 3, 1) << "24 Hours"
                                             << "length=24&time=range&month_from=02&day_from=28&month_to=03&day_to=01";
        QTest::newRow("24 Hours on 1 March of a leap year")
            << QDate(2028, 3, 1) << "24 Hours" << "length=24&time=range&month_from=02&day_from=29&month_to=03&day_to=01";
        QTest::newRow("30 Dayes in January") << QDate(2026, 1, 20) << "30 Dayes"
                                             << "length=30&time=range&month_from=12&day_from=13&month_to=01&day_to=20";
    }
    void newsQueryAcrossMonths()
    {
        QFETCH(QDate, today);
        QFETCH(QString, length);
        QFETCH(QString, query);
        Reuters *w = openNews(today);
        chooseLength(w, length);
        w->cmdQuery->click();
        QCOMPARE(opened, QStringList{news("symbol=IBM&prev_symbol=&") + query});
    }

    // Boxes: a letter in a month box goes at once, a bad day is refilled
    // at query time; texts go out encoded.
    void newsQueryBoxes()
    {
        Reuters *w = openNews(QDate(2026, 3, 15), QStringLiteral("A&B"));
        w->txtFromMonth->setText(QStringLiteral("x"));
        QCOMPARE(w->txtFromMonth->text(), QString());
        w->txtFromDay->setText(QStringLiteral("5"));
        w->txtFromDay->setFocus();
        w->txt_ToDay->setFocus();
        w->txtFromDay->clearFocus();
        QFocusEvent focusOut(QEvent::FocusOut);
        QApplication::sendEvent(w->txtFromDay, &focusOut);
        QCOMPARE(w->txtFromDay->text(), QStringLiteral("05"));
        w->txtSymbol[1]->setText(QStringLiteral("C D"));
        w->cmdQuery->click();
        QCOMPARE(opened, QStringList{news("symbol=A%26B+C%20D&prev_symbol=&length=7&time=range&month_from=03&day_from=05"
                                          "&month_to=03&day_to=15")});
    }

    // Every indicator with its defaults, for a lower-case symbol; the first
    // query sends the span the slider shows.
    void techGraphIndicators_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("ind");
        const QStringList expected = {
            "216,30,0,0,0&TESelect=216&Symbol=IBM",
            "200,18,0,0,0&TESelect=200&Symbol=IBM",
            "103,1,1,0,0&TESelect=103&Symbol=IBM&Oval1=1&Oval2=1&Oval3=0",
            "204,28,13,4,0&TESelect=204&nocache=85874&PH=2&Symbol=IBM",
            "206,21,22,7,0&TESelect=206&nocache=85922&PH=2&Symbol=IBM",
            "202,21,0,0,0&TESelect=202&Symbol=IBM",
            "161,0,0,0,0&TESelect=161&Symbol=IBM",
            "160,0,0,0,d&TESelect=160&Symbol=IBM",
            "162,0,0,0,0&TESelect=162&Symbol=IBM",
            "210,16,11,0,0&TESelect=210&Symbol=IBM",
            "213,14,2,0,0&TESelect=213&Symbol=IBM",
        };
        for (int i = 0; i < expected.size(); ++i)
            QTest::addRow("%s", qPrintable(indicators()[i].caption)) << i << expected[i];
    }
    void techGraphIndicators()
    {
        QFETCH(int, index);
        QFETCH(QString, ind);
        CurSymbol = QStringLiteral("ibm");
        ShowTechGraphWindow();
        TechGraph *w = techGraphWindow();
        w->optGraph[index]->click();
        w->cmdQuery->click();
        QCOMPARE(opened, QStringList{QStringLiteral("http://127.0.0.1/wsc/Technical.html?ind=s,") + ind
                                     + QStringLiteral("&Timespan=1")});
        QVERIFY(!techGraphWindow());
    }

    // Typed values and the slider go into the query; another indicator and
    // back brings the defaults again.
    void techGraphParameters()
    {
        CurSymbol = QStringLiteral("IBM");
        ShowTechGraphWindow();
        TechGraph *w = techGraphWindow();
        w->optGraph[3]->click();
        w->D[0]->setText(QStringLiteral("30"));
        w->optGraph[4]->click();
        w->optGraph[3]->click();
        QCOMPARE(w->D[0]->text(), QStringLiteral("28"));
        w->optGraph[5]->click();
        w->chk[1]->click(); // Exponential
        w->Slider1->triggerAction(QSlider::SliderSingleStepAdd);
        for (int i = 0; i < 4; ++i)
            w->Slider1->triggerAction(QSlider::SliderSingleStepAdd);
        QCoreApplication::processEvents();
        QCOMPARE(w->SpanDays, 130);
        QCOMPARE(w->Slider1->toolTip(), QStringLiteral("6 Month"));
        w->cmdQuery->click();
        QCOMPARE(opened, QStringList{"http://127.0.0.1/wsc/Technical.html?ind=s,202,21,1,0,0&TESelect=202&Symbol=IBM"
                                     "&Timespan=130"});
    }
    // The screen: a fresh window asks for all industries; the example of
    // the screen's help; the last button of every group sends its index;
    // Reset leaves S&P 500 and all industries.
    void screener()
    {
        ShowScr(nullptr, 120);
        Scr *w = screenerWindow();
        const QString base = QStringLiteral("http://127.0.0.1/basicscreen.asp?noofrecs=25");
        w->cmdShow->click();
        QCOMPARE(opened.takeLast(), base + "&industry=0&name=Select");
        w->options["sandp"][1]->click();
        w->lstIndestry->setCurrentRow(1);
        w->options["pe"][2]->click();
        w->cmdShow->click();
        QCOMPARE(opened.takeLast(), base + "&sandp=1&industry=1&pe=2&name=Select");
        for (const char *key : {"book", "analyst", "sandp", "yield", "peg", "pe", "hist", "est"})
            w->options[QLatin1String(key)].last()->click();
        w->lstIndestry->setCurrentRow(13);
        w->cmdShow->click();
        QCOMPARE(opened.takeLast(),
                 base + "&sandp=2&industry=204&book=5&pe=4&est=4&analyst=5&peg=6&hist=4&yield=5&name=Select");
        // The chosen button is blue, the rest of its group grey.
        QCOMPARE(w->options["pe"][4]->palette().color(QPalette::ButtonText), QColor(0, 0, 255));
        QCOMPARE(w->options["pe"][2]->palette().color(QPalette::ButtonText), QColor(128, 128, 128));
        w->cmdReset->click();
        w->cmdShow->click();
        QCOMPARE(opened.takeLast(), base + "&sandp=1&industry=0&name=Select");
    }

    // Every industry has a code of its own; the list keeps the site's order.
    void industryCodes()
    {
        const QList<Industry> &list = industries();
        QCOMPARE(list.size(), 207);
        QSet<int> codes;
        for (const Industry &i : list)
            codes.insert(i.code);
        QCOMPARE(codes.size(), 207);
        const QList<QPair<int, int>> spots = {{0, 0}, {13, 204}, {53, 123}, {76, 66}, {85, 76}, {172, 164}, {193, 184},
                                              {206, 197}};
        for (const auto &[position, code] : spots)
            QCOMPARE(list[position].code, code);
        QCOMPARE(list[206].name, QStringLiteral("WIRE & CABLE PRDS"));
    }

    // The chart query: the defaults, saving them, a stored set of options
    // restored whole, the period shown being the period sent.
    void chartQuery()
    {
        CurSymbol = QStringLiteral("xyz");
        ShowBigChartWindow();
        BigChart *w = chartQueryWindow();
        QVERIFY(!w->cmdSave->isEnabled());
        const QString server = QStringLiteral("http://127.0.0.1/intchart/frames/chart.asp?symb=XYZ");
        QCOMPARE(w->ChartUrl(), server + "&time=1&freq=9&compidx=nasdaq:3291&comp=&uf=0&lf=0&ma=0&maval=9&type=2"
                                         "&style=1&size=2&state=0&rand=881");
        w->txtSbl->setFocus();
        QFocusEvent focusIn(QEvent::FocusIn);
        QApplication::sendEvent(w->txtSbl, &focusIn);
        QVERIFY(w->cmdSave->isEnabled());
        w->cmdSave->click();
        QCOMPARE(QuerySetting(QStringLiteral("ChartOpt")).toString(), QStringLiteral(",0,2,0,3,0,0,1,0,9,0,"));
        QVERIFY(!w->cmdSave->isEnabled());
        w->cmdCancel->click();

        SaveSetting(QStringLiteral("ChartOpt"), QStringLiteral(",0,2,1,13,26,0,1,9,20,8,"));
        ShowBigChartWindow();
        w = chartQueryWindow();
        QCOMPARE(w->cboIndex->currentText(), QStringLiteral("Airlines"));
        QCOMPARE(w->cboLow->currentText(), QStringLiteral("% Compare"));
        QCOMPARE(w->cboUp->currentText(), QStringLiteral("Show All Events"));
        QCOMPARE(w->txtMaval->text(), QStringLiteral("20"));
        QCOMPARE(w->Slider1->value(), 8);
        QCOMPARE(w->cboFrq->currentText(), QStringLiteral("Weekly"));
        QCOMPARE(w->ChartUrl(), server + "&time=9&freq=2&compidx=xal:13882&comp=&uf=7168&lf=4194304&ma=0&maval=20"
                                         "&type=2&style=1&size=2&state=0&rand=881");
        // The user moves the slider: its period, its list, its first sampling.
        w->Slider1->triggerAction(QSlider::SliderSingleStepSub);
        QCoreApplication::processEvents();
        QCOMPARE(w->Slider1->value(), 7);
        QCOMPARE(w->cboFrq->currentText(), QStringLiteral("Daily"));
        QVERIFY(w->ChartUrl().contains("&time=19&freq=1&"));
        w->txtMaval->setText(QStringLiteral("abc"));
        QCOMPARE(w->txtMaval->text(), QStringLiteral("9"));
        w->cboBack->setCurrentIndex(w->cboBack->findText(QStringLiteral("Black")));
        w->txtSbl->setText(QStringLiteral("A&B"));
        QVERIFY(w->ChartUrl().contains("&comp=A%26B&"));
        QVERIFY(w->ChartUrl().contains("&style=2&"));
        w->cmdReset->click();
        QVERIFY(w->cmdSave->isEnabled());
        QCOMPARE(w->cboFrq->currentText(), QStringLiteral("1-Minute"));
        w->cmdQuery->click();
        QCOMPARE(opened, QStringList{server + "&time=1&freq=9&compidx=nasdaq:3291&comp=A%26B&uf=0&lf=0&ma=0&maval=9"
                                              "&type=2&style=1&size=2&state=0&rand=881"});
        QVERIFY(!chartQueryWindow());
    }

    // The title bar's close box unloads each query window as its Cancel
    // does: the next opening starts afresh, choices not kept.
    void closeBoxUnloadsTheWindows()
    {
        const auto closeBox = [](QWidget *w, QWidget *(*loaded)()) {
            w->close();
            QVERIFY(!loaded());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };
        Reuters *news = openNews(QDate(2026, 3, 15));
        news->txtSymbol[3]->setFocus();
        QTest::keyClicks(news->txtSymbol[3], QStringLiteral("MSFT"));
        closeBox(news, [] { return static_cast<QWidget *>(newsQueryWindow()); });
        QCOMPARE(openNews(QDate(2026, 3, 15))->txtSymbol[3]->text(), QString());

        ShowTechGraphWindow();
        const QString fresh = techGraphWindow()->IndicatorName;
        clickOption(techGraphWindow()->optGraph[3]);
        QVERIFY(techGraphWindow()->IndicatorName != fresh);
        closeBox(techGraphWindow(), [] { return static_cast<QWidget *>(techGraphWindow()); });
        ShowTechGraphWindow();
        QCOMPARE(techGraphWindow()->IndicatorName, fresh);

        ShowScr(nullptr, 120);
        clickOption(screenerWindow()->options[QStringLiteral("pe")][2]);
        QVERIFY(screenerWindow()->options[QStringLiteral("pe")][2]->isChecked());
        closeBox(screenerWindow(), [] { return static_cast<QWidget *>(screenerWindow()); });
        ShowScr(nullptr, 120);
        QVERIFY(!screenerWindow()->options[QStringLiteral("pe")][2]->isChecked());

        // The chart query's unsaved choices do not come back either.
        ShowBigChartWindow();
        const QString saved = chartQueryWindow()->cboUp->currentText();
        chartQueryWindow()->cboUp->setCurrentIndex(chartQueryWindow()->cboUp->findText(QStringLiteral("Show All Events")));
        closeBox(chartQueryWindow(), [] { return static_cast<QWidget *>(chartQueryWindow()); });
        ShowBigChartWindow();
        QCOMPARE(chartQueryWindow()->cboUp->currentText(), saved);
    }
};

QTEST_MAIN(TestQueryWindows)
#include "tst_querywindows.moc"
