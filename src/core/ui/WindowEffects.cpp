#include "core/ui/WindowEffects.h"

#include "core/ErrorLog.h"
#include "core/ui/ClosingGuard.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <cmath>

void RollWindow(QWidget *frm, short steps)
{
    if (!frm)
        return;
    // A window rolling up is on its way out: no more clicks reach it.
    beginClosing(frm);
    if (frm->isMaximized())
        return;
    if (steps == 0) {
        ErrorTrap(QStringLiteral("Division by zero"), 11, QString::fromLatin1(ErrSource),
                  QStringLiteral("Misc_RollWindow"), false);
        return;
    }
    // The window's height counts its frame; only the inner part can be set.
    const int frameExtra = qMax(0, frm->frameGeometry().height() - frm->height());
    double height = Twips::fromPixelsY(frm->frameGeometry().height(), frm);
    const double step = std::nearbyint(height / steps);
    QPointer<QWidget> alive(frm);
    for (int i = 1; i < steps; ++i) {
        height -= step;
        if (height < 0) {
            ErrorTrap(QStringLiteral("Invalid property value"), 380, QString::fromLatin1(ErrSource),
                      QStringLiteral("Misc_RollWindow"), false);
            return;
        }
        const int inner = qMax(0, Twips::toPixelsY(height, frm) - frameExtra);
        frm->resize(frm->width(), qMax(inner, frm->minimumHeight()));
        QCoreApplication::processEvents();
        if (!alive)
            return; // closed while the animation ran
    }
}

namespace {

// Remembers top-level windows in the order they are first shown; Qt's own
// list of windows has no order.
class WindowOrder : public QObject
{
public:
    using QObject::QObject;
    QList<QPointer<QWidget>> windows;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto *w = static_cast<QWidget *>(watched);
            const Qt::WindowType type = w->windowType();
            if (w->isWindow() && (type == Qt::Window || type == Qt::Dialog) && !windows.contains(w))
                windows.append(w);
        }
        return false;
    }
};

QPointer<WindowOrder> windowOrder;
std::function<int()> tickerTopSource;

void trackWindows()
{
    if (windowOrder || !qApp)
        return;
    windowOrder = new WindowOrder(qApp);
    qApp->installEventFilter(windowOrder);
    // Windows shown before tracking began come first, in Qt's order.
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            windowOrder->windows.append(w);
    }
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(trackWindows)

QList<QWidget *> OpenWindows()
{
    trackWindows();
    QList<QWidget *> open;
    if (!windowOrder)
        return open;
    windowOrder->windows.removeAll(nullptr);
    for (const QPointer<QWidget> &w : windowOrder->windows)
        open.append(w.data());
    return open;
}

void setTickerTopSource(std::function<int()> tickerTop)
{
    tickerTopSource = std::move(tickerTop);
}

void TileMiniWindows(QWidget *frm)
{
    TileMiniWindows(frm, tickerTopSource ? tickerTopSource() : 0, OpenWindows());
}

void TileMiniWindows(QWidget *, int tickerTop, const QList<QWidget *> &openWindows)
{
    int placed = 0;
    QWidget *previous = nullptr;
    for (QWidget *w : openWindows) {
        if (!w || !w->isVisible())
            continue;
        const QString name = w->objectName();
        if (name != QLatin1String("Zoom") && name != QLatin1String("Properties"))
            continue;
        if (Twips::fromPixelsX(w->frameGeometry().width(), w) >= 3000)
            continue;
        if (placed < 35) {
            const int row = placed / 5;
            const double top = tickerTop + 700 + 450.0 * row;
            double left = 0;
            // A tile abuts the tile placed before it in the same row.
            if (placed % 5 != 0 && previous)
                left = Twips::fromPixelsX(previous->frameGeometry().x() + previous->frameGeometry().width(), w);
            w->move(Twips::toPixelsX(left, w), Twips::toPixelsY(top, w));
        }
        previous = w;
        ++placed;
    }
}
