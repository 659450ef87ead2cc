#include "services/ui/frmSpeech.h"

#include "core/ErrorLog.h"
#include "core/ui/ClosingGuard.h"
#include "core/ui/DesktopSnapshot.h"
#include "core/ui/WindowEffects.h"
#include "platform/Dialogs.h"
#include "platform/Sleep.h"
#include "platform/Speech.h"
#include "platform/Twips.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QVBoxLayout>

namespace {

QPointer<frmSpeech> g_speech;

// Left to right in the bar: the button index of each place.
constexpr int BarOrder[] = {5, 6, 3, 1, 0, 2, 4};
const char *const Captions[] = {"Resume", "Pause", "Stop", "Rewind", "Forward", "Close", "Hide"};

} // namespace

frmSpeech::frmSpeech(QWidget *parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSpeech"));
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(129, 217, 239));
    setPalette(p);
    setAutoFillBackground(true);

    TextToSpeech1 = new QPlainTextEdit(this);
    TextToSpeech1->setReadOnly(true);
    TextToSpeech1->setFrameShape(QFrame::NoFrame);
    // The text on a plate of its own: readable over any backdrop.
    TextToSpeech1->viewport()->setAutoFillBackground(true);
    QPalette plate = TextToSpeech1->palette();
    plate.setColor(QPalette::Base, QColor(129, 217, 239).lighter(125));
    TextToSpeech1->setPalette(plate);
    lblWait = new QLabel(QStringLiteral("Please Wait.."), this);
    lblWait->hide();
    lblUnavailable = new QLabel(
        QStringLiteral("Speech is not available: no speech engine or sound output was found."), this);
    lblUnavailable->setWordWrap(true);
    lblUnavailable->setStyleSheet(QStringLiteral("QLabel { color: #800000; background: #ffffe0; padding: 2px; }"));
    lblUnavailable->hide();

    Picture1 = new QFrame(this);
    Picture1->setMouseTracking(true);
    Picture1->installEventFilter(this);
    Picture1->setFixedHeight(Twips::toPixelsY(255, this) + 4);
    Shape1 = new QFrame(Picture1);
    Shape1->setStyleSheet(QStringLiteral("background: #ffff00;"));
    Shape1->hide();
    lblNav = QList<QLabel *>(7, nullptr);
    auto *bar = new QHBoxLayout(Picture1);
    bar->setContentsMargins(0, 0, 0, 0);
    for (int index : BarOrder) {
        auto *label = new QLabel(QString::fromLatin1(Captions[index]), Picture1);
        label->setStyleSheet(QStringLiteral("QLabel { color: #0000ff; padding: 0 4px; } QLabel:disabled { color: #808080; }"));
        label->setMouseTracking(true);
        label->installEventFilter(this);
        bar->addWidget(label);
        lblNav[index] = label;
    }
    bar->addStretch();
    lblNav[0]->setEnabled(false);

    auto *all = new QVBoxLayout(this);
    all->setContentsMargins(Twips::toPixelsX(240, this), Twips::toPixelsY(120, this), 0, 0);
    all->addWidget(TextToSpeech1);
    all->addWidget(lblUnavailable);
    all->addWidget(lblWait, 0, Qt::AlignRight);
    all->addWidget(Picture1);
    resize(Twips::toPixelsX(4680, this), Twips::toPixelsY(3495, this));
    setMouseTracking(true);
    Form_Load();
    QPointer<frmSpeech> self(this);
    speechEngine().setStateListener([self] {
        if (self)
            self->followSpeaking();
    });
}

void frmSpeech::Form_Load()
{
    // The engine's display setting of the original control has no
    // counterpart here: nothing to set.
}

void frmSpeech::setVisible(bool visible)
{
    // The backdrop is read from the screen before the window covers it.
    if (visible && !isVisible())
        DesktopSnapshot(this, QColor(129, 217, 239));
    QWidget::setVisible(visible);
}

void frmSpeech::speak(const QString &text)
{
    TextToSpeech1->setPlainText(text);
    spoken.setText(text);
    speechEngine().say(spoken.fromCurrent());
    followSpeaking();
}

void frmSpeech::followSpeaking()
{
    // With nothing to hear the window says so, and offers only Close and Hide.
    SpeechEngine &engine = speechEngine();
    const bool available = engine.available();
    const bool speaking = available && engine.isSpeaking();
    lblUnavailable->setVisible(!available);
    lblNav[0]->setEnabled(available && !speaking);
    for (int i : {1, 2, 3, 4})
        lblNav[i]->setEnabled(speaking);
}

