// Every window that opens a message box or a prompt of its own (and the
// boxes of the start itself), with the
// program's real boxes: the box opened with the user's clicks, then Escape
// or Enter pressed in it. The key belongs to the box - the window under it
// stays (or goes) as its own rules say, and nothing typed into it is lost.
#include "app/Main.h"
#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/Stocks.h"
#include "core/ui/frmSplash.h"
#include "mainwindow/ui/frmMain.h"
#include "platform/Latin1File.h"
#include "platform/ui/WidgetDialogs.h"
#include "reports/ui/SummaryOpt.h"
#include "services/SmtpClient.h"
#include "services/ui/News.h"
#include "services/ui/frmEmail.h"
#include "services/ui/frmSupport.h"
#include "support/TempProfile.h"

#include <QCheckBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTimer>
#include <QtTest>

namespace {

// A key for the next box that opens: the box is known by a text of its
// title or message; typed goes into a prompt's field first.
struct Press
{
    QString box;
    int key = Qt::Key_Escape;
    QString typed;
};

// Presses keys into the real boxes as they open, the way a user does: into
// the field or button of the box that has the focus.
class BoxKeys : public QObject
{
public:
    explicit BoxKeys(QList<Press> presses) : m_presses(std::move(presses))
    {
        connect(&m_poll, &QTimer::timeout, this, [this] { poll(); });
        m_poll.start(10);
    }

    QStringList unmatched; // boxes that came with no key meant for them
    int pending() const { return int(m_presses.size()); }

private:
    void poll()
    {
        QWidget *box = QApplication::activeModalWidget();
        if (m_pressing || !box || box == m_last || !box->isVisible()
            || !(qobject_cast<QMessageBox *>(box) || qobject_cast<QInputDialog *>(box)))
            return;
        m_last = box;
        QString text = box->windowTitle();
        if (auto *message = qobject_cast<QMessageBox *>(box))
            text += QLatin1Char('\n') + message->text();
        Press press{QString(), Qt::Key_Return, QString()};
        if (!m_presses.isEmpty() && text.contains(m_presses.first().box))
            press = m_presses.takeFirst();
        else
            unmatched << text;
        m_pressing = true;
        if (!press.typed.isEmpty()) {
            auto *field = box->findChild<QLineEdit *>();
            QVERIFY(field);
            field->selectAll();
            QTest::keyClicks(field, press.typed);
        }
        QWidget *target = box->focusWidget() ? box->focusWidget() : box;
        QTest::keyClick(target, Qt::Key(press.key));
        m_pressing = false;
    }

    QList<Press> m_presses;
    QTimer m_poll;
    QPointer<QWidget> m_last;
    bool m_pressing = false;
};

int deadPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

void click(QWidget *control)
{
    QTest::mouseMove(control);
    QTest::mouseClick(control, Qt::LeftButton);
}

QWidget *labelButton(QWidget *window, const QString &caption)
{
    for (auto *label : window->findChildren<QLabel *>())
        if (label->isVisible() && label->text() == caption)
            return label;
    return nullptr;
}

} // namespace

class TestBoxKeys : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> m_profile;
    WidgetDialogs m_boxes;
    DialogHandler *m_previous = nullptr;

