#include "core/ui/DesktopSnapshot.h"

#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <QScreen>
#include <QWidget>

QImage tintedByAnd(const QImage &picture, const QColor &color)
{
    QImage out = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb mask = color.rgb() | 0xff000000u;
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            line[x] &= mask;
    }
    return out;
}

void DesktopSnapshot(QWidget *frm, const QColor &color)
{
    if (!frm)
        return;
    const QSize size = frm->size();
    QImage picture;
    // The screen where the window is about to appear. A window already on
    // the screen would see itself there: it gets the plain tint.
    QScreen *screen = frm->screen() ? frm->screen() : QGuiApplication::primaryScreen();
    if (screen && !frm->isVisible() && QGuiApplication::platformName() == QLatin1String("xcb")) {
        const QPoint at = frm->pos();
        picture = screen->grabWindow(0, at.x(), at.y(), size.width(), size.height()).toImage();
    }
    QImage backdrop;
    if (picture.isNull() || picture.size() != size) {
        backdrop = QImage(size, QImage::Format_RGB32);
        backdrop.fill(color);
    } else {
        backdrop = tintedByAnd(picture, color);
    }
    frm->setProperty("backdrop", QPixmap::fromImage(backdrop));
    QPalette p = frm->palette();
    p.setBrush(QPalette::Window, QBrush(QPixmap::fromImage(backdrop)));
    frm->setPalette(p);
    frm->setAutoFillBackground(true);
}
