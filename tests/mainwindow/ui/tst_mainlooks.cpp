// What the user sees of the main window: the label bar's colours and
// tooltips, the smallest size it can be given, the grid's columns after a
// resize, and the settings form's place and number display, reached with
// the mouse.
#include "FreshMainWindow.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "mainwindow/ui/frmMain.h"
#include "platform/FlexGrid.h"
#include "platform/Twips.h"
#include "platform/ui/FlexGridView.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/TreeView.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/ui/Options.h"
#include "sheets/ColLayout.h"
#include "support/TempProfile.h"
#include "support/TreeClicks.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

#include <functional>

namespace {

// Where a label's caption is drawn, in the window's coordinates.
QRect captionRect(const QLabel *label)
{
    const QSize text = label->fontMetrics().size(Qt::TextSingleLine, label->text());
    const QRect inLabel = QStyle::alignedRect(label->layoutDirection(), label->alignment(), text, label->contentsRect());
    return QRect(label->mapTo(label->window(), inLabel.topLeft()), inLabel.size());
}

QRect inWindow(const QWidget *w)
{
    return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size());
}

// Where an arrow's picture is drawn (its box has no ground of its own).
QRect arrowDrawn(const PictureBox *arrow)
{
    return arrow->drawnPictureRect().translated(inWindow(arrow).topLeft());
}

// Runs `act` on the settings form once it is up as the modal window.
void whenOptionsOpen(std::function<void(Options *)> act)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (auto *form = qobject_cast<Options *>(QApplication::activeModalWidget()); form && form->isVisible()) {
            poll->stop();
            poll->deleteLater();
            act(form);
        }
    });
    poll->start(20);
}

void click(QWidget *w)
{
    QTest::mouseMove(w);
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// A click on a check box's square (the pointer over the box first: the
// form colours the caption under it).
void tick(QCheckBox *box)
{
    QTest::mouseMove(box);
    QStyleOptionButton option;
    option.initFrom(box);
    const QPoint at = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center();
    QTest::mouseMove(box, at);
    QTest::mouseClick(box, Qt::LeftButton, {}, at);
}

} // namespace

class TestMainLooks : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> m_profile;
    frmMain *w = nullptr;

    // A left click on a node of the tree, its branch opened first.
    void clickNode(const char *key)
    {
        const int index = w->TreeView1->Nodes().find(QLatin1String(key));
        QVERIFY2(index, key);
        clickNode(index);
    }
    void clickNode(int index) { clickTreeNode(w->TreeView1, index); }

    // Clicks the toolbar's "Setting" button; `act` runs in the form.
    void openSettings(std::function<void(Options *)> act)
    {
        bool acted = false;
        whenOptionsOpen([&](Options *form) {
            act(form);
            acted = true;
        });
        click(w->Picture1[6]);
        QTRY_VERIFY(acted);
        QTRY_VERIFY(!optionsWindow() || !optionsWindow()->isVisible());
    }

