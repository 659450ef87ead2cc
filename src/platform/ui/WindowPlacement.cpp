#include "platform/ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void placeOnScreen(QWidget *window, QPoint topLeft)
{
    QScreen *screen = QGuiApplication::screenAt(topLeft);
    if (!screen)
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        window->move(topLeft);
        return;
    }
    const QRect area = screen->availableGeometry();
    const QSize frame = window->frameGeometry().size();
    const int x = qMax(area.left(), qMin(topLeft.x(), area.right() + 1 - frame.width()));
    const int y = qMax(area.top(), qMin(topLeft.y(), area.bottom() + 1 - frame.height()));
    window->move(x, y);
}
