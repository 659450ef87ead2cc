#include "core/ui/DimScreen.h"

#include "core/ui/FormResize.h"

#include <QEvent>
#include <QPainter>
#include <QPointer>

QImage DimBitmap;
int DimWidth = 0;
int DimHeight = 0;

namespace {
QPointer<QWidget> dimmedWindow;
QPointer<DimOverlay> overlay;
// The panes whose repaint DimForm turned off, to be turned on again.
QList<QPointer<QWidget>> frozen;

// Frames, picture boxes, grids and trees: the panes that would repaint live
// content over the dimmed picture.
bool isLargePane(const QWidget *w)
{
    const QString type = clsFormResize::controlTypeName(w);
    return type == QLatin1String("Frame") || type == QLatin1String("PictureBox") || type == QLatin1String("MSFlexGrid")
           || type == QLatin1String("TreeView");
}
} // namespace

DimOverlay::DimOverlay(QWidget *window) : QWidget(window)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(window->rect());
    window->installEventFilter(this);
}

void DimOverlay::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.drawImage(0, 0, DimBitmap);
}

bool DimOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return false;
}

bool isDimmed()
{
    return !overlay.isNull();
}

void DimForm(QWidget *frm)
{
    if (!frm || overlay)
        return;
    dimmedWindow = frm;

    // The window's current image, every other pixel black: rows alternate
    // 10101010 and 01010101, so (x + y) odd is black.
    QImage image = frm->grab().toImage();
    {
        QPainter p(&image);
        p.fillRect(image.rect(), QBrush(Qt::black, Qt::Dense4Pattern));
    }
    DimBitmap = image;
    DimWidth = frm->width();
    DimHeight = frm->height();

    frozen.clear();
    for (QWidget *child : frm->findChildren<QWidget *>()) {
        if (isLargePane(child) && child->updatesEnabled()) {
            child->setUpdatesEnabled(false);
            frozen.append(child);
        }
    }

    overlay = new DimOverlay(frm);
    overlay->raise();
    overlay->show();
}

void ResetScreen(QWidget *frm)
{
    QWidget *window = frm ? frm : dimmedWindow.data();
    if (overlay) {
        delete overlay.data();
        DimBitmap = QImage();
    }
    // Only the panes frozen here: a pane whose drawing its owner turned off
    // (a grid while it is filled) stays as its owner left it.
    for (const QPointer<QWidget> &pane : std::as_const(frozen)) {
        if (pane)
            pane->setUpdatesEnabled(true);
    }
    frozen.clear();
    if (window)
        window->update();
    dimmedWindow = nullptr;
}
