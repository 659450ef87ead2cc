#include "core/DataDir.h"
#include "core/ui/DimScreen.h"
#include "core/ui/WindowEffects.h"
#include "platform/ui/PictureBox.h"
#include "support/TempProfile.h"

#include <QFile>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

namespace {

QString errorLog()
{
    QFile f(DataDir + QStringLiteral("/ErrorLog.txt"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
}

// Records the outer heights (frame included) a window passes through.
class HeightRecorder : public QObject
{
public:
    QList<int> heights;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            heights << static_cast<QWidget *>(watched)->frameGeometry().height();
        return false;
    }
};

// A shown window whose outer size (frame included) is size.
std::unique_ptr<QWidget> outerWindow(const QString &name, QPoint at, QSize size)
{
    auto w = std::make_unique<QWidget>();
    w->setObjectName(name);
    w->move(at);
    w->resize(size);
    w->show();
    const QSize frame = w->frameGeometry().size() - w->size();
    w->resize(size - frame);
    return w;
}

} // namespace

class TestWindowEffects : public QObject
{
    Q_OBJECT

private slots:
    void rollShrinksInEqualSteps_data()
    {
        QTest::addColumn<int>("height"); // outer pixels: 15 twips each
        QTest::addColumn<int>("steps");
        QTest::addColumn<QList<int>>("heights");
        QList<int> by8;
        for (int h = 192; h >= 8; h -= 8)
            by8 << h;
        // 3000 twips in 25 steps: 24 moves of 120 twips, down to 120.
        QTest::newRow("3000 twips, 25 steps") << 200 << 25 << by8;
        QTest::newRow("3000 twips, 10 steps")
            << 200 << 10 << QList<int>{180, 160, 140, 120, 100, 80, 60, 40, 20};
        QTest::newRow("one step moves nothing") << 200 << 1 << QList<int>();
        QTest::newRow("negative steps move nothing") << 200 << -3 << QList<int>();
    }

    void rollShrinksInEqualSteps()
    {
        QFETCH(int, height);
        QFETCH(int, steps);
        QFETCH(QList<int>, heights);
        TempProfile profile;
        auto w = outerWindow(QStringLiteral("Zoom"), QPoint(40, 60), QSize(300, height));
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QCOMPARE(w->frameGeometry().height(), height);
        const QRect start = w->frameGeometry();
        HeightRecorder rec;
        w->installEventFilter(&rec);
        RollWindow(w.get(), short(steps));
        QCOMPARE(rec.heights, heights);
        QCOMPARE(w->frameGeometry().topLeft(), start.topLeft()); // the top edge stays
        QCOMPARE(w->frameGeometry().width(), start.width());
        QVERIFY(errorLog().isEmpty());
    }

    void rollLeavesMaximisedAndLogsZeroSteps()
    {
        TempProfile profile;
        auto w = outerWindow(QStringLiteral("Zoom"), QPoint(40, 60), QSize(300, 200));
        HeightRecorder rec;
        w->installEventFilter(&rec);
        RollWindow(w.get(), 0);
        QVERIFY(rec.heights.isEmpty());
        QVERIFY(errorLog().contains(QStringLiteral("Where: Misc_RollWindow")));

        w->showMaximized();
        QVERIFY(w->isMaximized());
        QTest::qWait(10);
        rec.heights.clear();
        RollWindow(w.get(), 25);
        QVERIFY(rec.heights.isEmpty());
    }

    void tilesRowsOfFive_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<QPoint>>("places");
        // Mini windows 120 x 33 pixels (1800 x 495 twips); ticker top 800
        // twips: rows at 1500, 1950, 2400 twips = 100, 130, 160 pixels.
        QTest::newRow("one") << 1 << QList<QPoint>{{0, 100}};
        QTest::newRow("five") << 5 << QList<QPoint>{{0, 100}, {120, 100}, {240, 100}, {360, 100}, {480, 100}};
        QTest::newRow("six") << 6
                             << QList<QPoint>{{0, 100}, {120, 100}, {240, 100}, {360, 100}, {480, 100}, {0, 130}};
    }

    void tilesRowsOfFive()
    {
        QFETCH(int, count);
        QFETCH(QList<QPoint>, places);
        std::vector<std::unique_ptr<QWidget>> minis;
        QList<QWidget *> open;
        for (int i = 0; i < count; ++i) {
            minis.push_back(outerWindow(i % 2 ? QStringLiteral("Properties") : QStringLiteral("Zoom"),
                                        QPoint(700, 500 + i), QSize(120, 33)));
            open << minis.back().get();
        }
        TileMiniWindows(open.last(), 800, open);
        for (int i = 0; i < count; ++i)
            QCOMPARE(minis[i]->pos(), places[i]);
    }

