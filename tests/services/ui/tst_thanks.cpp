#include "core/DataDir.h"
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
#include <QFile>
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

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString errorLog()
{
    QFile f(DataDir + QStringLiteral("/ErrorLog.txt"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
}

QString today()
{
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

// The message as the mail to the maker must carry it.
QString expectedMessage(const QString &date, const QStringList &answers, const QString &comments)
{
    const QString rule(52, QLatin1Char('_'));
    return QStringLiteral("    Brindlewick ") + QString::fromUtf8(TrademarkText)
        + QStringLiteral(" First Time User Feedback\r\n"
                         "    ________________________________________\r\n"
                         "\r\n"
                         "Date............ ")
        + date + QStringLiteral("\r\nFrom............ ") + answers[0] + QStringLiteral("\r\nGroup age....... ")
        + answers[1] + QStringLiteral("\r\nGender.......... ") + answers[2]
        + QStringLiteral("\r\nCountry......... ") + answers[3] + QStringLiteral("\r\nZip............. ")
        + answers[4] + QStringLiteral("\r\nParchase........ ") + answers[5]
        + QStringLiteral("\r\nHeard........... ") + answers[6] + QStringLiteral("\r\n") + rule
        + QStringLiteral("\r\nComments: ") + comments + QStringLiteral("\r\n") + rule;
}
} // namespace

class TestThanks : public QObject
{
    Q_OBJECT

private:
    Thanks *load()
    {
        ShowThanks();
        return thanksWindow();
    }

private slots:
    void init()
    {
        setSleepHandler([](int) {});
        QueuedMail.clear();
    }

    void cleanup()
    {
        UnloadThanks();
        flushDeletes();
        setMainFormOpener({});
        setSleepHandler({});
        resetStocks();
        resetPortfolio();
    }

    void firstShowingTicksTheBoxAndStoresIt()
    {
        TempProfile profile;
        profile.createProgramKey();
        Thanks *form = load();
        QVERIFY(form->isVisible());
        QVERIFY(form->chkPrompt->isChecked());
        QCOMPARE(stored("Thanks"), QStringLiteral("1"));

        // Every list is filled and nothing is chosen.
        QCOMPARE(form->cboGroup->count(), 6);
        QCOMPARE(form->cboGender->count(), 2);
        QCOMPARE(form->cboPar->count(), 2);
        QCOMPARE(form->cboCountry->count(), 226);
        QCOMPARE(form->cboWhere->count(), 10);
        for (QComboBox *box : {form->cboGroup, form->cboGender, form->cboCountry, form->cboPar, form->cboWhere})
            QCOMPARE(box->currentText(), QString());
        QVERIFY(form->cboCountry->findText(QStringLiteral("U.S. Virgin Islands"))
                == form->cboCountry->findText(QStringLiteral("United States")) + 1);

        form->chkPrompt->click();
        QCOMPARE(stored("Thanks"), QStringLiteral("0"));
    }

    void storedChoiceIsShownAndNotRewritten()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("Thanks"), QStringLiteral("0"));
        QVERIFY(!load()->chkPrompt->isChecked());
        QCOMPARE(stored("Thanks"), QStringLiteral("0"));
    }

    void damagedThanksValueStopsTheLoad()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("Thanks"), QStringLiteral("yes"));
        Thanks *form = load();
        QCOMPARE(form->cboGroup->count(), 0);
        QCOMPARE(form->cboWhere->count(), 0);
        QCOMPARE(stored("Thanks"), QStringLiteral("yes"));
        QVERIFY(errorLog().contains(QStringLiteral("Where: Thanks_Form_Load")));
    }

    void messageHoldsTheAnswersExactly_data()
    {
        QTest::addColumn<bool>("fillAll");
        QTest::addColumn<QString>("typedComments");
        QTest::addColumn<QString>("comments");
        QTest::newRow("all answered, several comment lines")
            << true << QStringLiteral("Fine tool.\nMore charts, please.")
            << QStringLiteral("Fine tool.\r\nMore charts, please.");
        QTest::newRow("comments only") << false << QStringLiteral("Hello") << QStringLiteral("Hello");
    }

    void messageHoldsTheAnswersExactly()
    {
        QFETCH(bool, fillAll);
        QFETCH(QString, typedComments);
        QFETCH(QString, comments);
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("EmailServer"), QStringLiteral("smtp.c.example"));
        SaveSetting(QStringLiteral("Email"), QStringLiteral("me@c.example"));
        SaveSetting(QStringLiteral("Q_Message"), QStringLiteral("an older message"));
        Thanks *form = load();
        QStringList answers{QStringLiteral("me@c.example"), {}, {}, {}, {}, {}, {}};
        if (fillAll) {
            form->cboGroup->setCurrentIndex(2);
            form->cboGender->setCurrentIndex(1);
            // A country not in the list stands as typed.
            form->cboCountry->setEditText(QStringLiteral("Atlantis"));
            form->txtZip->setText(QStringLiteral("04011"));
            form->cboPar->setCurrentIndex(0);
            form->cboWhere->setCurrentIndex(8);
            answers = QStringList{QStringLiteral("me@c.example"), QStringLiteral("34-42"), QStringLiteral("Female"),
                                  QStringLiteral("Atlantis"), QStringLiteral("04011"), QStringLiteral("Yes"),
                                  QStringLiteral("I'm long time Brindlewick user")};
        }
        form->txtComments->setPlainText(typedComments);

        const QString before = today();
        form->SendData();
        const QString after = today();

        const QString message = stored("Q_Message").value_or(QString());
        QVERIFY2(message == expectedMessage(before, answers, comments)
                     || message == expectedMessage(after, answers, comments),
                 qPrintable(message));
        QCOMPARE(QueuedMail, message);
        QCOMPARE(form->Text1->text(), QStringLiteral("me@c.example"));
    }

    void nothingQueuedWithoutGenderCountryOrComments()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("EmailServer"), QStringLiteral("smtp.c.example"));
        ScriptedDialogs dialogs;
        Thanks *form = load();
        form->cboGroup->setCurrentIndex(0);
        form->txtZip->setText(QStringLiteral("12345"));
        form->cboPar->setCurrentIndex(1);
        form->cboWhere->setCurrentIndex(0);
        form->SendData();
        QVERIFY(!stored("Q_Message"));
        QVERIFY(QueuedMail.isEmpty());
        QVERIFY(dialogs.shown().isEmpty());
    }

    void missingMailServerIsAskedFor()
    {
        TempProfile profile;
        profile.createProgramKey();
        ScriptedDialogs dialogs;

        // Two characters are enough: no question.
        SaveSetting(QStringLiteral("EmailServer"), QStringLiteral("mx"));
        Thanks *form = load();
        form->cboGender->setCurrentIndex(0);
        form->SendData();
        QVERIFY(dialogs.shown().isEmpty());
        QVERIFY(stored("Q_Message"));

        // One character: asked; Cancel stores neither server nor message.
        SaveSetting(QStringLiteral("EmailServer"), QStringLiteral("m"));
        SaveSetting(QStringLiteral("Q_Message"), QStringLiteral("queued"));
        dialogs.answerInput(QString());
        form->SendData();
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].title, QStringLiteral("Mail Server"));
        QVERIFY(dialogs.shown()[0].prompt.startsWith(QStringLiteral("Please enter your mail server address.\r\nEx.: \"")));
        QCOMPARE(stored("EmailServer"), QStringLiteral("m"));
        QCOMPARE(stored("Q_Message"), QStringLiteral("queued"));

        // An answer is stored and the message queued.
        dialogs.answerInput(QStringLiteral("smtp.d.example"));
        form->SendData();
        QCOMPARE(stored("EmailServer"), QStringLiteral("smtp.d.example"));
        QVERIFY(stored("Q_Message")->contains(QStringLiteral("Gender.......... Male")));
        QCOMPARE(dialogs.unexpected(), 0);
    }

    void closeQueuesReadsTheDataAndOpensTheMainWindow()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("EmailServer"), QStringLiteral("smtp.e.example"));
        Sets[0].Symbol = QStringLiteral("ACME");
        SaveStocks();
        Port[1].Symbol = QStringLiteral("ACME");
        Port[1].Action = QStringLiteral("Buy");
        WritePortfolio();
        resetStocks();
        resetPortfolio();

        QStringList seen;
        setMainFormOpener([&] {
            // The portfolio is read before the main window opens, the set after
            // the questionnaire has gone.
            seen << QStringLiteral("main");
            if (PortCount == 1)
                seen << QStringLiteral("portfolio read");
            if (stored("Q_Message"))
                seen << QStringLiteral("queued");
            if (thanksWindow())
                seen << QStringLiteral("still shown");
            if (SetCount == 0)
                seen << QStringLiteral("set not yet read");
        });

        Thanks *form = load();
        form->txtComments->setPlainText(QStringLiteral("ok"));
        QTest::mouseClick(form->cmdClose, Qt::LeftButton);
        flushDeletes();

        QCOMPARE(seen, (QStringList{QStringLiteral("main"), QStringLiteral("portfolio read"), QStringLiteral("queued"),
                                    QStringLiteral("still shown"), QStringLiteral("set not yet read")}));
        QVERIFY(!thanksWindow());
        QCOMPARE(SetCount, short(1));
        QCOMPARE(Sets[0].Symbol, QStringLiteral("ACME"));
    }

    void closeByWindowSystemGoesOnWhenNothingIsQueued()
    {
        TempProfile profile;
        profile.createProgramKey();
        ScriptedDialogs dialogs;
        dialogs.answerInput(QString());
        int opened = 0;
        setMainFormOpener([&] { ++opened; });
        Thanks *form = load();
        form->cboGender->setCurrentIndex(1);
        // A refused mail server queues nothing; the close still goes on.
        form->close();
        flushDeletes();
        QCOMPARE(opened, 1);
        QVERIFY(!thanksWindow());
        QVERIFY(!stored("Q_Message"));
        QCOMPARE(stored("Thanks"), QStringLiteral("1"));
    }
};

QTEST_MAIN(TestThanks)
#include "tst_thanks.moc"
