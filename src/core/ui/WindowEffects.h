#pragma once

#include <QList>
#include <functional>

class QWidget;

// Closing animation: the window's height shrinks in steps - 1 equal steps
// of its height / steps while its top edge stays; pending events run after
// each step. A maximised window is left alone. The caller closes the window
// afterwards; from the start the window counts as closing (ClosingGuard.h).
void RollWindow(QWidget *frm, short steps);

// Lines up the shrunk ("mini") zoom and property windows - visible windows
// named "Zoom" or "Properties" less than 3000 twips wide - in rows of five
// below the main window's ticker: the first row at the ticker's top + 700
// twips, each further row 450 twips lower; each tile abuts the one before
// it. From the 36th mini window on, windows keep their place.
void TileMiniWindows(QWidget *frm, int tickerTop, const QList<QWidget *> &openWindows);
// The same over OpenWindows(), with the ticker top the main window reports.
void TileMiniWindows(QWidget *frm);

// The main window reports where its ticker's top is (twips, in its own
// coordinates); until then the tiles start at 0.
void setTickerTopSource(std::function<int()> tickerTop);

// The application's windows in the order they were first shown.
QList<QWidget *> OpenWindows();
