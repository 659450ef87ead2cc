#include "core/DataDir.h"
#include "core/ui/FormResize.h"
#include "core/ui/LineControl.h"
#include "platform/Latin1File.h"
#include "platform/ui/FlexGridView.h"
#include "support/TempProfile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

namespace {

template <typename W>
W *place(QWidget *parent, const char *name, const QRect &rect, const QString &tag = QString())
{
    auto *w = new W(parent);
    w->setObjectName(QLatin1String(name));
    w->setGeometry(rect);
    if (!tag.isNull())
        w->setProperty("Tag", tag);
    return w;
}

// A window of 600 x 400 pixels (9000 x 6000 twips) with one control of each kind.
struct TestForm
{
    QWidget form;
    LineControl *line = nullptr;

    TestForm()
    {
        form.resize(600, 400);
        place<QLineEdit>(&form, "text", {10, 20, 100, 22});
        place<QLabel>(&form, "labelW", {10, 50, 100, 20}, QStringLiteral("@W"));
        place<QLabel>(&form, "labelFrozen", {10, 80, 100, 20}, QStringLiteral("@"));
        place<QLabel>(&form, "labelWord", {10, 110, 100, 20}, QStringLiteral("caption"));
        place<QLabel>(&form, "labelLower", {10, 140, 100, 20}, QStringLiteral("@l,w"));
        auto *frame = place<QGroupBox>(&form, "frame", {300, 100, 200, 150});
        place<QCheckBox>(frame, "check", {10, 20, 80, 20});
        place<QPushButton>(frame, "button", {10, 60, 80, 24});
        line = new LineControl(&form);
        line->setObjectName(QStringLiteral("line"));
        line->setEnds(150, 1500, 3000, 1500);
        line->setProperty("Tag", QStringLiteral("@L,W"));
        place<QComboBox>(&form, "combo", {10, 300, 100, 24});
        place<FlexGridView>(&form, "grid", {300, 300, 200, 80}, QStringLiteral("@W,H"));
        place<QProgressBar>(&form, "progress", {10, 350, 100, 20});
    }

    QStringList layout() const
    {
        QStringList out;
        for (const char *name : {"text", "labelW", "labelFrozen", "labelWord", "labelLower", "frame", "check",
                                 "button", "combo", "grid", "progress"}) {
            const QRect r = form.findChild<QWidget *>(QLatin1String(name))->geometry();
            out << QStringLiteral("%1 %2,%3,%4,%5").arg(QLatin1String(name)).arg(r.x()).arg(r.y()).arg(r.width()).arg(
                       r.height());
        }
        out << QStringLiteral("line %1,%2-%3,%4").arg(line->X1()).arg(line->Y1()).arg(line->X2()).arg(line->Y2());
        return out;
    }
};

const QStringList Designed = {
    "text 10,20,100,22",   "labelW 10,50,100,20",  "labelFrozen 10,80,100,20", "labelWord 10,110,100,20",
    "labelLower 10,140,100,20", "frame 300,100,200,150", "check 10,20,80,20", "button 10,60,80,24",
    "combo 10,300,100,24", "grid 300,300,200,80", "progress 10,350,100,20", "line 150,1500-3000,1500",
};

} // namespace

