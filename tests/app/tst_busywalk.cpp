// Every control of the main window used while the program is busy: an
// Update waiting for a page, a report being written, a summary page being
// generated. Whatever the user does inside those waits, no record is
// written into the wrong place, no file is damaged, nothing crashes.
#include "ControlWalk.h"

#include "reports/ui/SummaryOpt.h"

#include <QPushButton>

#include <QtTest>

class TestBusyWalk : public ControlWalk
{
    Q_OBJECT

    // Runs each control once, in the state its row names, while the program
    // is busy elsewhere: the boxes take the answers of the handler in force,
    // the windows and menus it opened are closed again.
    void walkWhileBusy(const QHash<QString, Row> &rows, const QStringList &names, QStringList *walked)
    {
        for (const QString &name : names) {
            QSet<QWidget *> before;
            for (QWidget *top : QApplication::topLevelWidgets())
                if (top->isVisible())
                    before.insert(top);
            QHash<QWidget *, int> ticks;
            QTimer watch;
            watch.setInterval(20);
            connect(&watch, &QTimer::timeout, this, [&] {
                for (QWidget *top : QApplication::topLevelWidgets())
                    if (auto *d = qobject_cast<QDialog *>(top);
                        d && d->isVisible() && d->isModal() && !before.contains(top) && ++ticks[top] > 5)
                        d->close();
            });
            watch.start();
            const Row row = rows.value(name.startsWith(QLatin1String("Sets/")) ? QStringLiteral("Sets/*") : name);
            if (stage(row.state == OtherSet || row.state == Running ? Stock : row.state, name).isEmpty()
                && perform(name).isEmpty())
                *walked << name;
            QTest::qWait(30);
            watch.stop();
            for (QWidget *top : QApplication::topLevelWidgets())
                if (top->isVisible() && !before.contains(top))
                    top->close();
            for (QMenu *m : menus())
                m->hide();
        }
    }

    // The walk inside the first yield of action (the first time it lets
    // pending events run); false when it never yielded.
    bool walkInside(const std::function<void()> &action, const QHash<QString, Row> &rows, const QStringList &names,
                    QStringList *walked)
    {
        bool inside = false, walkedInside = false;
        QTimer user;
        user.setInterval(0);
        connect(&user, &QTimer::timeout, this, [&] {
            if (!inside)
                return;
            user.stop();
            walkedInside = true;
            walkWhileBusy(rows, names, walked);
        });
        YesToEverything yes;
        user.start();
        inside = true;
        action();
        inside = false;
        user.stop();
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top != w && top->isVisible() && !qobject_cast<QMenu *>(top))
                top->close();
        return walkedInside;
    }

