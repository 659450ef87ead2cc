#pragma once

#include <QStringList>

#include <functional>

// The text-to-speech engine the voice list and the spoken summaries use.
// Voices are numbered from 1 in the order of voiceNames().
class SpeechEngine
{
public:
    virtual ~SpeechEngine() = default;
    // Empty when no engine is available.
    virtual QStringList voiceNames() = 0;
    virtual bool isSpeaking() = 0;
    virtual void stop() = 0;
    // A number outside the list leaves the voice as it is.
    virtual void setVoiceMode(int mode) = 0;
    // Speaks the text (replacing what is being spoken); pause and resume.
    virtual void say(const QString &text) { Q_UNUSED(text); }
    virtual void pause() {}
    virtual void resume() {}
    // The engine's last error code (0: none).
    virtual int lastError() { return 0; }
    // False when nothing can be heard: no engine, or the engine failed (as
    // it does on a machine without sound output).
    virtual bool available() { return true; }
    // Called whenever the engine starts or stops speaking or fails.
    virtual void setStateListener(std::function<void()> listener) { Q_UNUSED(listener); }
};

// The engine in force: the system's flite engine, started on first use
// (never another one: some hang a process that has no sound device).
SpeechEngine &speechEngine();
// Puts another engine in force (tests); nullptr brings the system's back.
// Returns the replacement it ends.
SpeechEngine *setSpeechEngine(SpeechEngine *engine);