    void tilesOnlyMiniZoomAndPropertyWindows()
    {
        auto main = outerWindow(QStringLiteral("frmMain"), QPoint(300, 300), QSize(150, 100));
        auto first = outerWindow(QStringLiteral("Zoom"), QPoint(700, 500), QSize(120, 33));
        auto wide = outerWindow(QStringLiteral("Zoom"), QPoint(650, 450), QSize(200, 80)); // 3000 twips
        auto other = outerWindow(QStringLiteral("Options"), QPoint(600, 400), QSize(100, 30));
        auto hidden = outerWindow(QStringLiteral("Zoom"), QPoint(710, 510), QSize(120, 33));
        hidden->hide();
        auto second = outerWindow(QStringLiteral("Properties"), QPoint(720, 520), QSize(110, 33));

        // The main window reports its ticker; the list is the order of showing.
        setTickerTopSource([] { return 800; });
        const QList<QWidget *> shown = OpenWindows();
        QVERIFY(shown.indexOf(first.get()) < shown.indexOf(wide.get()));
        QVERIFY(shown.indexOf(wide.get()) < shown.indexOf(second.get()));
        TileMiniWindows(second.get());
        setTickerTopSource(nullptr);

        QCOMPARE(first->pos(), QPoint(0, 100));
        // The second tile abuts the first, not the wide window in between.
        QCOMPARE(second->pos(), QPoint(120, 100));
        QCOMPARE(wide->pos(), QPoint(650, 450));
        QCOMPARE(other->pos(), QPoint(600, 400));
        QCOMPARE(main->pos(), QPoint(300, 300));
        QCOMPARE(hidden->pos(), QPoint(710, 510));
    }

    void thirtySixthMiniWindowStays()
    {
        std::vector<std::unique_ptr<QWidget>> minis;
        QList<QWidget *> open;
        for (int i = 0; i < 36; ++i) {
            minis.push_back(outerWindow(QStringLiteral("Zoom"), QPoint(700, 500), QSize(120, 33)));
            open << minis.back().get();
        }
        TileMiniWindows(open.first(), 800, open);
        // Tile 35 (the seventh row's last): 1500 + 6 x 450 = 4200 twips.
        QCOMPARE(minis[34]->pos(), QPoint(480, 280));
        QCOMPARE(minis[30]->pos(), QPoint(0, 280));
        QCOMPARE(minis[35]->pos(), QPoint(700, 500));
    }

    void dimShowsACheckerboardAndFreezesPanes()
    {
        QWidget main;
        main.setObjectName(QStringLiteral("frmMain"));
        main.resize(200, 150);
        QPalette pal = main.palette();
        pal.setColor(QPalette::Window, QColor(0xc0c0c0));
        main.setPalette(pal);
        auto *pic = new PictureBox(&main);
        pic->setGeometry(10, 10, 80, 60);
        pic->setBackColor(Qt::blue);
        auto *tree = new QTreeWidget(&main);
        tree->setGeometry(100, 10, 90, 130);
        auto *grid = new QTreeWidget(&main); // a pane its owner keeps frozen
        grid->setGeometry(10, 80, 80, 60);
        grid->setUpdatesEnabled(false);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        const QImage before = main.grab().toImage();

        for (int round = 0; round < 2; ++round) { // two exit attempts answered No
            DimForm(&main);
            DimForm(&main); // already dimmed: nothing more
            QVERIFY(isDimmed());
            QCOMPARE(main.findChildren<DimOverlay *>().size(), 1);
            QCOMPARE(QSize(DimWidth, DimHeight), QSize(200, 150));
            QVERIFY(!pic->updatesEnabled());
            QVERIFY(!tree->updatesEnabled());

            // Live changes do not show through while dimmed.
            pic->setBackColor(round ? Qt::blue : Qt::red);
            const QImage dimmed = main.grab().toImage();
            for (int y = 0; y < 150; y += 7) {
                for (int x = 0; x < 200; x += 3) {
                    if ((x + y) % 2)
                        QCOMPARE(dimmed.pixelColor(x, y), QColor(Qt::black));
                    else
                        QCOMPARE(dimmed.pixel(x, y), before.pixel(x, y));
                }
            }
            ResetScreen(&main);
            QVERIFY(!isDimmed());
            QVERIFY(DimBitmap.isNull());
            QVERIFY(main.findChildren<DimOverlay *>().isEmpty());
            QVERIFY(pic->updatesEnabled());
            QVERIFY(tree->updatesEnabled());
            QVERIFY(!grid->updatesEnabled());
            pic->setBackColor(Qt::blue);
        }
        QCOMPARE(main.grab().toImage(), before);

        // With no dimming in force ResetScreen only repaints.
        ResetScreen(&main);
        QVERIFY(!grid->updatesEnabled());
        QCOMPARE(main.grab().toImage(), before);
        DimForm(nullptr);
        QVERIFY(!isDimmed());
    }
};

QTEST_MAIN(TestWindowEffects)
#include "tst_windoweffects.moc"
