#include "platform/ui/CloseBox.h"

#include <QCloseEvent>
#include <QWidget>

namespace {

class CloseBoxFilter : public QObject
{
public:
    CloseBoxFilter(QWidget *window, std::function<void()> closeWindow)
        : QObject(window), m_closeWindow(std::move(closeWindow))
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Close || watched != parent())
            return false;
        event->ignore();
        m_closeWindow();
        return true;
    }

private:
    std::function<void()> m_closeWindow;
};

} // namespace

void onCloseBox(QWidget *window, std::function<void()> closeWindow)
{
    window->installEventFilter(new CloseBoxFilter(window, std::move(closeWindow)));
}
