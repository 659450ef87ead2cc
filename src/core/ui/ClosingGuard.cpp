#include "core/ui/ClosingGuard.h"

#include "core/ui/WindowEffects.h"
#include "platform/Sleep.h"

#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QTimer>

namespace {

const char *const ClosingProperty = "bwClosing";
const char *const BlockName = "bwClosingInputBlock";
const char *const GateName = "bwCloseGate";
const char *const BusyProperty = "bwBusy";         // how many busy spells are under way
const char *const HeldProperty = "bwCloseHeld";    // a close asked for while busy
const char *const OwnCloseProperty = "bwOwnClose"; // the window's own closing step

int busyCount(const QWidget *window)
{
    return window->property(BusyProperty).toInt();
}

// Holds back every close of one window - the title bar's close box, Alt+F4,
// a close() from elsewhere, Escape in a dialog - while the window is busy
// or closing: closing it then would delete it under the code still working
// for it. A close asked for while the window is busy (not closing) is
// remembered and done once the work is over.
class CloseGate : public QObject
{
public:
    explicit CloseGate(QWidget *window) : QObject(window), m_window(window)
    {
        setObjectName(QString::fromLatin1(GateName));
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_window || m_window->property(OwnCloseProperty).toBool())
            return false;
        if (!isClosing(m_window) && busyCount(m_window) == 0)
            return false;
        if (event->type() == QEvent::KeyPress) {
            // A dialog's Escape would reject it and close it at once.
            const auto *key = static_cast<QKeyEvent *>(event);
            const int modifiers = key->modifiers().toInt() & ~int(Qt::KeypadModifier);
            if (!qobject_cast<QDialog *>(m_window) || key->key() != Qt::Key_Escape || modifiers != 0)
                return false;
        } else if (event->type() != QEvent::Close) {
            return false;
        }
        event->ignore();
        if (!isClosing(m_window))
            m_window->setProperty(HeldProperty, true);
        return true;
    }

private:
    QWidget *m_window;
};

void guardCloses(QWidget *window)
{
    if (!window->findChild<QObject *>(QString::fromLatin1(GateName), Qt::FindDirectChildrenOnly))
        new CloseGate(window);
}

// Swallows the user's input to one closing window and to its controls.
class InputBlock : public QObject
{
public:
    explicit InputBlock(QWidget *window) : QObject(window), m_window(window)
    {
        setObjectName(QString::fromLatin1(BlockName));
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            // A message box the window opens meanwhile is a window of its own.
            return watched->isWidgetType() && static_cast<QWidget *>(watched)->window() == m_window;
        default:
            return false;
        }
    }

    void watch()
    {
        m_window->installEventFilter(this);
        for (QWidget *child : m_window->findChildren<QWidget *>())
            if (child->window() == m_window)
                child->installEventFilter(this);
    }

private:
    QWidget *m_window;
};

QObject *blockOf(const QWidget *window)
{
    return window->findChild<QObject *>(QString::fromLatin1(BlockName), Qt::FindDirectChildrenOnly);
}

} // namespace

bool beginClosing(QWidget *window)
{
    if (!window || isClosing(window))
        return false;
    window->setProperty(ClosingProperty, true);
    guardCloses(window);
    (new InputBlock(window))->watch();
    return true;
}

bool isClosing(const QWidget *window)
{
    return window && window->property(ClosingProperty).toBool();
}

ClosingAttempt::ClosingAttempt(QWidget *window) : m_window(window), m_begun(beginClosing(window)) {}

ClosingAttempt::~ClosingAttempt()
{
    if (!m_begun || m_finished || !m_window)
        return;
    m_window->setProperty(ClosingProperty, QVariant());
    delete blockOf(m_window);
}

void ClosingAttempt::finish(short steps, const std::function<void()> &closer)
{
    m_finished = true;
    if (!m_window)
        return;
    RollWindow(m_window, steps);
    DoEvents();
    if (closer)
        closer();
    else if (m_window)
        closeClosingWindow(m_window);
    DoEvents();
}

void closeClosingWindow(QWidget *window)
{
    if (!window)
        return;
    const QPointer<QWidget> alive(window);
    window->setProperty(OwnCloseProperty, true);
    window->close();
    if (alive)
        window->setProperty(OwnCloseProperty, QVariant());
}

BusyWindow::BusyWindow(QWidget *window) : m_window(window)
{
    if (!window)
        return;
    guardCloses(window);
    window->setProperty(BusyProperty, busyCount(window) + 1);
}

BusyWindow::~BusyWindow()
{
    if (!m_window)
        return;
    const int left = busyCount(m_window) - 1;
    m_window->setProperty(BusyProperty, left > 0 ? QVariant(left) : QVariant());
    if (left > 0 || !m_window->property(HeldProperty).toBool())
        return;
    m_window->setProperty(HeldProperty, QVariant());
    // From the event loop, once the handler that was busy has returned.
    QTimer::singleShot(0, m_window, [window = m_window] {
        if (window && !isClosing(window) && busyCount(window) == 0)
            window->close();
    });
}