class TestFormResize : public QObject
{
    Q_OBJECT

private slots:
    void controlsFollowTheWindow_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("twice as wide") << QSize(1200, 400)
                                       << QStringList{"text 20,20,200,22",
                                                      "labelW 10,50,200,20",
                                                      "labelFrozen 10,80,100,20",
                                                      "labelWord 20,110,200,20",
                                                      "labelLower 20,140,200,20",
                                                      "frame 600,100,400,150",
                                                      "check 10,20,80,20",
                                                      "button 20,60,160,24",
                                                      "combo 20,300,200,24",
                                                      "grid 300,300,400,80",
                                                      "progress 10,350,100,20",
                                                      "line 300,1500-6000,1500"};
        QTest::newRow("twice as large") << QSize(1200, 800)
                                        << QStringList{"text 20,40,200,44",
                                                       "labelW 10,50,200,20",
                                                       "labelFrozen 10,80,100,20",
                                                       "labelWord 20,220,200,40",
                                                       "labelLower 20,140,200,20",
                                                       "frame 600,200,400,300",
                                                       "check 10,20,80,20",
                                                       "button 20,120,160,48",
                                                       "combo 20,600,200,24",
                                                       "grid 300,300,400,160",
                                                       "progress 10,350,100,20",
                                                       "line 300,1500-6000,1500"};
        QTest::newRow("half as high") << QSize(600, 200)
                                      << QStringList{"text 10,10,100,11",
                                                     "labelW 10,50,100,20",
                                                     "labelFrozen 10,80,100,20",
                                                     "labelWord 10,55,100,10",
                                                     "labelLower 10,140,100,20",
                                                     "frame 300,50,200,75",
                                                     "check 10,20,80,20",
                                                     "button 10,30,80,12",
                                                     "combo 10,150,100,24",
                                                     "grid 300,300,200,40",
                                                     "progress 10,350,100,20",
                                                     "line 150,1500-3000,1500"};
    }

    void controlsFollowTheWindow()
    {
        QFETCH(QSize, size);
        QFETCH(QStringList, expected);
        TestForm t;
        // The first call only records, whatever the size by then.
        {
            clsFormResize first;
            first.setSourceForm(&t.form);
            t.form.resize(size);
            first.ScaleControls();
            QCOMPARE(t.layout(), Designed);
            t.form.resize(600, 400);
        }
        clsFormResize resizer;
        resizer.setSourceForm(&t.form);
        QCOMPARE(resizer.SourceForm(), &t.form);
        resizer.ScaleControls();

        t.form.resize(size);
        resizer.ScaleControls();
        QCOMPARE(t.layout(), expected);

        // Scaling starts from the recorded layout each time: back to the old
        // size gives the designed layout exactly.
        t.form.resize(777, 333);
        resizer.ScaleControls();
        t.form.resize(600, 400);
        resizer.ScaleControls();
        QCOMPARE(t.layout(), Designed);
    }

    void minimisedWindowIsLeftAlone()
    {
        TestForm t;
        clsFormResize resizer;
        resizer.setSourceForm(&t.form);
        resizer.ScaleControls();
        t.form.setWindowState(Qt::WindowMinimized);
        t.form.resize(1200, 400);
        resizer.ScaleControls();
        QCOMPARE(t.layout(), Designed);
        t.form.setWindowState(Qt::WindowNoState);
        resizer.ScaleControls();
        QCOMPARE(t.layout().first(), QStringLiteral("text 20,20,200,22"));
    }

    void reInitializeMakesTheLayoutTheNewBase()
    {
        TestForm t;
        clsFormResize resizer;
        resizer.setSourceForm(&t.form);
        resizer.ReInitialize();
        t.form.findChild<QLineEdit *>(QStringLiteral("text"))->setGeometry(30, 20, 100, 22);
        t.form.resize(1200, 400);
        resizer.ScaleControls();
        QCOMPARE(t.layout().first(), QStringLiteral("text 20,20,200,22"));
        t.form.resize(600, 400);
        resizer.ScaleControls();
        resizer.ReInitialize();
        t.form.resize(1200, 400);
        resizer.ScaleControls();
        QCOMPARE(t.layout().first(), QStringLiteral("text 20,20,200,22"));
    }

    void aLostControlIsLoggedAndTheOthersGoOn()
    {
        TempProfile profile;
        TestForm t;
        clsFormResize resizer;
        resizer.setSourceForm(&t.form);
        resizer.ScaleControls();
        delete t.form.findChild<QLineEdit *>(QStringLiteral("text"));
        // A window drag scales many times: the loss is logged once.
        for (int width : {1200, 1100, 1000, 1200}) {
            t.form.resize(width, 400);
            resizer.ScaleControls();
        }
        QCOMPARE(t.form.findChild<QLabel *>(QStringLiteral("labelW"))->width(), 200);
        const auto log = readLatin1File(DataDir + QStringLiteral("/ErrorLog.txt"));
        QVERIFY(log);
        QCOMPARE(log->count(QStringLiteral("Where: clsFormResize_ScaleControls")), 1);
        QVERIFY(log->contains(QStringLiteral("Number:        424")));
    }
};

QTEST_MAIN(TestFormResize)
#include "tst_formresize.moc"
