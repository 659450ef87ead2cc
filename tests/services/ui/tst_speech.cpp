// The speech window: what it hands the engine, sentence by sentence, its
// buttons following the engine, and a real engine that comes to an end.
#include "core/ui/DesktopSnapshot.h"
#include "platform/Speech.h"
#include "services/ui/GRP.h"
#include "services/ui/frmSpeech.h"
#include "support/TempProfile.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

class FakeEngine : public SpeechEngine
{
public:
    QStringList said;
    bool speaking = false;
    QStringList voiceNames() override { return {QStringLiteral("one")}; }
    bool isSpeaking() override { return speaking; }
    void stop() override { speaking = false; said << QStringLiteral("<stop>"); }
    void setVoiceMode(int) override {}
    void say(const QString &text) override { said << text; speaking = true; }
    void pause() override { said << QStringLiteral("<pause>"); }
    void resume() override { said << QStringLiteral("<resume>"); }
};

} // namespace

class TestSpeech : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        UnloadSpeech();
        setSpeechEngine(nullptr);
    }

    void speaksBySentence()
    {
        FakeEngine engine;
        setSpeechEngine(&engine);
        frmSpeech *w = LoadSpeech(nullptr);
        w->show();
        w->speak(QStringLiteral("IBM rises. Acme falls!\r\nThe end?"));
        QCOMPARE(w->TextToSpeech1->toPlainText(), QStringLiteral("IBM rises. Acme falls!\nThe end?"));
        QCOMPARE(w->spoken.count(), 3);
        w->lblNav_Click(4); // forward
        w->lblNav_Click(4);
        w->lblNav_Click(4); // not past the last
        w->lblNav_Click(3); // rewind
        w->lblNav_Click(1);
        w->lblNav_Click(0);
        QCOMPARE(engine.said, (QStringList{QStringLiteral("IBM rises. Acme falls! The end?"),
                                           QStringLiteral("Acme falls! The end?"), QStringLiteral("The end?"),
                                           QStringLiteral("The end?"), QStringLiteral("Acme falls! The end?"),
                                           QStringLiteral("<pause>"), QStringLiteral("<resume>")}));
        // Buttons follow the engine: speaking, Resume is off and the rest on.
        QVERIFY(!w->lblNav[0]->isEnabled());
        QVERIFY(w->lblNav[2]->isEnabled());
        w->lblNav_Click(2);
        QVERIFY(w->lblNav[0]->isEnabled());
        QVERIFY(!w->lblNav[4]->isEnabled());
        w->lblNav_Click(5); // close
        QVERIFY(!speechWindow());
    }

    void theRealEngineComesToAnEnd()
    {
        if (speechEngine().voiceNames().isEmpty())
            QSKIP("no flite voice on this machine");
        frmSpeech *w = LoadSpeech(nullptr);
        w->show();
        w->speak(QStringLiteral("One. Two."));
        QTRY_VERIFY_WITH_TIMEOUT(!speechEngine().isSpeaking(), 20000);
        w->lblNav_Click(5);
        QVERIFY(!speechWindow());
    }

    void backdropIsTintedByAnd()
    {
        QImage picture(2, 1, QImage::Format_RGB32);
        picture.setPixel(0, 0, qRgb(255, 255, 255));
        picture.setPixel(1, 0, qRgb(0x0f, 0xf0, 0x3c));
        const QImage tinted = tintedByAnd(picture, QColor(129, 217, 239));
        QCOMPARE(tinted.pixel(0, 0), qRgb(129, 217, 239));
        QCOMPARE(tinted.pixel(1, 0), qRgb(0x0f & 129, 0xf0 & 217, 0x3c & 239));
    }

    void relaxClosesWhileRippling()
    {
        TempProfile profile;
        ShowGRP();
        GRP *w = relaxWindow();
        QVERIFY(w);
        QTimer::singleShot(300, [w] {
            QCOMPARE(w->Command1->text(), QStringLiteral("Stop"));
            w->cmdclose_Click();
        });
        w->Command1_Click(); // runs until the close stops it
        QTRY_VERIFY(!relaxWindow());
    }
};

QTEST_MAIN(TestSpeech)
#include "tst_speech.moc"
