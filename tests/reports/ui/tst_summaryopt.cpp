// The summary options form: the ticks it remembers, the sections they
// switch on, and a choice of none.
#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "platform/PathResolver.h"
#include "reports/ui/SummaryOpt.h"
#include "support/ScriptedDialogs.h"
#include "support/ReportBench.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtTest>

class TestSummaryOpt : public QObject
{
    Q_OBJECT

    ReportBench *bench = nullptr;

    static QString stored() { return QuerySetting(QStringLiteral("SummaryOpt")).toString(); }

    SummaryOpt *open()
    {
        ShowSummaryOpt(nullptr, QPoint(100, 400));
        return summaryOptions();
    }

    QByteArray page()
    {
        QFile f(resolvePath(DataDir + QStringLiteral("/Cache/Reports/Summary/ACME.htm")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void init()
    {
        bench = new ReportBench;
        bench->profile.createProgramKey();
    }
    void cleanup()
    {
        if (summaryOptions())
            delete summaryOptions();
        delete bench;
    }

    // First use: the boxes as designed; Generate stores them and writes the
    // page with their sections, the split box feeding the split history.
    void firstUseAndTheSplitBox()
    {
        SummaryOpt *f = open();
        QCOMPARE(f->chk.size(), 19);
        QCOMPARE(f->chk[1]->text(), QStringLiteral("Analyst's Recommandation "));
        f->cndGenerate_Click();
        QCOMPARE(stored(), QStringLiteral(",1,1,1,1,1,1,1,1,1,0,1,1,1,1,0,0,1,0,0,"));
        QCOMPARE(bench->opened.size(), 1);
        QTRY_VERIFY(!summaryOptions());
        QVERIFY(page().contains("Upgrades History") && page().contains("Split History") && !page().contains("Short Interest"));

        f = open();
        for (QCheckBox *box : f->chk)
            box->setChecked(false);
        f->chk[16]->setChecked(true);
        f->cndGenerate_Click();
        QCOMPARE(stored(), QStringLiteral(",0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,0,0,"));
        QVERIFY(page().contains("Split History") && !page().contains("Upgrades History") && !page().contains("Latest Prices"));
    }

    void noBoxTickedAndCancel()
    {
        SaveSetting(QStringLiteral("SummaryOpt"), QStringLiteral(",0,2,x,0"));
        SummaryOpt *f = open();
        // Read as far as the text goes; a character that is no value is skipped.
        QCOMPARE(f->value(0), 0);
        QCOMPARE(f->value(1), 2);
        QCOMPARE(f->value(2), 1);
        QCOMPARE(f->value(3), 1); // not reached: as designed
        for (QCheckBox *box : f->chk)
            box->setCheckState(Qt::Unchecked);
        ScriptedDialogs dialogs;
        f->cndGenerate_Click();
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].prompt, QStringLiteral("You have to select at least one option."));
        QVERIFY(summaryOptions() == f && f->chk[0]->isChecked());
        QCOMPARE(stored(), QStringLiteral(",0,2,x,0"));
        QVERIFY(bench->opened.isEmpty());
        f->cmdCancel_Click();
        QTRY_VERIFY(!summaryOptions());
        QCOMPARE(stored(), QStringLiteral(",0,2,x,0"));
    }

    // Closed from inside the page's build (the close box through the window
    // system, or a close() from elsewhere): the close is refused, the page
    // is finished and opened, and the form then closes as Generate does.
    void closedWhileGenerating_data()
    {
        QTest::addColumn<bool>("windowSystem");
        QTest::newRow("close box") << true;
        QTest::newRow("close()") << false;
    }
    void closedWhileGenerating()
    {
        QFETCH(bool, windowSystem);
        const QPointer<SummaryOpt> f = open();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        const QString design = f->lbl1->text();
        int closes = 0;
        bool closed = false;
        QTimer during;
        connect(&during, &QTimer::timeout, this, [&] {
            if (!f || f->lbl1->text() == design || closes)
                return;
            ++closes;
            closed = windowSystem ? f->windowHandle()->close() : f->close();
        });
        during.start(0);
        QTest::mouseMove(f->cndGenerate);
        QTest::mouseClick(f->cndGenerate, Qt::LeftButton);
        during.stop();
        QCOMPARE(closes, 1);
        QVERIFY(!closed);
        QCOMPARE(bench->opened.size(), 1);
        QVERIFY(page().contains("Latest Prices"));
        QTRY_VERIFY(!f);
        QVERIFY(!summaryOptions());
    }

    // A page that cannot be written keeps the form open.
    void writeFailureKeepsTheForm()
    {
        const QString folder = resolvePath(DataDir + QStringLiteral("/Cache/Reports/Summary"));
        QDir(folder).removeRecursively();
        QDir().mkpath(QFileInfo(folder).absolutePath());
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        ScriptedDialogs dialogs;
        SummaryOpt *f = open();
        f->cndGenerate_Click();
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY(bench->opened.isEmpty() && summaryOptions() == f);
    }
};

QTEST_MAIN(TestSummaryOpt)
#include "tst_summaryopt.moc"