void frmSpeech::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (isVisible())
        retakeBackdrop();
}

void frmSpeech::retakeBackdrop()
{
    // The screen under a shown window holds the window itself: the backdrop
    // is drawn from the window it stands over (white, which the tint turns
    // into the plain colour, elsewhere).
    const QColor tint(129, 217, 239);
    QImage under(size(), QImage::Format_RGB32);
    under.fill(Qt::white);
    QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (owner && owner->isVisible()) {
        const QRect mine(pos(), size());
        const QRect theirs(owner->mapToGlobal(QPoint(0, 0)), owner->size());
        const QRect common = mine & theirs;
        if (!common.isEmpty()) {
            QPainter p(&under);
            p.drawPixmap(common.topLeft() - mine.topLeft(),
                         owner->grab(QRect(common.topLeft() - theirs.topLeft(), common.size())));
        }
    }
    const QPixmap backdrop = QPixmap::fromImage(tintedByAnd(under, tint));
    setProperty("backdrop", backdrop);
    QPalette p = palette();
    p.setBrush(QPalette::Window, QBrush(backdrop));
    setPalette(p);
}

void frmSpeech::lblNav_Click(int Index)
{
    SpeechEngine &engine = speechEngine();
    switch (Index) {
    case 0: engine.resume(); break;
    case 1: engine.pause(); break;
    case 2: engine.stop(); break;
    case 3:
        spoken.rewind();
        engine.say(spoken.fromCurrent());
        break;
    case 4:
        spoken.forward();
        engine.say(spoken.fromCurrent());
        break;
    case 5:
        if (!beginClosing(this))
            return;
        engine.stop();
        DoEvents();
        RollWindow(this, 25);
        DoEvents();
        UnloadSpeech();
        return;
    case 6: hide(); break;
    default: return;
    }
    if (const int error = engine.lastError()) {
        MsgBox(QStringLiteral("Error using speech engine, ") + QString::number(error, 16).toUpper());
        ErrorTrap(QStringLiteral("Error using speech engine"), float(error), QString::fromLatin1(ErrSource),
                  QStringLiteral("frmSpeech_lblNav_Click"), false);
        UnloadSpeech();
        return;
    }
    followSpeaking();
}

void frmSpeech::lblNav_MouseMove(int Index)
{
    const QRect at = lblNav[Index]->geometry();
    if (Shape1->isVisible() && Shape1->x() == at.x())
        return;
    Shape1->setGeometry(at.x(), 0, at.width(), Picture1->height());
    Shape1->show();
    Shape1->lower();
    DoEvents();
}

bool frmSpeech::eventFilter(QObject *watched, QEvent *event)
{
    const int index = lblNav.indexOf(qobject_cast<QLabel *>(watched));
    if (index >= 0) {
        switch (event->type()) {
        case QEvent::MouseMove: lblNav_MouseMove(index); break;
        case QEvent::MouseButtonPress: Shape1->setStyleSheet(QStringLiteral("background: #00ff00;")); break;
        case QEvent::MouseButtonRelease:
            Shape1->setStyleSheet(QStringLiteral("background: #ffff00;"));
            if (lblNav[index]->isEnabled())
                lblNav_Click(index);
            return true;
        default: break;
        }
    } else if (watched == Picture1 && event->type() == QEvent::MouseMove) {
        Shape1->hide();
    }
    return QWidget::eventFilter(watched, event);
}

// Dragged anywhere on its background, the window moves.
void frmSpeech::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_dragFrom = event->globalPosition().toPoint() - pos();
    }
}

void frmSpeech::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        move(event->globalPosition().toPoint() - m_dragFrom);
    else if (Shape1->isVisible())
        Shape1->hide();
}

void frmSpeech::mouseReleaseEvent(QMouseEvent *)
{
    m_dragging = false;
}

frmSpeech *speechWindow()
{
    return g_speech.data();
}

frmSpeech *LoadSpeech(QWidget *owner)
{
    if (!g_speech)
        g_speech = new frmSpeech(owner);
    return g_speech;
}

void UnloadSpeech()
{
    frmSpeech *w = g_speech;
    if (!w)
        return;
    g_speech.clear();
    w->hide();
    w->deleteLater();
}
