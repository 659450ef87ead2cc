#include "core/Portfolio.h"
#include "core/Registry.h"
#include "core/StartupHooks.h"
#include "core/Stocks.h"
#include "core/Version.h"
#include "platform/SettingsStore.h"
#include "platform/Sleep.h"
#include "services/ui/Thanks.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {
std::optional<QString> stored(const char *name)
{
    return SettingsStore::value(QString::fromLatin1(ProgramKey), QString::fromLatin1(name));
}

Thanks *loaded(const char *thanks = nullptr, const char *mailServer = "smtp.c.example")
{
    if (thanks)
        SaveSetting(QStringLiteral("Thanks"), QString::fromLatin1(thanks));
    SaveSetting(QStringLiteral("EmailServer"), QString::fromLatin1(mailServer));
    ShowThanks();
    return thanksWindow();
}
} // namespace

class TestThanks : public QObject
{
    Q_OBJECT

private slots:
    void init() { setSleepHandler([](int) {}); }

    void cleanup()
    {
        UnloadThanks();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setMainFormOpener({});
        setSleepHandler({});
        resetStocks();
        resetPortfolio();
    }

    void checkBoxFollowsAndStoresThanks()
    {
        TempProfile profile;
        profile.createProgramKey();
        Thanks *form = loaded();
        QVERIFY(form->chkPrompt->isChecked());
        QCOMPARE(stored("Thanks"), QStringLiteral("1"));
        QCOMPARE(form->cboCountry->count(), 226);
        QCOMPARE(form->cboWhere->currentText(), QString()); // nothing preselected
        form->chkPrompt->click();
        QCOMPARE(stored("Thanks"), QStringLiteral("0"));

        UnloadThanks();
        QVERIFY(!loaded()->chkPrompt->isChecked());
        QCOMPARE(stored("Thanks"), QStringLiteral("0"));
    }

    void messageHoldsTheAnswersExactly_data()
    {
        QTest::addColumn<bool>("answerAll");
        QTest::addColumn<QString>("answers");
        QTest::newRow("all, typed country, two comment lines") << true
            << QStringLiteral("Group age....... 34-42\r\nGender.......... Female\r\nCountry......... Atlantis\r\n"
                              "Zip............. 04011\r\nParchase........ Yes\r\n"
                              "Heard........... I'm long time Brindlewick user\r\n%1\r\n"
                              "Comments: Fine tool.\r\nMore charts, please.\r\n%1");
        QTest::newRow("comments only") << false
            << QStringLiteral("Group age....... \r\nGender.......... \r\nCountry......... \r\nZip............. \r\n"
                              "Parchase........ \r\nHeard........... \r\n%1\r\nComments: Fine tool.\r\n"
                              "More charts, please.\r\n%1");
    }

    void messageHoldsTheAnswersExactly()
    {
        QFETCH(bool, answerAll);
        QFETCH(QString, answers);
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("Email"), QStringLiteral("me@c.example"));
        SaveSetting(QStringLiteral("Q_Message"), QStringLiteral("an older message"));
        Thanks *form = loaded();
        if (answerAll) {
            form->cboGroup->setCurrentIndex(2);
            form->cboGender->setCurrentIndex(1);
            form->cboCountry->setEditText(QStringLiteral("Atlantis"));
            form->txtZip->setText(QStringLiteral("04011"));
            form->cboPar->setCurrentIndex(0);
            form->cboWhere->setCurrentIndex(8);
        }
        form->txtComments->setPlainText(QStringLiteral("Fine tool.\nMore charts, please."));

        form->SendData();

        const QString head = QStringLiteral("    Brindlewick Pellor Brindlewick 5.2 First Time User Feedback\r\n    ________________________________________\r\n\r\n"
                             "Date............ %1\r\nFrom............ me@c.example\r\n");
        const QString tail = answers.arg(QString(52, QLatin1Char('_')));
        const QString message = stored("Q_Message").value_or(QString());
        const QLocale locale = QLocale::system();
        QVERIFY2(message == head.arg(locale.toString(QDate::currentDate(), QLocale::ShortFormat)) + tail
                     || message == head.arg(locale.toString(QDate::currentDate().addDays(-1), QLocale::ShortFormat)) + tail,
                 qPrintable(message));
        QCOMPARE(QueuedMail, message);
        // Every character of it survives the mail's single-byte text.
        QCOMPARE(QString::fromLatin1(message.toLatin1()), message);
    }

    void nothingQueuedWithoutAnswersOrMailServer()
    {
        TempProfile profile;
        profile.createProgramKey();
        ScriptedDialogs dialogs;
        Thanks *form = loaded(nullptr, "m"); // one character: the server is asked for
        form->cboGroup->setCurrentIndex(0);
        form->txtZip->setText(QStringLiteral("12345"));
        form->cboPar->setCurrentIndex(1);
        form->cboWhere->setCurrentIndex(0);
        form->SendData(); // no gender, country or comments: nothing, not even the question
        QVERIFY(dialogs.shown().isEmpty());
        QVERIFY(!stored("Q_Message"));

        form->cboGender->setCurrentIndex(0);
        dialogs.answerInput(QString());
        form->SendData(); // Cancel
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].title, QStringLiteral("Mail Server"));
        QCOMPARE(stored("EmailServer"), QStringLiteral("m"));
        QVERIFY(!stored("Q_Message"));

        dialogs.answerInput(QStringLiteral("smtp.d.example"));
        form->SendData();
        QCOMPARE(stored("EmailServer"), QStringLiteral("smtp.d.example"));
        QVERIFY(stored("Q_Message")->contains(QStringLiteral("Gender.......... Male")));

        SaveSetting(QStringLiteral("EmailServer"), QStringLiteral("mx")); // two characters: not asked
        form->SendData();
        QCOMPARE(dialogs.shown().size(), 2);
    }

    void closeQueuesReadsTheDataAndOpensTheMainWindow()
    {
        TempProfile profile;
        profile.createProgramKey();
        Sets[0].Symbol = QStringLiteral("ACME");
        SaveStocks();
        Port[1].Symbol = QStringLiteral("ACME");
        WritePortfolio();
        resetStocks();
        resetPortfolio();
        QStringList seen;
        setMainFormOpener([&] {
            seen << QStringLiteral("main");
            if (stored("Q_Message"))
                seen << QStringLiteral("queued");
            if (PortCount == 1)
                seen << QStringLiteral("portfolio read");
            if (thanksWindow())
                seen << QStringLiteral("still shown");
            if (SetCount == 0)
                seen << QStringLiteral("set not yet read");
        });
        Thanks *form = loaded();
        form->txtComments->setPlainText(QStringLiteral("ok"));

        QTest::mouseClick(form->cmdClose, Qt::LeftButton);

        QCOMPARE(seen, (QStringList{QStringLiteral("main"), QStringLiteral("queued"), QStringLiteral("portfolio read"),
                                    QStringLiteral("still shown"), QStringLiteral("set not yet read")}));
        QVERIFY(!thanksWindow());
        QCOMPARE(Sets[0].Symbol, QStringLiteral("ACME"));

        // Closed by the window system with nothing to queue: the chain still goes on.
        seen.clear();
        loaded()->close();
        QCOMPARE(seen.value(0), QStringLiteral("main"));
        QVERIFY(!thanksWindow());
    }
};

QTEST_MAIN(TestThanks)
#include "tst_thanks.moc"
