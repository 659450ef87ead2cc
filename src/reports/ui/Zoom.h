#pragma once

#include "core/Variant.h"
#include "sheets/HeadingDrag.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

class ClickLabel;
class FlexGrid;
class FlexGridView;
class QAction;
class QFrame;
class QMenu;
class QPushButton;
class clsFormResize;

// Outer width and height (twips) of the zoom window loaded last; the size
// toggle returns to them.
extern short ZoomNormalWidth;
extern short ZoomNormalHeight;

// The enlarged, resizable window that shows one sheet in a grid of its own.
// Every zoom makes a new one; each lives until it is closed and keeps the
// sheet key it was loaded with for its column widths.
class Zoom : public QWidget
{
    Q_OBJECT

public:
    // Creating the window is loading it: it records its layout and copies
    // CurType. It is owned by `owner` (the main window) and not yet shown.
    explicit Zoom(QWidget *owner = nullptr);
    ~Zoom() override;

    // Controls.
    FlexGrid *FGModel = nullptr;
    FlexGridView *FG = nullptr;
    QPushButton *cmdMin = nullptr;
    QList<ClickLabel *> Panel1; // 0 "Exit", 1 "Edit", 2 "Export"
    QFrame *Shape1 = nullptr;   // the marker at a label button

    // Fields.
    QString ZoomType;
    bool Closing = false;
    std::unique_ptr<clsFormResize> FormResize;
    HeadingDrag Drag; // the press, the move and the drop of a heading

    void CloseZoom();
    void ToggleZoomSize();
    void SelectAll();
    void CopyGrid();
    // Label buttons: 0 closes the window, 1 pops up the Edit menu, 2 the
    // Export menu.
    void Panel1_Click(int Index);
    void Panel1_MouseDown(int Index);
    void Panel1_MouseMove(int Index);
    void Panel1_MouseUp(int Index);

    // The Edit menu (also on the grid's right button) and the Export menu.
    QMenu *mnuEdits = nullptr;
    QList<QAction *> mnuEdit; // 0 "Select All", 1 separator, 2 "Copy"
    QMenu *mnuExport = nullptr;
    QList<QAction *> mnuEx;   // 0 "HTML", 1..15 the exports
    void mnuExport_Click();
    void mnuEx_Click(int Index);
    void mnuEdit_Click(int Index);
    // The symbol selected when the window was made: its reports are of it.
    QString ZoomSymbol;

    // The grid's events.
    void FG_Click();
    void FG_DblClick();
    void FG_MouseDown(int Button, int Shift, float X, float Y);
    void FG_MouseMove(int Button, int Shift, float X, float Y);
    void FG_KeyDown(int KeyCode, int Shift);

    // Column widths (percent of the grid's width) for a sheet key; none
    // for keys whose fill routine's widths stay.
    static std::optional<QList<Variant>> columnWidths(const QString &key);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void createControls();
    void createMenus();
    void wireGridEvents();
    void Form_Load();
    void Form_Resize();
    void cmdMin_Click();
    // Returns whether the key was one of the window's commands.
    bool Form_KeyDown(int KeyCode, int Shift);
    void Form_MouseMove();
    void moveMarker(int index);
    int outerWidthTwips() const;
    int outerHeightTwips() const;
    void setOuterSizeTwips(int width, int height);

    bool m_shownOnce = false;
};

// Makes every zoom asked for by a fill routine a new Zoom window owned by
// the main window. main() calls it once at start.
void installZoomWindows();
