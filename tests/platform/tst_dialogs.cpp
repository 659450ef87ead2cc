#include "platform/Dialogs.h"
#include "platform/ui/WidgetDialogs.h"

#include <QApplication>
#include <functional>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {
// Presses a button of the next modal message box, or cancels the next input box.
void pressWhenShown(std::function<void(QWidget *)> press)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, press] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            press(w);
        }
    });
    timer->start(20);
}
} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void withoutHandlerTheDefaultButtonAnswers()
    {
        setDialogHandler(nullptr);
        QCOMPARE(MsgBox(QStringLiteral("x"), Msg::YesNo), int(Msg::Yes));
        QCOMPARE(MsgBox(QStringLiteral("x"), Msg::YesNo + Msg::DefaultButton2), int(Msg::No));
        QCOMPARE(MsgBox(QStringLiteral("x"), Msg::OKCancel + Msg::Information), int(Msg::OK));
        QCOMPARE(MsgBox(QStringLiteral("x")), int(Msg::OK));
        QCOMPARE(InputBox(QStringLiteral("x"), QString(), QStringLiteral("d")), QString());
    }

    void widgetBoxesAnswerWithTheirButtons()
    {
        WidgetDialogs dialogs;
        setDialogHandler(&dialogs);
        QString seenTitle, seenText;
        pressWhenShown([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            QVERIFY(box);
            seenTitle = box->windowTitle();
            seenText = box->text();
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(MsgBox(QStringLiteral("Do you wish to connect now?"), Msg::YesNo + Msg::Question,
                        QStringLiteral("Connect")),
                 int(Msg::No));
        QCOMPARE(seenTitle, QStringLiteral("Connect"));
        QCOMPARE(seenText, QStringLiteral("Do you wish to connect now?"));

        pressWhenShown([](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            QVERIFY(box);
            box->button(QMessageBox::Cancel)->click();
        });
        QCOMPARE(MsgBox(QStringLiteral("x"), Msg::OKCancel), int(Msg::Cancel));

        pressWhenShown([](QWidget *w) {
            auto *input = qobject_cast<QInputDialog *>(w);
            QVERIFY(input);
            input->setTextValue(QStringLiteral("Tech stocks"));
            input->accept();
        });
        QCOMPARE(InputBox(QStringLiteral("Name"), QStringLiteral("Set"), QStringLiteral("Group1")),
                 QStringLiteral("Tech stocks"));

        pressWhenShown([](QWidget *w) { qobject_cast<QDialog *>(w)->reject(); });
        QCOMPARE(InputBox(QStringLiteral("Name"), QStringLiteral("Set"), QStringLiteral("Group1")), QString());
        setDialogHandler(nullptr);
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
