#pragma once

#include <QColor>
#include <QPixmap>

class QWidget;

// The see-through look of a small borderless window: the part of the screen
// the window is about to cover (call it before the window is shown, at its
// place) becomes its background, tinted by combining each pixel
// with the colour (bitwise AND: white turns into the colour, black stays
// black). Where the screen cannot be read (Wayland, offscreen) the
// background is the colour itself. The window keeps the picture as the
// dynamic property "backdrop" and shows it through its palette.
void DesktopSnapshot(QWidget *frm, const QColor &color = QColor(170, 250, 250));

// The tint step alone: every pixel of picture ANDed with color.
QImage tintedByAnd(const QImage &picture, const QColor &color);
