// The stock-set editor driven as a user drives it: clicks on its labels,
// lists and buttons, answers typed into its boxes; checked on the bytes of
// the set files.
#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "mainwindow/ui/frmMain.h"
#include "platform/PathResolver.h"
#include "platform/ui/PictureBox.h"
#include "portfolio/StockSetNames.h"
#include "portfolio/ui/Properties.h"
#include "portfolio/ui/StkSet.h"
#include "retrieval/AutoUpdate.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/ui/Options.h"
#include "support/FileSizeLimit.h"
#include "support/RecordingMainWindow.h"
#include "support/PriceRuns.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "support/site/FixtureSite.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

void writeSet(short n, const QStringList &symbols)
{
    resetStocks();
    CurSetNo = n;
    for (int i = 0; i < symbols.size(); ++i)
        Sets[size_t(i)].Symbol = symbols[i];
    QVERIFY(SaveStocks());
    resetStocks();
}

QByteArray setBytes(short n)
{
    QFile f(resolvePath(setFilePath(n)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList symbolsOnDisk(short n)
{
    const short current = CurSetNo;
    CurSetNo = n;
    ReadStocks();
    QStringList symbols;
    for (const StockRec &s : Sets)
        if (!s.Symbol.isEmpty())
            symbols << s.Symbol;
    CurSetNo = current;
    return symbols;
}

QStringList listed(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

void click(QWidget *control)
{
    QTest::mouseMove(control);
    QTest::mouseClick(control, Qt::LeftButton);
}

void clickRow(QListWidget *list, int row)
{
    list->scrollToItem(list->item(row));
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseMove(list->viewport(), at);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
}

// A set file with the stocks at the records given, alerts and all.
void writeRecords(short n, const QList<std::pair<int, StockRec>> &records)
{
    resetStocks();
    CurSetNo = n;
    for (const auto &[at, rec] : records)
        Sets[size_t(at)] = rec;
    QVERIFY(SaveStocks());
    resetStocks();
}

StockRec stock(const char *symbol, float low, float high)
{
    StockRec s;
    s.Symbol = QLatin1String(symbol);
    s.Name = QLatin1String(symbol) + QStringLiteral(" Corp");
    s.LowTarget = low;
    s.HighTarget = high;
    return s;
}

void typeInto(QLineEdit *box, const QString &text)
{
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

} // namespace

class TestStkSet : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> m_profile;

private slots:
    void init()
    {
        m_profile = std::make_unique<TempProfile>();
        m_profile->createProgramKey();
        resetStocks();
        resetSharedState();
        resetRunState();
    }

    void cleanup()
    {
        if (StkSet *e = setEditor())
            delete e;
        delete frmMain::instance();
        UnloadOptions();
        m_profile.reset();
    }

    // Escape and the close box leave as Cancel does: the set the main
    // window showed when the editor opened is current again, with its
    // stocks, whatever set was selected in the editor meanwhile.
    void everyWayOutButOkKeepsTheShownSet()
    {
        writeSet(1, {QStringLiteral("MSFT")});
        writeSet(2, {QStringLiteral("ACME")});
        writeSet(0, {QStringLiteral("IBM")});
        ScriptedDialogs dialogs;
        RecordingMainWindow main;
        for (const char *way : {"Escape", "close box"}) {
            CurSetNo = 2;
            ReadStocks();
            ShowStkSet(nullptr);
            StkSet *editor = setEditor();
            QVERIFY(QTest::qWaitForWindowExposed(editor));
            clickRow(editor->lstSets, 1);
            QCOMPARE(CurSetNo, short(1));
            if (QByteArray(way) == "Escape")
                QTest::keyClick(editor->lstStk, Qt::Key_Escape);
            else
                editor->close();
            QTRY_VERIFY2(!setEditor(), way);
            QCOMPARE(CurSetNo, short(2));
            QCOMPARE(Sets[0].Symbol, QStringLiteral("ACME"));
        }
        QVERIFY(main.calls.filter(QStringLiteral("mnuSet_Click")).isEmpty());
    }

    // Limits the user did not touch keep their stored bits (shown exactly,
    // not to six digits), also for a stock stored after free records; a
    // stock's card left open does not put its old limits back over the
    // ones the editor stored meanwhile; Esc closes the card as Cancel does.
    void untouchedLimitsKeepTheirBits()
    {
        writeRecords(0, {{0, stock("IBM", 12345.67f, 0.1f)}, {4, stock("LATE", 7.25f, 99.99f)}});
        ScriptedDialogs dialogs;
        RecordingMainWindow main;
        CurSetNo = 0;
        ReadStocks();
        QPointer<Properties> card = ShowProperties(nullptr, QStringLiteral("IBM"));
        QCOMPARE(card->txtTarget[0]->text(), QStringLiteral("12345.67"));
        QPointer<Properties> late = ShowProperties(nullptr, QStringLiteral("LATE"));
        QCOMPARE(QStringList({late->txtTarget[0]->text(), late->txtTarget[1]->text()}), QStringList({"7.25", "99.99"}));

        ShowStkSet(nullptr);
        StkSet *editor = setEditor();
        clickRow(editor->lstStk, 1);
        QCOMPARE(QStringList({editor->txtAlert[0]->text(), editor->txtAlert[1]->text()}), QStringList({"7.25", "99.99"}));
        clickRow(editor->lstStk, 0);
        QCOMPARE(QStringList({editor->txtAlert[0]->text(), editor->txtAlert[1]->text()}),
                 QStringList({"12345.67", "0.1"}));
        click(editor->cmdApply);
        const auto limitsOnDisk = [] {
            resetStocks();
            ReadStocks();
            const StockRec &ibm = Sets[size_t(StockIndex(QStringLiteral("IBM")))];
            const StockRec &late = Sets[size_t(StockIndex(QStringLiteral("LATE")))];
            return QList<float>({ibm.LowTarget, ibm.HighTarget, late.LowTarget, late.HighTarget});
        };
        QCOMPARE(limitsOnDisk(), QList<float>({12345.67f, 0.1f, 7.25f, 99.99f}));
        typeInto(editor->txtAlert[1], QStringLiteral("200"));
        click(editor->cmdOK);
        QTRY_VERIFY(!setEditor());

        click(card->cmdOK);
        QTRY_VERIFY(!card);
        QTest::keyClick(late->txtTarget[0], Qt::Key_Escape);
        QTRY_VERIFY(!late);
        QCOMPARE(limitsOnDisk(), QList<float>({12345.67f, 200.0f, 7.25f, 99.99f}));
    }

    // A set holds each stock once: renaming one to a symbol the set
    // already lists is refused as adding it is. A set name the settings
    // cannot take is said, and the editor shows the name that is kept.
    void refusedRenamesAreSaid()
    {
        writeSet(0, {QStringLiteral("IBM"), QStringLiteral("ACME")});
        ScriptedDialogs dialogs;
        RecordingMainWindow main;
        ShowStkSet(nullptr);
        StkSet *editor = setEditor();
        clickRow(editor->lstStk, 1);
        dialogs.answerInput(QStringLiteral("ibm"));
        click(editor->lblAction[3]);
        QCOMPARE(dialogs.shown().last().title, QStringLiteral("Duplicate stock symbol"));
        QCOMPARE(listed(editor->lstStk), (QStringList{"IBM", "ACME"}));

        dialogs.clear();
        {
            FileSizeLimit full(16);
            dialogs.answerInput(QStringLiteral("Tech Stocks"));
            editor->lstSets->scrollToItem(editor->lstSets->item(3));
            const QRect row = editor->lstSets->visualItemRect(editor->lstSets->item(3));
            QTest::mouseClick(editor->lstSets->viewport(), Qt::LeftButton, {}, row.center());
            QTest::mouseDClick(editor->lstSets->viewport(), Qt::LeftButton, {}, row.center());
        }
        QCOMPARE(dialogs.shown().size(), 2);
        QCOMPARE(dialogs.shown().last().title, QStringLiteral("Set name not saved"));
        QVERIFY(dialogs.shown().last().prompt.contains(QLatin1String("Brindlewick5.conf")));
        QCOMPARE(editor->lstSets->item(3)->text(), QStringLiteral("Group3"));
        QCOMPARE(StockSetName(3), QStringLiteral("Group3"));
        SaveSetting(QStringLiteral("Probe"), QStringLiteral("1")); // a later write takes nothing lost along
        QSettings conf(m_profile->settingsFile(), QSettings::IniFormat);
        QVERIFY(!conf.allKeys().join(QLatin1Char(' ')).contains(QLatin1String("Tech")));
    }

    // On a screen of 1280 x 1024 (see main) the editor opens wholly on it,
    // its Help button included, and centred by the size it shows at, not
    // by the size a window has before it is laid out (640 x 480), which put
    // it off the centre by half the difference (here 83 px to the right,
    // 107 px up). Being on the screen alone does not tell the two apart: Qt
    // keeps a new window within two thirds of the screen, so even centred
    // by 640 x 480 it stays on any screen up to 1920 wide.
    void opensOnTheScreen()
    {
        writeSet(0, {QStringLiteral("IBM")});
        RecordingMainWindow main;
        ShowStkSet(nullptr);
        StkSet *editor = setEditor();
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        const QRect area = editor->screen()->availableGeometry();
        QCOMPARE(area.size(), QSize(1280, 1024));
        const QRect frame = editor->frameGeometry();
        const QString where = QStringLiteral("%1,%2 %3x%4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height());
        QVERIFY2(area.contains(frame), qPrintable(where));
        QVERIFY(area.contains(editor->cmdHelp->mapToGlobal(editor->cmdHelp->rect().bottomRight())));
        // Centred to within a few pixels (its frame's edges).
        const QPoint off = frame.center() - area.center();
        QVERIFY2(qAbs(off.x()) <= 4 && qAbs(off.y()) <= 4,
                 qPrintable(where + QStringLiteral(", %1 px off the centre across, %2 down").arg(off.x()).arg(off.y())));
    }

    // A full disk: OK says so, naming the file and the reason, and keeps the
    // editor open with what was typed; the set file stays byte for byte.
    // With room again, the same OK saves it all.
    void okOnAFullDiskKeepsTheEditorOpen()
    {
        writeSet(0, {QStringLiteral("IBM"), QStringLiteral("MSFT"), QStringLiteral("ACME")});
        const QByteArray before = setBytes(0);
        ScriptedDialogs dialogs;
        RecordingMainWindow main;
        ShowStkSet(nullptr);
        StkSet *editor = setEditor();
        dialogs.answerInput(QStringLiteral("nvda"));
        click(editor->lblAction[0]);
        {
            FileSizeLimit full(4096);
            click(editor->cmdOK);
        }
        QVERIFY(setEditor() && setEditor()->isVisible());
        QCOMPARE(dialogs.shown().last().title, QStringLiteral("Stock group not saved"));
        QVERIFY(dialogs.shown().last().prompt.contains(QDir::toNativeSeparators(resolvePath(setFilePath(0)))));
        QCOMPARE(listed(editor->lstStk), (QStringList{"IBM", "MSFT", "ACME", "NVDA"}));
        QCOMPARE(setBytes(0), before);
        QVERIFY(!main.calls.contains(QStringLiteral("mnuSet_Click(0)")));

        click(editor->cmdOK);
        QTRY_VERIFY(!setEditor());
        QCOMPARE(symbolsOnDisk(0), (QStringList{"IBM", "MSFT", "ACME", "NVDA"}));
        QCOMPARE(main.calls.count(QStringLiteral("mnuSet_Click(0)")), 1);
    }

    // A set holds 201 stocks: the 202nd is refused with a message before
    // anything is typed, and OK keeps every stock listed. A symbol the
    // symbol column passes by (one letter) or cuts off is refused, saying why.
    void refusesWhatASetCannotHold()
    {
        QStringList symbols;
        for (int i = 0; i < 199; ++i)
            symbols << QStringLiteral("S%1").arg(i);
        writeSet(0, symbols);
        ScriptedDialogs dialogs;
        RecordingMainWindow main;
        ShowStkSet(nullptr);
        StkSet *editor = setEditor();
        QCOMPARE(editor->lstStk->count(), 199);

        const auto add = [&](const QString &typed) {
            dialogs.clear();
            dialogs.answerInput(typed);
            click(editor->lblAction[0]);
        };
        add(QStringLiteral("x"));
        QCOMPARE(dialogs.shown().value(1).title, QStringLiteral("Stock symbol"));
        QVERIFY(dialogs.shown().value(1).prompt.contains(QLatin1String("one-letter")));
        add(QStringLiteral("WWWWWWWWWW"));
        QVERIFY(dialogs.shown().value(1).prompt.contains(QLatin1String("too long")));
        QCOMPARE(editor->lstStk->count(), 199);
        add(QStringLiteral("aa"));
        add(QStringLiteral("^GSPC"));
        QCOMPARE(editor->lstStk->count(), 201);

        dialogs.clear();
        click(editor->lblAction[0]);
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown().first().title, QStringLiteral("Stock group full"));
        QCOMPARE(editor->lstStk->count(), 201);

        click(editor->cmdOK);
        QTRY_VERIFY(!setEditor());
        QCOMPARE(symbolsOnDisk(0), (symbols + QStringList{"AA", "^GSPC"}));
    }

    // The auto-update timer starts a run while the editor is open. While the
    // run waits on a quote page that never comes, a click on another set in
    // the editor is refused: the set and its records stay as they are, and
    // the other set's file is untouched. After the run the click works.
    void noSetSwitchFromTheEditorDuringARun()
    {
        FixtureSite site;
        QVERIFY(startPriceSite(site));
        writeSet(2, {QStringLiteral("ACME")});
        writeSet(0, {QStringLiteral("IBM")});
        const QByteArray setTwo = setBytes(2);
        site.setBehaviour(QStringLiteral("/fq/quotecom/quote"), {FixtureSite::Mode::Hang, 0, 0});
        ScriptedDialogs dialogs;
        frmMain::Show();
        frmMain *w = frmMain::instance();
        click(w->Picture1[4]);
        StkSet *editor = setEditor();
        QVERIFY(editor && editor->isVisible());

        QStringList during;
        QTimer poll;
        poll.setInterval(20);
        connect(&poll, &QTimer::timeout, editor, [&] {
            if (site.requestCount() < 1)
                return;
            poll.stop();
            w->Timer1->stop();
            clickRow(editor->lstSets, 2);
            during << QString::number(CurSetNo) << Sets[0].Symbol << QString::number(editor->lstSets->currentRow());
            w->StopUpdate();
        });
        poll.start();
        QTimer::singleShot(20000, w, [w] { w->StopUpdate(); }); // a bound, should the page never be asked for
        UpdateInterval = 1;
        TimerCount = 0;
        w->Timer1->start(1);
        QTRY_VERIFY_WITH_TIMEOUT(!during.isEmpty() && w->lblDesc[0]->text() == QLatin1String("Update"), 30000);
        QCOMPARE(during, (QStringList{"0", "IBM", "0"}));
        QCOMPARE(dialogs.shown().last().title, QStringLiteral("Update running"));
        QCOMPARE(setBytes(2), setTwo);

        clickRow(editor->lstSets, 2);
        QCOMPARE(CurSetNo, short(2));
        QCOMPARE(listed(editor->lstStk), QStringList{QStringLiteral("ACME")});
    }

    // ACME removed in an editor opened before the auto-update tick; Apply
    // and a second Remove come while the run waits for BOLT's quote. Both
    // are refused, saying the Update runs, and the list keeps what was
    // done: BOLT's quote lands in BOLT's record, CRWN's in CRWN's. Once the
    // run has ended the same Apply stores the list, each stock's quote kept.
    void noStocksRemovedFromTheEditorDuringARun()
    {
        FixtureSite site;
        QVERIFY(startPriceSite(site));
        writeSet(0, {QStringLiteral("ACME"), QStringLiteral("BOLT"), QStringLiteral("CRWN")});
        site.setBehaviour(QStringLiteral("/fq/quotecom/quote?symbols=BOLT"), {FixtureSite::Mode::Hold});
        ScriptedDialogs dialogs;
        frmMain::Show();
        frmMain *w = frmMain::instance();
        click(w->Picture1[4]);
        StkSet *editor = setEditor();
        QVERIFY(editor && editor->isVisible());
        clickRow(editor->lstStk, 0);
        click(editor->lblAction[1]); // Remove ACME, not applied yet

        QStringList during;
        QTimer poll;
        poll.setInterval(20);
        connect(&poll, &QTimer::timeout, editor, [&] {
            bool held = false;
            for (const QByteArray &r : site.requests())
                held = held || r.contains("symbols=BOLT");
            if (!held)
                return;
            poll.stop();
            w->Timer1->stop();
            dialogs.clear();
            click(editor->cmdApply);
            clickRow(editor->lstStk, 0);
            click(editor->lblAction[1]);
            for (const ScriptedDialogs::Shown &s : dialogs.shown())
                during << s.title;
            during << listed(editor->lstStk);
            site.releaseHeld();
        });
        poll.start();
        QTimer::singleShot(30000, w, [w, &site] { site.releaseHeld(); w->StopUpdate(); }); // a bound
        UpdateInterval = 1;
        TimerCount = 0;
        w->Timer1->start(1);
        QTRY_VERIFY_WITH_TIMEOUT(!during.isEmpty() && !w->runActive(), 40000);
        QCOMPARE(during, (QStringList{"Update running", "Update running", "BOLT", "CRWN"}));
        ReadStocks();
        QCOMPARE(Sets[0].Symbol, QStringLiteral("ACME"));
        QCOMPARE(Sets[1].Symbol, QStringLiteral("BOLT"));
        QCOMPARE(Sets[1].Name, QStringLiteral("Bolt Electric Corp"));
        QCOMPARE(Sets[2].Symbol, QStringLiteral("CRWN"));
        QVERIFY(!Sets[2].Name.isEmpty() && Sets[2].Name != Sets[1].Name);
        const StockRec crwn = Sets[2];

        click(editor->cmdApply);
        QCOMPARE(symbolsOnDisk(0), (QStringList{"BOLT", "CRWN"}));
        ReadStocks();
        QCOMPARE(Sets[1].Name, crwn.Name);
        QCOMPARE(Sets[1].LastSale, crwn.LastSale);
    }
};

// The editor is shown on a screen of the size its users have, 1280 x 1024,
// not the offscreen platform's own 800 x 800.
int main(int argc, char **argv)
{
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(R"({"screens": [{"name": "wide", "x": 0, "y": 0, "width": 1280, "height": 1024, "logicalDpi": 96}]})") < 0)
        return 1;
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));
    QApplication app(argc, argv);
    TestStkSet test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_stkset.moc"
