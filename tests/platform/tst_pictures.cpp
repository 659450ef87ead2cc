#include "platform/ui/PictureBox.h"
#include "platform/ui/ResourcePictures.h"

#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QtTest>

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    // The program's icon drawn ahead on a worker, as a start draws it: the
    // tests below compare it with the pictures drawn the usual way.
    void initTestCase() { PrepareProgramIcon(); }

    void everyNameLoadsAtItsSize_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        const char *skins[] = {"NeonBlue",    "NeonGreen",  "NeonRed",      "GoldMetal",    "GreenMetal",   "GlassBlue",
                               "GlassGreen",  "GlassRed",   "PlasticBlue",  "PlasticGreen", "PlasticViolet"};
        for (const char *skin : skins) {
            QTest::newRow(skin) << QString::fromLatin1(skin) << QSize(305, 21);
            QTest::newRow(qPrintable(QString::fromLatin1(skin) + QLatin1Char('B')))
                << QString::fromLatin1(skin) + QLatin1Char('B') << QSize(305, 21);
        }
        // The names as the program writes them, letter case included.
        QTest::newRow("GlassBlueb") << QStringLiteral("GlassBlueb") << QSize(305, 21);
        for (const char *face : {"B1", "B2", "B3", "B4"})
            QTest::newRow(face) << QString::fromLatin1(face) << QSize(50, 25);
        QTest::newRow("ArrowUp") << QStringLiteral("ArrowUp") << QSize(50, 20);
        QTest::newRow("ArrowDn") << QStringLiteral("ArrowDn") << QSize(50, 20);
        for (const char *cell : {"UP", "DN", "LOW", "HIGH", "up", "Dn"})
            QTest::newRow(cell) << QString::fromLatin1(cell) << QSize(11, 13);
        QTest::newRow("Investor") << QStringLiteral("Investor") << QSize(120, 360);
        QTest::newRow("AppIcon") << QStringLiteral("AppIcon") << QSize(32, 32);
    }

    void everyNameLoadsAtItsSize()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const QPixmap pm = LoadResPicture(name);
        QVERIFY(!pm.isNull());
        QCOMPARE(pm.size(), size);
        // Something is drawn: not one flat colour.
        const QImage img = pm.toImage();
        bool varied = false;
        for (int y = 0; y < img.height() && !varied; ++y)
            for (int x = 0; x < img.width() && !varied; ++x)
                varied = img.pixel(x, y) != img.pixel(0, 0);
        QVERIFY(varied);
    }

    void namesAreDistinctPictures()
    {
        QVERIFY(LoadResPicture(QStringLiteral("NoSuchPicture")).isNull());
        QVERIFY(LoadResPicture(QString()).isNull());
        QCOMPARE(resPictureNames().size(), 22 + 4 + 2 + 4 + 2);
        // Faces differ from one another and from their pressed twins.
        QSet<QByteArray> seen;
        for (const QString &name : resPictureNames()) {
            const QImage img = LoadResPicture(name).toImage();
            const QByteArray bits(reinterpret_cast<const char *>(img.constBits()), img.sizeInBytes());
            QVERIFY2(!seen.contains(bits), qPrintable(name));
            seen.insert(bits);
        }
    }

    void pressedSkinCarriesTheMarker()
    {
        // The gauge copies the 8 x 10 block at the top-left corner of the
        // pressed twin: it must show a marker against the bar beside it.
        for (const QString &name : resPictureNames()) {
            if (!name.endsWith(QLatin1Char('B')) || name.size() < 4)
                continue;
            const QImage img = LoadResPicture(name).toImage();
            int differing = 0;
            for (int y = 0; y < 10; ++y)
                for (int x = 0; x < 8; ++x)
                    differing += img.pixel(x, y) != img.pixel(x + 100, y);
            QVERIFY2(differing >= 20, qPrintable(name));
            // Beside the marker the bar varies only from top to bottom.
            for (int y = 0; y < 21; ++y)
                QCOMPARE(img.pixel(20, y), img.pixel(200, y));
        }
    }

    void splitterCursors()
    {
        for (int id : {102, 103}) {
            const QCursor c = LoadResCursor(id);
            QCOMPARE(c.shape(), Qt::BitmapCursor);
            QCOMPARE(c.pixmap().size(), QSize(32, 32));
            QCOMPARE(c.hotSpot(), QPoint(15, 15));
        }
        QVERIFY(LoadResCursor(102).pixmap().toImage() != LoadResCursor(103).pixmap().toImage());
        QVERIFY(LoadResCursor(104).pixmap().isNull());
        QCOMPARE(LoadResCursor(103).pixmap().cacheKey(), LoadResCursor(103).pixmap().cacheKey());
        QVERIFY(!ProgramIcon().isNull());
    }

    // The program's icon in the sizes a frame and the tray ask for, the
    // picture itself at each, drawn once for every window that shows it.
    void programIconIsDrawnOnceInEverySize()
    {
        const QIcon icon = ProgramIcon();
        QCOMPARE(icon.availableSizes(),
                 (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}}));
        QCOMPARE(icon.pixmap(32, 32).toImage(), LoadResPicture(QStringLiteral("AppIcon")).toImage());
        QCOMPARE(ProgramIcon().cacheKey(), icon.cacheKey());
        QCOMPARE(ProgramIcon().pixmap(128, 128).cacheKey(), icon.pixmap(128, 128).cacheKey());
    }

    void clicksAndPositions()
    {
        PictureBox box;
        box.resize(60, 40);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QSignalSpy down(&box, &PictureBox::MouseDown);
        QSignalSpy up(&box, &PictureBox::MouseUp);
        QSignalSpy click(&box, &PictureBox::Click);
        QSignalSpy dbl(&box, &PictureBox::DblClick);

        QTest::mouseClick(&box, Qt::LeftButton, Qt::ShiftModifier | Qt::AltModifier, QPoint(10, 4));
        QCOMPARE(click.size(), 1);
        QCOMPARE(down.size(), 1);
        // Button 1, Shift 1 + Alt 4, twips at 96 dpi.
        QCOMPARE(down.at(0).at(0).toInt(), 1);
        QCOMPARE(down.at(0).at(1).toInt(), 5);
        QCOMPARE(down.at(0).at(2).toDouble(), 150.0);
        QCOMPARE(down.at(0).at(3).toDouble(), 60.0);

        // The right button reports its press but is no click.
        QTest::mouseClick(&box, Qt::RightButton, {}, QPoint(10, 4));
        QCOMPARE(click.size(), 1);
        QCOMPARE(down.last().at(0).toInt(), 2);

        // A double click: press, release, Click, DblClick, release - one Click only.
        click.clear();
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 5));
        const QPointF at(5, 5);
        QMouseEvent second(QEvent::MouseButtonDblClick, at, box.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(&box, &second);
        QMouseEvent release(QEvent::MouseButtonRelease, at, box.mapToGlobal(at), Qt::LeftButton, {}, {});
        QApplication::sendEvent(&box, &release);
        QCOMPARE(dbl.size(), 1);
        QCOMPARE(click.size(), 1);
        QCOMPARE(up.last().at(0).toInt(), 1);

        box.setScaleMode(PictureBox::Pixels);
        QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(7, 3));
        QCOMPARE(down.last().at(2).toDouble(), 7.0);
        QCOMPARE(box.scaleWidth(), 60.0);
        box.setScaleMode(PictureBox::Twips);
        QCOMPARE(box.scaleWidth(), 900.0);
    }

    void drawingSurfaceKeepsUntilCls()
    {
        PictureBox box;
        box.resize(30, 20);
        box.setBackColor(Qt::white);
        QPixmap red(8, 10);
        red.fill(Qt::red);
        box.paintFrom(red, 12, 0, 8, 10);
        QImage shot = box.grab().toImage();
        QCOMPARE(shot.pixelColor(12, 0), QColor(Qt::red));
        QCOMPARE(shot.pixelColor(19, 9), QColor(Qt::red));
        QCOMPARE(shot.pixelColor(20, 0), QColor(Qt::white));

        // A picture change keeps what was drawn; a resize too.
        QPixmap blue(30, 20);
        blue.fill(Qt::blue);
        box.setPicture(blue);
        box.resize(40, 20);
        shot = box.grab().toImage();
        QCOMPARE(shot.pixelColor(12, 0), QColor(Qt::red));
        QCOMPARE(shot.pixelColor(0, 0), QColor(Qt::blue));
        QCOMPARE(shot.pixelColor(35, 0), QColor(Qt::white)); // the picture shows at its own size

        box.Cls();
        shot = box.grab().toImage();
        QCOMPARE(shot.pixelColor(12, 0), QColor(Qt::blue));
        QVERIFY(box.hasPicture());
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
