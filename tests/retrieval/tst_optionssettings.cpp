#include "core/DataDir.h"
#include "core/Registry.h"
#include "platform/Dialogs.h"
#include "retrieval/OptionsSettings.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QtTest>

namespace {
void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
}

QStringList filesIn(const QString &folder)
{
    return QDir(DataDir + folder).entryList(QDir::Files);
}
} // namespace

class TestOptionsSettings : public QObject
{
    Q_OBJECT

private slots:
    void delays_data()
    {
        QTest::addColumn<bool>("splash");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("splash at its limit") << true << "20" << "20";
        QTest::newRow("splash none") << true << "0" << "0";
        QTest::newRow("splash above") << true << "21" << "5";
        QTest::newRow("splash below") << true << "-1" << "5";
        QTest::newRow("splash decimal") << true << "2.5" << "5";
        QTest::newRow("splash words") << true << "soon" << "5";
        QTest::newRow("splash empty") << true << "" << "5";
        QTest::newRow("saver at its limit") << false << "60" << "60";
        QTest::newRow("saver above") << false << "61" << "12";
        QTest::newRow("saver huge") << false << "99999999999" << "12";
    }

    // Only whole numbers in range pass; anything else is told and replaced.
    void delays()
    {
        QFETCH(bool, splash);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        ScriptedDialogs dialogs;
        QString text = typed;
        const bool accepted = CheckDelay(text, splash ? SplashDelayRule : SaverDelayRule);
        QCOMPARE(text, kept);
        QCOMPARE(accepted, typed == kept);
        if (accepted) {
            QVERIFY(dialogs.shown().isEmpty());
        } else {
            QCOMPARE(dialogs.shown().size(), 1);
            QCOMPARE(dialogs.shown()[0].prompt, splash
                         ? QStringLiteral("Set the value between 0 (None) up to 20 seconds please.")
                         : QStringLiteral("Set the value between 0 (None) up to 60 minutes please."));
            QCOMPARE(dialogs.shown()[0].title, QStringLiteral("Wrong Value"));
            QCOMPARE(dialogs.shown()[0].style, Msg::OKOnly + Msg::Exclamation);
        }
    }

    // Every box stands on one page, and the select buttons of that page
    // reach exactly the boxes of that page; the exchange columns split the
    // big-movers grid.
    void boxGroups()
    {
        for (int button = 0; button < SelectButtonCount; ++button) {
            const int page = selectButton(button).page;
            QSet<int> onPage;
            for (int box = 0; box < BatchBoxCount; ++box) {
                if (updateBoxPage(box) == page)
                    onPage << box;
            }
            const QList<int> boxes = selectButtonBoxes(button);
            QCOMPARE(QSet<int>(boxes.begin(), boxes.end()), onPage);
        }
        QCOMPARE(exchangeColumnBoxes(0).first(), 22);
        QCOMPARE(exchangeColumnBoxes(0).last(), 49);
        QCOMPARE(exchangeColumnBoxes(1).first(), 21);
        QCOMPARE(exchangeColumnBoxes(2).last(), 47);
        QCOMPARE(exchangeLabelCaption(2), QStringLiteral("NASDAQ"));
        // Only the AMEX box of a row carries the row's caption.
        QCOMPARE(updateBoxCaption(43), QStringLiteral("Largest Money Movers"));
        QCOMPARE(updateBoxCaption(42), QString());
        QCOMPARE(updateBoxCaption(88), QStringLiteral("Short Interest "));
    }

    void emptyCache_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("gone");
        QTest::newRow("No at first") << QList<int>{Msg::No} << QStringList{};
        QTest::newRow("headlines only") << QList<int>{Msg::Yes, Msg::No, Msg::Yes, Msg::No}
                                        << QStringList{QStringLiteral("/Cache/News")};
        QTest::newRow("everything") << QList<int>{Msg::Yes, Msg::Yes, Msg::Yes, Msg::Yes}
                                    << QStringList{QStringLiteral("/Cache/DataSheet"), QStringLiteral("/Cache/News"),
                                                   QStringLiteral("/Cache/Reports")};
    }

    void emptyCache()
    {
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, gone);
        TempProfile profile;
        touch(DataDir + QStringLiteral("/Cache/DataSheet/IBM_it.Sh"));
        touch(DataDir + QStringLiteral("/Cache/News/IBM.txt"));
        touch(DataDir + QStringLiteral("/Cache/Reports/index.html"));
        touch(DataDir + QStringLiteral("/Cache/Reports/Summary/IBM.html"));
        ScriptedDialogs dialogs;
        for (int a : answers)
            dialogs.answer(a);

        EmptyCache();

        QCOMPARE(dialogs.shown().size(), answers.size());
        QCOMPARE(dialogs.shown()[0].title, QStringLiteral("Clear Cache?"));
        QCOMPARE(dialogs.shown()[0].style, Msg::YesNo + Msg::Exclamation + Msg::DefaultButton2);
        for (const char *folder : {"/Cache/DataSheet", "/Cache/News", "/Cache/Reports"}) {
            const QString f = QString::fromLatin1(folder);
            QCOMPARE(filesIn(f).isEmpty(), gone.contains(f));
        }
        // Report sub-folders keep their files.
        QVERIFY(QFile::exists(DataDir + QStringLiteral("/Cache/Reports/Summary/IBM.html")));
    }

    // Settings the file cannot take (a full disk) are said once, and what
    // is read back is what the file holds, not the values lost.
    void unsavedOptionsAreSaid()
    {
        TempProfile profile;
        profile.createProgramKey();
        QVERIFY(SaveSetting(QStringLiteral("Fractions"), QStringLiteral("1")));
        OptionsValues values;
        values.fractions = 0;
        values.email = QStringLiteral("me@example.com");
        ScriptedDialogs dialogs;
        bool stored = true;
        {
            FileSizeLimit full(16);
            stored = StoreOptions(values);
        }
        QVERIFY(!stored);
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown().first().title, QStringLiteral("Setting not saved"));
        QVERIFY(dialogs.shown().first().prompt.contains(QLatin1String("Brindlewick5.conf")));
        QCOMPARE(QuerySetting(QStringLiteral("Fractions")).toString(), QStringLiteral("1"));
        QVERIFY(QuerySetting(QStringLiteral("Email")).isEmpty());
        QVERIFY(StoreOptions(values));
        QCOMPARE(QuerySetting(QStringLiteral("Email")).toString(), QStringLiteral("me@example.com"));
    }
};

QTEST_GUILESS_MAIN(TestOptionsSettings)
#include "tst_optionssettings.moc"
