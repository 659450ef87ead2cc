// The ripple and bump effects on 8-bit pictures of awkward sizes (the
// sanitizer build proves no frame reads or writes outside a picture).
#include "services/Ripple.h"
#include "support/ScriptedDialogs.h"

#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TestRipple : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // An 8-bit picture saved as PNG.
    QString picture(int w, int h, const char *type = "png")
    {
        QImage image(w, h, QImage::Format_Indexed8);
        QList<QRgb> palette;
        for (int i = 0; i < 256; ++i)
            palette << qRgb(i, 255 - i, i / 2);
        image.setColorTable(palette);
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c)
                image.setPixel(c, r, uint((r * 7 + c * 13) % 256));
        const QString path = m_dir.filePath(QStringLiteral("p%1x%2.%3").arg(w).arg(h).arg(QLatin1String(type)));
        image.save(path);
        return path;
    }

private slots:
    void thousandFramesOnOddSizes_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::newRow("1x1") << 1 << 1;
        QTest::newRow("3x2") << 3 << 2;
        QTest::newRow("641x479") << 641 << 479;
    }
    void thousandFramesOnOddSizes()
    {
        QFETCH(int, w);
        QFETCH(int, h);
        ClsManip effect;
        effect.IntRipple(picture(w, h), 0.7f);
        QCOMPARE(effect.destination.format(), QImage::Format_Indexed8);
        QCOMPARE(effect.IsPlay(), QStringLiteral("True"));
        for (int i = 0; i < 1000; ++i)
            QVERIFY(effect.rippleFrame());
        QCOMPARE(effect.frameCount(), short(1000));
        // Waves only move pixels along their row.
        for (int r = 0; r < h; r += 97) {
            const QByteArray from(reinterpret_cast<const char *>(effect.source.constScanLine(r)), w);
            for (int c = 0; c < w; ++c)
                QVERIFY(from.contains(char(effect.destination.constScanLine(r)[c])));
        }
        effect.IntBump(picture(w, h));
        effect.DoBump();
    }

    void theCounterWrapsAndTheWavesGoOn()
    {
        ClsManip effect;
        effect.IntRipple(picture(5, 4), 0.5f);
        effect.setFrameCount(32767);
        QVERIFY(effect.rippleFrame());
        QCOMPARE(effect.frameCount(), short(-32768));
        QVERIFY(effect.rippleFrame());
    }

    void runsOnTheTimerUntilStopped()
    {
        ClsManip effect;
        int shown = 0;
        effect.IntCls(nullptr, [&](const QImage &) { ++shown; });
        effect.IntRipple(picture(64, 48), 0.3f);
        effect.frameIntervalMs = 5;
        QTimer::singleShot(200, [&] {
            QCOMPARE(effect.IsPlay(), QStringLiteral("False"));
            effect.DoRipple(0.3f); // the stop request
        });
        effect.DoRipple(0.3f);
        QCOMPARE(effect.IsPlay(), QStringLiteral("True"));
        QVERIFY(shown > 3);
    }

    void onlyEightBitPictures()
    {
        ScriptedDialogs dialogs;
        ClsManip effect;
        // A true-colour picture: more than 256 colours.
        QImage rich(32, 32, QImage::Format_RGB32);
        for (int r = 0; r < 32; ++r)
            for (int c = 0; c < 32; ++c)
                rich.setPixel(c, r, qRgb(r * 8, c * 8, 100));
        const QString path = m_dir.filePath(QStringLiteral("rich.png"));
        QVERIFY(rich.save(path));
        effect.IntRipple(path, 0.3f);
        QVERIFY(!effect.rippleFrame());
        effect.DoRipple(0.3f);
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown().first().prompt, QStringLiteral(" 256-color bitmaps only"));
        QCOMPARE(effect.IsPlay(), QStringLiteral("True"));
    }
};

QTEST_MAIN(TestRipple)
#include "tst_ripple.moc"