private slots:
    void init()
    {
        m_profile = std::make_unique<TempProfile>();
        m_profile->createProgramKey();
        SaveSetting(QStringLiteral("Email"), QStringLiteral("jo@example.org"));
        SmtpClient::DefaultPort = deadPort(); // no mail goes anywhere
        m_previous = setDialogHandler(&m_boxes);
    }

    void cleanup()
    {
        setDialogHandler(m_previous);
        UnloadSupport();
        UnloadNews();
        UnloadEmail();
        delete summaryOptions();
        delete frmMain::instance();
        UnloadSplash();
        resetMain();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        SmtpClient::DefaultPort = 25;
        m_profile.reset();
    }

    void keyInBox_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("then"); // a second box the first one leads to ("" none)
        const auto row = [](const char *name, const char *window, const char *box, int key, const char *typed = "",
                            const char *then = "") {
            QTest::newRow(name) << QString::fromLatin1(window) << QString::fromLatin1(box) << key
                                << QString::fromLatin1(typed) << QString::fromLatin1(then);
        };
        // The request stays in the window when no server is given, and when
        // the mail could not go; only a sent request closes the window.
        row("support, mail server prompt, Escape", "support", "Mail Server", Qt::Key_Escape);
        row("support, mail server prompt, Enter", "support", "Mail Server", Qt::Key_Return, "127.0.0.1",
            "Your support request was not sent");
        row("support, not sent, Escape", "support sending", "Your support request was not sent", Qt::Key_Escape);
        row("support, not sent, Enter", "support sending", "Your support request was not sent", Qt::Key_Return);
        row("news reader, add group, Escape", "news add", "Add Group", Qt::Key_Escape);
        row("news reader, add group, Enter", "news add", "Add Group", Qt::Key_Return, "alt.boxes.test");
        row("news reader, load all groups, Escape", "news list", "Load All Groups?", Qt::Key_Escape);
        row("news reader, load all groups, Enter", "news list", "Load All Groups?", Qt::Key_Return);
        row("summary, no section, Escape", "summary", "You have to select at least one option.", Qt::Key_Escape);
        row("summary, no section, Enter", "summary", "You have to select at least one option.", Qt::Key_Return);
        row("mail, no server, Escape", "mail", "Please fill empty fileds", Qt::Key_Escape);
        row("mail, no server, Enter", "mail", "Please fill empty fileds", Qt::Key_Return);
        row("start, damaged files, Escape", "start damaged", "Damaged files", Qt::Key_Escape);
        row("start, damaged files, Enter", "start damaged", "Damaged files", Qt::Key_Return);
        row("start, lock file, Escape", "start lock", "Lock file", Qt::Key_Escape);
        row("start, lock file, Enter", "start lock", "Lock file", Qt::Key_Return);
    }

    void keyInBox()
    {
        QFETCH(QString, window);
        QFETCH(QString, box);
        QFETCH(int, key);
        QFETCH(QString, typed);
        QFETCH(QString, then);
        QList<Press> presses{{box, key, typed}};
        if (!then.isEmpty())
            presses << Press{then, Qt::Key_Return, QString()};

        QPointer<QWidget> shown;
        std::function<void()> check;
        if (window.startsWith(QLatin1String("support"))) {
            const bool stored = window == QLatin1String("support sending");
            SaveSetting(QStringLiteral("EmailServer"), stored ? QStringLiteral("127.0.0.1") : QString());
            ShowSupport(nullptr, 0);
            frmSupport *w = supportWindow();
            shown = w;
            QVERIFY(QTest::qWaitForWindowActive(w));
            w->chkError->setChecked(false);
            w->txtDesc->setFocus();
            QTest::keyClicks(w->txtDesc, QStringLiteral("Charts fail"));
            BoxKeys keys(presses);
            click(labelButton(w, QStringLiteral("Submit")));
            QTRY_COMPARE(keys.pending(), 0);
            QVERIFY2(keys.unmatched.size() <= 1, qPrintable(keys.unmatched.join(QLatin1Char('|'))));
            QCOMPARE(supportWindow(), w);
            QCOMPARE(w->txtDesc->toPlainText(), QStringLiteral("Charts fail"));
            QCOMPARE(QuerySetting(QStringLiteral("EmailServer")).toString(),
                     stored || !typed.isEmpty() ? QStringLiteral("127.0.0.1") : QString());
        } else if (window.startsWith(QLatin1String("news"))) {
            ShowNews(nullptr);
            News *w = newsWindow();
            shown = w;
            QVERIFY(QTest::qWaitForWindowActive(w));
            const QString status = w->StatusBar1->text();
            BoxKeys keys(presses);
            click(window == QLatin1String("news add") ? w->cmdAdd : w->cmdServerList);
            QTRY_COMPARE(keys.pending(), 0);
            QVERIFY(keys.unmatched.isEmpty());
            QCOMPARE(newsWindow(), w);
            if (typed.isEmpty()) {
                QCOMPARE(w->List1->count(), 0);
                QCOMPARE(w->StatusBar1->text(), status); // No is the answer: nothing asked of the server
            } else {
                QCOMPARE(w->List1->count(), 1);
                QCOMPARE(w->List1->item(0)->text(), typed);
            }
        } else if (window == QLatin1String("summary")) {
            ShowSummaryOpt(nullptr, QPoint(100, 400));
            SummaryOpt *w = summaryOptions();
            shown = w;
            QVERIFY(QTest::qWaitForWindowActive(w));
            for (QCheckBox *section : w->chk) {
                if (!section->isChecked())
                    continue;
                const QPoint box(section->height() / 2, section->height() / 2); // the tick box itself
                QTest::mouseMove(section, box);
                QTest::mouseClick(section, Qt::LeftButton, {}, box);
                QVERIFY(!section->isChecked());
            }
            BoxKeys keys(presses);
            click(w->cndGenerate);
            QTRY_COMPARE(keys.pending(), 0);
            QCOMPARE(summaryOptions(), w);
            QVERIFY(w->chk[0]->isChecked()); // ticked for the user
            QCOMPARE(QuerySetting(QStringLiteral("SummaryOpt")).toString(), QString());
        } else if (window.startsWith(QLatin1String("start"))) {
            SaveSetting(QStringLiteral("RunOnce"), 1);
            SaveSetting(QStringLiteral("Thanks"), 1);
            SaveSetting(QStringLiteral("SplashDelay"), 0);
            if (window == QLatin1String("start lock")) {
                QVERIFY(QDir(DataDir).mkpath(QStringLiteral("Brindlewick.lock"))); // a folder in its place
            } else {
                Sets[0].Symbol = QStringLiteral("STK0");
                QVERIFY(SaveStocks());
                QVERIFY(saveFileAtomically(setFilePath(0), readBinaryFile(setFilePath(0)).value().left(5)));
                resetStocks();
            }
            BoxKeys keys(presses);
            QVERIFY(Main()); // the box is answered, and the start goes on
            QCOMPARE(keys.pending(), 0);
            QVERIFY(keys.unmatched.isEmpty());
            shown = frmMain::instance();
        } else {
            frmEmail *w = ShowEmail(nullptr, 0);
            shown = w;
            QVERIFY(QTest::qWaitForWindowActive(w));
            w->txtServer->clear();
            w->txtBody->setFocus();
            QTest::keyClicks(w->txtBody, QStringLiteral("keep me"));
            BoxKeys keys(presses);
            click(w->cmdSend);
            QTRY_COMPARE(keys.pending(), 0);
            QCOMPARE(emailWindow(), w);
            QCOMPARE(w->txtBody->toPlainText(), QStringLiteral("keep me"));
        }
        // Nothing of the window was pulled away after the box: it is still
        // there when events have run, and takes the user's keys again.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QVERIFY(shown && shown->isVisible());
    }
};

QTEST_MAIN(TestBoxKeys)
#include "tst_boxkeys.moc"
