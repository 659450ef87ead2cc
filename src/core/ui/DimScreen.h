#pragma once

#include <QImage>
#include <QWidget>

// While the quit question is open the main window shows a dimmed copy of
// itself (every other pixel black, in a checkerboard) and its large panes
// do not repaint; ResetScreen brings the live window back.

// The dimmed copy (null when no dimming is in force) and its size in pixels.
extern QImage DimBitmap;
extern int DimWidth;
extern int DimHeight;

// Dims frm, the main window; nothing happens without one or while it is
// dimmed already.
void DimForm(QWidget *frm);
// Ends a dimming, lets the frozen panes repaint and repaints frm (the
// dimmed window when frm is null).
void ResetScreen(QWidget *frm = nullptr);

bool isDimmed();

// The widget that shows the dimmed copy over the window.
class DimOverlay : public QWidget
{
    Q_OBJECT

public:
    explicit DimOverlay(QWidget *window);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};
