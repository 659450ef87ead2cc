#pragma once

#include "services/SpokenText.h"

#include <QList>
#include <QWidget>

class QFrame;
class QLabel;
class QPlainTextEdit;

// The small borderless window that reads text aloud: the text shown, a bar
// of label buttons (Close, Hide, Rewind, Pause, Resume, Stop, Forward), a
// see-through background, moved by dragging anywhere on it.
class frmSpeech : public QWidget
{
    Q_OBJECT

public:
    // Creating the window is loading it: Form_Load runs before it is shown.
    explicit frmSpeech(QWidget *parent = nullptr);

    QPlainTextEdit *TextToSpeech1 = nullptr; // the speech control's display area
    QLabel *lblWait = nullptr;
    QLabel *lblUnavailable = nullptr; // shown when nothing can be heard
    QFrame *Picture1 = nullptr;
    QFrame *Shape1 = nullptr;
    QList<QLabel *> lblNav; // by index: Resume, Pause, Stop, Rewind, Forward, Close, Hide

    SpokenText spoken;

    // Speaks the text from its first sentence (the control's speak call).
    void speak(const QString &text);
    void lblNav_Click(int Index);
    // The backdrop is taken from the screen before the window is shown.
    void setVisible(bool visible) override;

protected:
    void moveEvent(QMoveEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;


private:
    void Form_Load();
    void followSpeaking();
    // The backdrop again from what lies under the window now.
    void retakeBackdrop();
    void lblNav_MouseMove(int Index);
    QPoint m_dragFrom;
    bool m_dragging = false;
};

frmSpeech *speechWindow(); // nullptr when not loaded
// Loads the window when needed (not shown).
frmSpeech *LoadSpeech(QWidget *owner);
void UnloadSpeech();
