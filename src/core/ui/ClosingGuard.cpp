#include "core/ui/ClosingGuard.h"

#include "core/ui/WindowEffects.h"
#include "platform/Sleep.h"

#include <QEvent>

namespace {

const char *const ClosingProperty = "bwClosing";
const char *const BlockName = "bwClosingInputBlock";

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
        m_window->close();
    DoEvents();
}
