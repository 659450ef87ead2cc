#pragma once

#include "platform/FlexGrid.h"

#include <QPointer>

#include <functional>
#include <memory>

// Where a sheet is drawn: the main window's grid, or, while a zoom is asked
// for, the grid of a new zoom window. The zoom window lives above the
// sheets; it offers itself through the factory installed at start.

// The grid the last fill routine took (it clears itself when that grid goes).
extern QPointer<FlexGrid> TargetGrid;
// Set by the zoom command: the next fill routine draws into a new zoom window.
extern bool ZoomFlag;

// A zoom window asked for by a fill routine, created hidden. A window that
// was never shown goes with its handle; once shown it lives on its own
// until the user closes it.
class ZoomWindowHandle
{
public:
    virtual ~ZoomWindowHandle() = default;
    // The window's grid (loading the window, so it records the sheet key).
    virtual FlexGrid *grid() = 0;
    // Shows the window modeless, owned by the main window.
    virtual void show() = 0;
};

using ZoomWindowFactory = std::function<std::unique_ptr<ZoomWindowHandle>()>;

// Installed once by the zoom window's module; empty: zooms draw into the main grid.
void setZoomWindowFactory(ZoomWindowFactory factory);

// The grid of one fill: while ZoomFlag is set (and the sheet can be
// zoomed), a new zoom window's grid, else the main grid; TargetGrid points
// at it. showZoom() ends a successful fill: the window is shown, pending
// events run once and ZoomFlag is cleared. A fill that ends without it
// leaves no hidden window behind: the window is dropped, ZoomFlag is
// cleared and TargetGrid goes back to the main grid.
class SheetTarget
{
public:
    explicit SheetTarget(bool zoomable = true);
    ~SheetTarget();
    SheetTarget(const SheetTarget &) = delete;
    SheetTarget &operator=(const SheetTarget &) = delete;

    FlexGrid *grid() const { return m_grid; }
    bool zooming() const { return m_zoom != nullptr; }
    void showZoom();

private:
    std::unique_ptr<ZoomWindowHandle> m_zoom;
    FlexGrid *m_grid = nullptr;
    bool m_shown = false;
};

// Back to the start-up state, factory included (for tests).
void resetTargetGrid();
