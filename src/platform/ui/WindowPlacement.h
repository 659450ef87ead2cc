#pragma once

#include <QPoint>

class QWidget;

// Moves a top-level window to topLeft (screen coordinates), then back onto
// the screen that holds that point as far as needed for the whole window to
// be seen; a window larger than the screen keeps its top-left corner on it.
void placeOnScreen(QWidget *window, QPoint topLeft);
