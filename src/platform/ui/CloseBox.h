#pragma once

#include <functional>

class QWidget;

// The title bar's close box (and any close() of the window) runs the
// window's own way out, its Exit or Cancel, instead of only hiding it:
// the close request is refused and closeWindow decides.
void onCloseBox(QWidget *window, std::function<void()> closeWindow);
