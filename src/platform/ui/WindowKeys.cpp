#include "platform/ui/WindowKeys.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {

// Watches the window and every widget in it: a listed key is the
// window's, whichever of them has the focus.
class WindowKeyFilter : public QObject
{
public:
    WindowKeyFilter(QWidget *window, const QList<QKeyCombination> &keys,
                    const std::function<void(int, Qt::KeyboardModifiers)> &act)
        : QObject(window), m_window(window), m_keys(keys), m_act(act)
    {
        watch(window);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A box or prompt the window opens is a child of it, and a window
        // of its own: its keys are its own (Escape cancels the box, it does
        // not close the window under it).
        if (!watched->isWidgetType() || static_cast<QWidget *>(watched)->window() != m_window)
            return false;
        switch (event->type()) {
        case QEvent::ChildAdded:
            if (auto *child = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child()))
                watch(child);
            return false;
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress: {
            auto *key = static_cast<QKeyEvent *>(event);
            const Qt::KeyboardModifiers modifiers =
                key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
            if (!m_keys.contains(QKeyCombination(modifiers, Qt::Key(key->key()))))
                return false;
            // Claimed before any shortcut of the program can take it.
            event->accept();
            if (event->type() == QEvent::KeyPress)
                m_act(key->key(), modifiers);
            return true;
        }
        default:
            return false;
        }
    }

private:
    void watch(QWidget *widget)
    {
        widget->installEventFilter(this);
        for (QWidget *child : widget->findChildren<QWidget *>())
            child->installEventFilter(this);
    }

    QWidget *m_window;
    QList<QKeyCombination> m_keys;
    std::function<void(int, Qt::KeyboardModifiers)> m_act;
};

} // namespace

void addWindowKeys(QWidget *window, const QList<QKeyCombination> &keys,
                   const std::function<void(int, Qt::KeyboardModifiers)> &act)
{
    new WindowKeyFilter(window, keys, act);
}
