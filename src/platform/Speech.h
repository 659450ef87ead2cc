#pragma once

#include <QStringList>

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
};

// The engine in force: the system's flite engine, started on first use
// (never another one: some hang a process that has no sound device).
SpeechEngine &speechEngine();
// Puts another engine in force (tests); nullptr brings the system's back.
// Returns the replacement it ends.
SpeechEngine *setSpeechEngine(SpeechEngine *engine);
