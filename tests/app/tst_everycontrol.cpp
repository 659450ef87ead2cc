// Every control of the main window, driven as a user drives it: each item
// of each of its menus (the menu opened by its label, toolbar button or
// right click, the item clicked where it shows), each toolbar button and
// each label of the bottom bar (the pointer moved over it, then clicked),
// each key of the shortcut table (typed into the focused widget). Every row
// names the effect the control must have: the window that opens, the
// address handed to the browser, the file written and what it holds, the
// setting stored, the question asked; questions whose answer is the point
// (delete, empty the cache, quit) are answered Yes and the files checked.
#include "ControlWalk.h"

#include <QtTest>

class TestEveryControl : public ControlWalk
{
    Q_OBJECT

private slots:
    void everyControlActs()
    {
        Stage stage;
        START_TEST_SERVER(stage.mail);
        QVERIFY(openStage(stage, {QStringLiteral("IBM"), QStringLiteral("ACME"), QStringLiteral("BOLT")}));
        QCOMPARE(w->lblDesc[0]->text(), QStringLiteral("Update"));
        for (int box = 0; box < BatchBoxCount; ++box) // later runs fetch the insider pages only
            SaveSetting(QStringLiteral("Update%1").arg(box), box == 7 ? 1 : 0);
        UnloadOptions();
        UpdatePurchase(QStringLiteral("Buy"), QStringLiteral("ACME"), 100, 5, QStringLiteral("1/2/2024"), 10,
                       QString(), 0, 1, 1);
        QFile::remove(dataFile(QStringLiteral("LayOut.dat")));
        QFile log(dataFile(QStringLiteral("ErrorLog.txt")));
        QVERIFY(log.open(QIODevice::WriteOnly | QIODevice::Truncate));
        log.write("--------------\r\nDescription:   the sample error\r\n");
        log.close();
        initialFiles = dataFiles();

        const QList<Row> rows = table();
        QHash<QString, Row> byName;
        for (const Row &r : rows)
            byName.insert(r.control, r);
        const QStringList names = controlNames();
        QStringList failures;
        for (const Row &r : rows)
            if (!r.control.endsWith(QLatin1String("/*")) && !names.contains(r.control))
                failures << r.control + QStringLiteral(": no such control in the window");
        // Items the program never offers, and why.
        const QHash<QString, QString> never = {
            {QStringLiteral("Reports/Microsoft Money"), QStringLiteral("no export of this kind")},
            {QStringLiteral("Reports/Access"), QStringLiteral("no export of this kind")},
            {QStringLiteral("Reports/Word"), QStringLiteral("no export of this kind")},
            {QStringLiteral("Reports/Oracle"), QStringLiteral("no export of this kind")},
            {QStringLiteral("Reports/SQL Server"), QStringLiteral("no export of this kind")},
            {QStringLiteral("Reports/Microsoft Mail"), QStringLiteral("no export of this kind")},
            {QStringLiteral("Start/Update/Hang-up"), QStringLiteral("no dial-up connection here to hang up")},
        };

        // The quitting controls last, each on a window of its own: a window
        // that has begun to quit takes no second quit.
        QStringList order, quitting;
        for (const QString &n : names)
            (n.contains(QLatin1String("Shut Down")) || n == QLatin1String("Alt+X") ? quitting : order) << n;
        int acted = 0;
        for (const QString &name : order + quitting) {
            if (name.startsWith(QLatin1String("Consultation/")))
                continue; // its items carry the check mark of the market list shown; nothing opens the menu
            if (quitting.contains(name)) {
                unpoppable.clear();
                delete w;
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                startWindow();
                QFile::remove(dataFile(QStringLiteral("LayOut.dat")));
                initialFiles = dataFiles();
            }
            const bool isSet = name.startsWith(QLatin1String("Sets/"));
            Row row = byName.value(isSet ? QStringLiteral("Sets/*") : name);
            if (never.contains(name)) {
                row = {name, Check(), Holdings};
            } else if (row.control.isEmpty()) {
                failures << name + QStringLiteral(": not in the table");
                continue;
            }
            row.control = name;
            Seen seen;
            const QString why = run(row, &seen);
            QString missing;
            if (never.contains(name))
                missing = why.isEmpty() ? QStringLiteral("offered, though ") + never.value(name) : QString();
            else if (!why.isEmpty())
                missing = why;
            else
                missing = isSet ? setChosen(name, seen) : row.effect(seen);
            if (missing.isEmpty() && !never.contains(name) && seen.unexpected)
                missing = QStringLiteral("unexpected box \"%1\"").arg(seen.messages.last().prompt);
            if (!missing.isEmpty())
                failures << name + QStringLiteral(": ") + missing;
            else
                ++acted;
            tidy(seen);
        }
        qInfo().noquote() << names.size() << "controls," << acted << "acted as their rows say";
        for (const QString &f : std::as_const(failures))
            qWarning().noquote() << f;
        QVERIFY2(failures.isEmpty(), qPrintable(QStringLiteral("%1 controls fail, listed above").arg(failures.size())));
        delete w;
    }

    // The label bar as the user clicks it: each label opens its menu on the
    // first click, and again on the next; the hover frame takes no click.
    void labelsTakeEveryClick()
    {
        TempProfile prof;
        prof.createProgramKey();
        FixtureSite fixture;
        QVERIFY(fixture.start());
        setAllSiteHosts(fixture.host());
        resetStocks();
        startWindow();
        QVERIFY(w);
        for (int i : {0, 1, 5}) {
            QMenu *m = i == 0 ? w->mnuStart : i == 1 ? w->mnuSets : w->mnuReports;
            for (int round = 1; round <= 3; ++round) {
                click(w->Panel1[i]);
                QVERIFY2(QTest::qWaitFor([m] { return m->isVisible(); }, 5000),
                         qPrintable(QStringLiteral("label %1, click %2").arg(i).arg(round)));
                m->hide();
            }
        }
        delete w;
    }
};

QTEST_MAIN(TestEveryControl)
#include "tst_everycontrol.moc"
