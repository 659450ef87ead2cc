#include "platform/Speech.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTextToSpeech>

namespace {

class SystemSpeech : public SpeechEngine
{
public:
    QStringList voiceNames() override
    {
        QStringList names;
        if (QTextToSpeech *tts = engine()) {
            for (const QVoice &v : tts->availableVoices())
                names << v.name();
        }
        return names;
    }

    bool isSpeaking() override
    {
        QTextToSpeech *tts = engine();
        return tts && tts->state() == QTextToSpeech::Speaking;
    }

    void stop() override
    {
        if (QTextToSpeech *tts = engine())
            tts->stop();
    }

    void setVoiceMode(int mode) override
    {
        QTextToSpeech *tts = engine();
        if (!tts)
            return;
        const QList<QVoice> voices = tts->availableVoices();
        if (mode >= 1 && mode <= voices.size())
            tts->setVoice(voices[mode - 1]);
    }

    void say(const QString &text) override
    {
        if (QTextToSpeech *tts = engine())
            tts->say(text);
    }

    void pause() override
    {
        if (QTextToSpeech *tts = engine())
            tts->pause();
    }

    void resume() override
    {
        if (QTextToSpeech *tts = engine())
            tts->resume();
    }

    int lastError() override
    {
        return m_tts && m_tts->state() == QTextToSpeech::Error ? 1 : 0;
    }

    bool available() override { return engine() != nullptr; }

    void setStateListener(std::function<void()> listener) override
    {
        m_listener = std::move(listener);
        if (QTextToSpeech *tts = engine(); tts && !m_connected) {
            m_connected = true;
            QObject::connect(tts, &QTextToSpeech::stateChanged, tts, [this] {
                if (m_listener)
                    m_listener();
            });
        }
    }

private:
    // Made when first needed, so that a program that never speaks never
    // starts the engine; nullptr when flite is not installed.
    QTextToSpeech *engine()
    {
        if (!m_tried) {
            m_tried = true;
            if (QTextToSpeech::availableEngines().contains(QStringLiteral("flite")))
                m_tts = new QTextToSpeech(QStringLiteral("flite"), QCoreApplication::instance());
        }
        if (m_tts && m_tts->state() == QTextToSpeech::Error)
            return nullptr;
        return m_tts;
    }

    bool m_tried = false;
    bool m_connected = false;
    QPointer<QTextToSpeech> m_tts;
    std::function<void()> m_listener;
};

SpeechEngine *g_replacement = nullptr;

} // namespace

SpeechEngine &speechEngine()
{
    if (g_replacement)
        return *g_replacement;
    static SystemSpeech system;
    return system;
}

SpeechEngine *setSpeechEngine(SpeechEngine *engine)
{
    SpeechEngine *previous = g_replacement;
    g_replacement = engine;
    return previous;
}