private slots:
    // Every control of the walk while an Update waits for BOLT's quote,
    // every question answered Yes: nothing done inside the run's wait may
    // put a quote into another stock's record or damage a file. The set
    // and the portfolio read back whole, each stock with its own quote.
    void everyControlDuringAnUpdate()
    {
        Stage stage;
        START_TEST_SERVER(stage.mail);
        QVERIFY(openStage(stage, {QStringLiteral("IBM"), QStringLiteral("ACME"), QStringLiteral("BOLT"),
                                  QStringLiteral("CRWN")}));
        // Every stock's own quote, as the site serves it (its quotes never change).
        const std::array<StockRec, SetSize> ownQuotes = Sets;
        QCOMPARE(ownQuotes[3].Symbol, QStringLiteral("CRWN"));
        QVERIFY(!ownQuotes[2].Name.isEmpty() && ownQuotes[2].Name != ownQuotes[3].Name);
        for (int box = 0; box < BatchBoxCount; ++box) // the busy run fetches the prices only
            SaveSetting(QStringLiteral("Update%1").arg(box), box == 1 ? 1 : 0);
        UnloadOptions();
        QVERIFY(UpdatePurchase(QStringLiteral("Buy"), QStringLiteral("ACME"), 100, 5, QStringLiteral("1/2/2024"), 10,
                               QString(), 0, 1, 1)
                    .isEmpty());
        const PortRec trade = Port[1];

        QHash<QString, Row> byName;
        for (const Row &r : table())
            byName.insert(r.control, r);
        QStringList names;
        for (const QString &n : controlNames())
            // Not those that end the run or the program (tested on their own).
            if (!n.contains(QLatin1String("Shut Down")) && n != QLatin1String("Alt+X") && n != QLatin1String("Toolbar 0")
                && n != QLatin1String("Esc") && !n.contains(QLatin1String("Update")) && n != QLatin1String("Alt+U")
                && n != QLatin1String("F4") && !n.startsWith(QLatin1String("Consultation/")))
                names << n;

        stage.site.setBehaviour(QStringLiteral("/fq/quotecom/quote?symbols=BOLT"), {FixtureSite::Mode::Hold});
        YesToEverything yes;
        QStringList walked;
        bool held = false, runningThroughout = true;
        QTimer user;
        user.setInterval(20);
        connect(&user, &QTimer::timeout, this, [&] {
            for (const QByteArray &r : stage.site.requests())
                held = held || r.contains("symbols=BOLT");
            if (!held)
                return;
            user.stop();
            walkWhileBusy(byName, names, &walked);
            runningThroughout = w->runActive();
            stage.site.releaseHeld();
        });
        stage.site.clearRequests();
        user.start();
        click(w->Picture1[0]); // the run, the walk inside its wait for BOLT's quote
        user.stop();
        QVERIFY2(held, "the run never waited for BOLT's quote");
        QVERIFY2(runningThroughout, "the run ended during the walk");
        QVERIFY2(walked.size() > names.size() / 2,
                 qPrintable(QStringLiteral("only %1 of %2 controls ran").arg(walked.size()).arg(names.size())));
        QCOMPARE(w->lblDesc[0]->text(), QStringLiteral("Update"));

        // What the files hold, read afresh: whole, and every record with a
        // symbol holds that stock's own quote, every other one nothing.
        const auto ownRecords = [&]() -> QString {
            if (stocksInDamagedSetFile(fileBytes(resolvePath(setFilePath(0)))))
                return QStringLiteral("Set0.dat is damaged");
            if (tradesInDamagedPortfolio(fileBytes(DataDir + QStringLiteral("/Portfolio.dat"))))
                return QStringLiteral("Portfolio.dat is damaged");
            CurSetNo = 0;
            ReadStocks();
            ReadPortfolio();
            QStringList wrong;
            for (int i = 0; i < SetSize; ++i) {
                const StockRec &now = Sets[size_t(i)];
                const auto own = std::find_if(ownQuotes.begin(), ownQuotes.end(),
                                              [&](const StockRec &r) { return r.Symbol == now.Symbol; });
                if (now.Symbol.isEmpty() ? !(now == StockRec{}) : own == ownQuotes.end() || !(*own == now))
                    wrong << QStringLiteral("record %1 (%2) holds %3 %4").arg(i).arg(now.Symbol, now.Name, now.LastSale);
            }
            return wrong.join(QStringLiteral("; "));
        };
        QString wrong = ownRecords();
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        // Nothing was added or removed while the run went on.
        QCOMPARE(SetCount, short(4));
        QCOMPARE(Port[1].Symbol, trade.Symbol);
        QCOMPARE(Port[1].Shares, trade.Shares);

        // The same while the price report is being written, and while the
        // summary page is being generated (from its options window); with
        // no run, what the controls remove is theirs to remove.
        QStringList walkedInReport, walkedInSummary;
        QVERIFY2(walkInside([this] { perform(QStringLiteral("Reports/HTML")); }, byName, names, &walkedInReport),
                 "the report write never let events run");
        wrong = ownRecords();
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        QVERIFY2(walkInside(
                     [this] {
                         click(w->Panel1[4]);
                         if (SummaryOpt *form = summaryOptions())
                             click(form->cndGenerate);
                     },
                     byName, names, &walkedInSummary),
                 "the summary generation never let events run");
        wrong = ownRecords();
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        QVERIFY(walkedInReport.size() > names.size() / 2 && walkedInSummary.size() > names.size() / 2);
        delete w;
    }

};

QTEST_MAIN(TestBusyWalk)
#include "tst_busywalk.moc"
