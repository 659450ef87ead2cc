#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/ui/BarSkin.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/ResourcePictures.h"
#include "support/TempProfile.h"

#include <QFile>
#include <QtTest>
#include <memory>

namespace {

QString errorLog()
{
    QFile f(DataDir + QStringLiteral("/ErrorLog.txt"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
}

// The seven gauge boxes, 4575 x 315 twips, measured in pixels.
struct Gauges
{
    std::vector<std::unique_ptr<PictureBox>> boxes;
    QList<PictureBox *> img;
    Gauges()
    {
        for (int i = 0; i < 7; ++i) {
            boxes.push_back(std::make_unique<PictureBox>());
            boxes.back()->setScaleMode(PictureBox::Pixels);
            boxes.back()->resize(305, 21);
            img << boxes.back().get();
        }
    }
};

bool same(const QPixmap &a, const QPixmap &b)
{
    return !a.isNull() && a.toImage() == b.toImage();
}

} // namespace

class TestBarSkin : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        resetBarSkin();
        resetBitBltModule();
    }

    void settingChoosesThePair_data()
    {
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QString>("picBar");
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("missing") << false << QString() << "NeonBlue" << "NeonBlueB";
        QTest::newRow("stored empty") << true << QString() << "NeonBlue" << "NeonBlueB";
        const char *pairs[][2] = {{"NeonBlue", "NeonBlueB"},         {"NeonGreen", "NeonGreenB"},
                                  {"NeonRed", "NeonRedB"},           {"GoldMetal", "GoldMetalB"},
                                  {"GreenMetal", "GreenMetalB"},     {"GlassBlue", "GlassBlueB"},
                                  {"GlassGreen", "GlassGreenB"},     {"GlassRed", "GlassRedB"},
                                  {"PlasticBlue", "PlasticBlueB"},   {"PlasticGreen", "PlasticGreenB"},
                                  {"PlasticViolet", "PlasticVioletB"}};
        for (int i = 0; i <= 10; ++i)
            QTest::newRow(qPrintable(QString::number(i))) << true << QString::number(i) << pairs[i][0] << pairs[i][1];
        QTest::newRow("blanks around") << true << QStringLiteral(" 4 ") << "GreenMetal" << "GreenMetalB";
        QTest::newRow("11 at start") << true << QStringLiteral("11") << "GlassBlue" << "GlassBlueb";
        QTest::newRow("-1 at start") << true << QStringLiteral("-1") << "GlassBlue" << "GlassBlueb";
        QTest::newRow("2.5 at start") << true << QStringLiteral("2.5") << "GlassBlue" << "GlassBlueb";
        QTest::newRow("garbage at start") << true << QStringLiteral("Neon") << "GlassBlue" << "GlassBlueb";
    }

    void settingChoosesThePair()
    {
        QFETCH(bool, stored);
        QFETCH(QString, picBar);
        QFETCH(QString, face);
        QFETCH(QString, pressed);
        TempProfile profile;
        profile.createProgramKey();
        if (stored)
            SaveSetting(QStringLiteral("PicBar"), picBar);
        Gauges g;
        LoadBarSkin(g.img);
        QCOMPARE(SkinFace, face);
        QCOMPARE(SkinPressed, pressed);
        for (PictureBox *box : g.img)
            QVERIFY(same(box->picture(), LoadResPicture(face)));
        QVERIFY(same(memSurface(SkinDC), LoadResPicture(pressed)));
        QVERIFY(errorLog().isEmpty());
    }

    void laterBadValueKeepsTheSkin()
    {
        TempProfile profile;
        profile.createProgramKey();
        Gauges g;
        SaveSetting(QStringLiteral("PicBar"), QStringLiteral("3"));
        LoadBarSkin(g.img);
        for (const char *bad : {"11", "abc"}) {
            SaveSetting(QStringLiteral("PicBar"), QString::fromLatin1(bad));
            LoadBarSkin(g.img);
            QCOMPARE(SkinFace, QStringLiteral("GoldMetal"));
            QCOMPARE(SkinPressed, QStringLiteral("GoldMetalB"));
            QVERIFY(same(g.img[6]->picture(), LoadResPicture(QStringLiteral("GoldMetal"))));
        }
    }

    void everyLoadMakesASurfaceFreedAtExit()
    {
        TempProfile profile;
        profile.createProgramKey();
        Gauges g;
        LoadBarSkin(g.img);
        for (const char *v : {"1", "7", "10"}) {
            SaveSetting(QStringLiteral("PicBar"), QString::fromLatin1(v));
            LoadBarSkin(g.img);
        }
        QCOMPARE(MemDCCount, short(4));
        QCOMPARE(SkinDC, 4);
        for (MemHdc h = 1; h <= 4; ++h)
            QVERIFY(!memSurface(h).isNull());
        QVERIFY(same(memSurface(1), LoadResPicture(QStringLiteral("NeonBlueB"))));
        DestroyHdcs();
        for (MemHdc h = 1; h <= 4; ++h)
            QVERIFY(memSurface(h).isNull());
        QCOMPARE(MemDCCount, short(4));
    }

    void surfacesAndMarkerCopy()
    {
        TempProfile profile;
        // A size of 0 gives no surface but uses up a number.
        QCOMPARE(CreateMemHdc(0, 10), 0);
        QCOMPARE(CreateMemHdc(10, -1), 0);
        QCOMPARE(MemDCCount, short(2));
        const MemHdc h = CreateMemHdc(30, 12);
        QCOMPARE(h, 3);
        QCOMPARE(memSurface(h).size(), QSize(30, 12));

        // An unknown picture is logged and leaves the surface as it was.
        LoadBmpToHdc(h, QStringLiteral("NoSuchSkin"));
        QVERIFY(errorLog().contains(QStringLiteral("Where: BitBlt_LoadBmpToHdc")));
        QCOMPARE(memSurface(h).size(), QSize(30, 12));
        LoadBmpToHdc(0, QStringLiteral("NeonRedB")); // no surface: nothing to fill
        QVERIFY(memSurface(0).isNull());

        // The gauge marker: the 8 x 10 block at the surface's top-left corner
        // copied to column x of the box's top edge.
        LoadBmpToHdc(h, QStringLiteral("neonredb"));
        PictureBox box;
        box.resize(305, 21);
        box.setPicture(LoadResPicture(QStringLiteral("NeonRed")));
        BitBlt(&box, 146, 0, 8, 10, h, 0, 0);
        const QImage shot = box.grab().toImage();
        const QImage pressed = LoadResPicture(QStringLiteral("NeonRedB")).toImage();
        const QImage face = LoadResPicture(QStringLiteral("NeonRed")).toImage();
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 8; ++x)
                QCOMPARE(shot.pixel(146 + x, y), pressed.pixel(x, y));
        QCOMPARE(shot.pixel(154, 0), face.pixel(154, 0));
        QCOMPARE(shot.pixel(146, 10), face.pixel(146, 10));
    }
};

QTEST_MAIN(TestBarSkin)
#include "tst_barskin.moc"
