#pragma once

#include <QList>

class QWidget;

// One row of controls of a window's design: each at its design left
// (twips), or just after the one before where the system's font or style
// needs more room, and at least as wide as it needs. Widths of 0 take what
// the control needs. Returns the row's right edge in pixels.
struct DesignCell
{
    QWidget *widget;
    int left;
    int width;
};
int placeRow(const QList<DesignCell> &row, int top, int height);