private slots:
    void init()
    {
        m_profile = freshMainWindowProfile();
        resetStocks();
        Sets[0].Symbol = QStringLiteral("ACME");
        Sets[0].Name = QStringLiteral("Acme Corp");
        Sets[0].LastSale = QStringLiteral("12 1/4");
        Sets[0].Change = QStringLiteral("+1/4");
        Sets[0].PctChange = QStringLiteral("+2.1%");
        Sets[0].Volume = QStringLiteral("1234500");
        Sets[0].Rating = 2;
        Sets[1].Symbol = QStringLiteral("BOLT");
        Sets[1].Name = QStringLiteral("Bolt Industries");
        Sets[1].Rating = 4;
        SaveStocks();
        resetStocks();
        frmMain::Show();
        w = frmMain::instance();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }

    void cleanup()
    {
        delete frmMain::instance();
        UnloadOptions();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_profile.reset();
    }

    // Each label tells what it does when the pointer rests on it; white on
    // black, black on green while pressed.
    void labelBar()
    {
        const QStringList tips = {"Click here to begin (Alt S or F3)", "Double click to modify (Alt G or F2)",
                                  "Chat With Other Person (Alt H)",
                                  "Get up-to-date with Brindlewick analysts Free Tip (Alt A)",
                                  "Generate Stock Summary Report (Alt M)", "Generate and Export Reports (Alt R)",
                                  "Status", "Tasks"};
        for (int i = 0; i < 8; ++i) {
            QTest::mouseMove(w->Panel1[i]);
            QTRY_COMPARE_WITH_TIMEOUT(QToolTip::text(), tips[i], 5000);
        }

        const auto colours = [](QWidget *label) {
            const QImage face = label->grab().toImage();
            QSet<QRgb> seen;
            for (int y = 0; y < face.height(); ++y)
                for (int x = 0; x < face.width(); ++x)
                    seen.insert(face.pixel(x, y) & 0xffffff);
            return seen;
        };
        QVERIFY(colours(w->Panel1[4]).contains(0x000000));
        QVERIFY(colours(w->Panel1[4]).contains(0xffffff));
        QTest::mousePress(w->Panel1[4], Qt::LeftButton, {}, w->Panel1[4]->rect().center());
        QVERIFY(colours(w->Panel1[4]).contains(0x00ff00));
        QVERIFY(!colours(w->Panel1[4]).contains(0xffffff));
        QTest::mouseRelease(w->Panel1[4], Qt::LeftButton, {}, QPoint(-5, -5));
        QVERIFY(!colours(w->Panel1[4]).contains(0x00ff00));
    }

    // At the smallest size the window takes, every fixed caption is whole,
    // none runs into another or into a picture (the gauges, the arrows, the
    // toolbar's buttons).
    void smallestSizeKeepsCaptionsApart()
    {
        clickNode("ID0");
        w->resize(1, 1);
        QTRY_VERIFY(w->width() > 1);
        QVERIFY(w->width() < Twips::toPixelsX(9480, w) && w->height() < Twips::toPixelsY(6375, w));

        QList<const QLabel *> captions;
        for (const QLabel *label : w->findChildren<QLabel *>())
            if (label->isVisibleTo(w) && !label->text().trimmed().isEmpty() && label != w->Panel1[6] &&
                label != w->Panel1[7])
                captions << label;
        QVERIFY(captions.size() >= 5 + 6 + 7 + 2);
        QList<std::pair<QString, QRect>> pictures = {{QStringLiteral("ImgUp"), arrowDrawn(w->ImgUp)},
                                                      {QStringLiteral("ImgDn"), arrowDrawn(w->ImgDn)}};
        for (const PictureBox *p : w->img)
            if (p->isVisibleTo(w))
                pictures.append({p->objectName(), inWindow(p)});
        for (const PictureBox *p : w->Picture1)
            pictures.append({p->objectName(), inWindow(p)});
        for (const QLabel *a : captions) {
            const QRect text = captionRect(a);
            QVERIFY2(inWindow(a).contains(text), qPrintable(a->text() + QStringLiteral(" is cut")));
            for (const QLabel *b : captions)
                QVERIFY2(a == b || !text.intersects(captionRect(b)), qPrintable(a->text() + QStringLiteral(" / ") + b->text()));
            for (const auto &[name, drawn] : pictures)
                QVERIFY2(!text.intersects(drawn), qPrintable(a->text() + QStringLiteral(" / ") + name));
        }
    }

    // The price sheet's columns widen with the window at once.
    void gridColumnsFollowAResize()
    {
        clickNode("ID0");
        QCOMPARE(CurType, QStringLiteral("Current"));
        const int before = w->FG->cellRect(2, 1).width();
        const int gridBefore = w->FG->width();
        w->resize(w->width() * 3 / 2, w->height());
        QTRY_VERIFY(w->FG->width() > gridBefore);
        const double expected = double(before) * w->FG->width() / gridBefore;
        QVERIFY2(qAbs(w->FG->cellRect(2, 1).width() - expected) <= 2,
                 qPrintable(QStringLiteral("%1 for %2").arg(w->FG->cellRect(2, 1).width()).arg(expected)));
    }

    // From a main window at the screen's left edge the settings form opens
    // centred on it below the ticker as far as the screen allows, whole.
    void settingsFormOpensOnScreen()
    {
        const QRect screen = w->screen()->availableGeometry();
        w->move(screen.topLeft());
        QTRY_COMPARE(w->pos(), screen.topLeft());
        QRect frame;
        openSettings([&](Options *form) {
            frame = form->frameGeometry();
            click(form->cmd_cancel);
        });
        QVERIFY2(screen.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(frame.x()).arg(frame.y())
                                                        .arg(frame.width()).arg(frame.height())));
        const QPoint client = w->mapToGlobal(QPoint(0, 0));
        // Within the width of a window frame of where the rule puts it.
        const int left = qMax(screen.left(), client.x() + (w->width() - frame.width()) / 2);
        const int top = qMin(client.y() + Twips::toPixelsY(Twips::fromPixelsY(w->NewsTicker1->y(), w) + 700, w),
                             screen.bottom() + 1 - frame.height());
        QVERIFY2(qAbs(frame.left() - left) <= 8 && qAbs(frame.top() - top) <= 8,
                 qPrintable(QStringLiteral("%1,%2 for %3,%4").arg(frame.left()).arg(frame.top()).arg(left).arg(top)));
    }

    // "Display as fractions" and "Volume in 100's" do what they say, ticked
    // by default before the settings were ever stored; OK without a change
    // changes nothing on screen.
    void numberDisplayFollowsTheBoxes()
    {
        clickNode("ID0");
        FlexGrid *g = w->FGModel;
        const auto lastSale = [g] { return g->TextMatrix(2, 2); };
        const auto volume = [g] { return g->TextMatrix(2, 5); };
        QCOMPARE(lastSale(), QStringLiteral("12 1/4"));
        QCOMPARE(volume(), QStringLiteral("12,345"));
        // A stock without a quote shows no price at all.
        QCOMPARE(g->TextMatrix(3, 1), QStringLiteral("Bolt Industries"));
        QCOMPARE(g->TextMatrix(3, 2), QString());

        openSettings([](Options *form) { click(form->cmd_OK); });
        clickNode(1);
        QCOMPARE(lastSale(), QStringLiteral("12 1/4"));
        QCOMPARE(volume(), QStringLiteral("12,345"));

        openSettings([](Options *form) {
            click(form->lblNav[6]);
            QVERIFY(form->ChkNumeric[0]->isChecked() && form->ChkNumeric[1]->isChecked());
            tick(form->ChkNumeric[0]);
            tick(form->ChkNumeric[1]);
            click(form->cmd_OK);
        });
        clickNode(1); // the set's own node draws the sheet again
        QCOMPARE(lastSale(), QStringLiteral("12.25"));
        QCOMPARE(volume(), QStringLiteral("1,234,500"));
        QCOMPARE(g->TextMatrix(3, 2), QString());
    }

    // The number display chosen under Setting shows at once on the sheet in
    // the grid, a rise keeping its "+" in decimals; opening the form and
    // leaving it with OK does not start the auto-update's minute again.
    void settingsApplyAtOnceAndKeepTheCountdown()
    {
        clickNode("ID0");
        FlexGrid *g = w->FGModel;
        QCOMPARE(g->TextMatrix(2, 3), QStringLiteral("+1/4"));
        // An update every 30 minutes, its long minute well under way before
        // the form opens.
        SaveSetting(QStringLiteral("AutoUpdate"), 30);
        UpdateInterval = 30;
        w->Timer1->start(100000000);
        QTest::qWait(1000);
        const int before = w->Timer1->remainingTime();
        openSettings([](Options *form) { click(form->cmd_OK); });
        QVERIFY(w->Timer1->isActive());
        QVERIFY2(w->Timer1->remainingTime() <= before,
                 qPrintable(QStringLiteral("%1 after, %2 before").arg(w->Timer1->remainingTime()).arg(before)));

        openSettings([](Options *form) {
            click(form->lblNav[6]);
            tick(form->ChkNumeric[0]);
            click(form->cmd_OK);
        });
        QCOMPARE(g->TextMatrix(2, 2), QStringLiteral("12.25"));
        QCOMPARE(g->TextMatrix(2, 3), QStringLiteral("+0.25"));
        openSettings([](Options *form) {
            click(form->lblNav[6]);
            tick(form->ChkNumeric[0]);
            click(form->cmd_OK);
        });
        QCOMPARE(g->TextMatrix(2, 2), QStringLiteral("12 1/4"));
    }
};

QTEST_MAIN(TestMainLooks)
#include "tst_mainlooks.moc"
