#include "core/TargetGrid.h"

#include "core/MainWindow.h"

#include <QCoreApplication>

QPointer<FlexGrid> TargetGrid;
bool ZoomFlag = false;

namespace {

ZoomWindowFactory &zoomFactory()
{
    static ZoomWindowFactory factory;
    return factory;
}

FlexGrid *mainFG()
{
    MainWindow *window = mainWindow();
    return window ? window->mainGrid() : nullptr;
}

} // namespace

void setZoomWindowFactory(ZoomWindowFactory factory)
{
    zoomFactory() = std::move(factory);
}

SheetTarget::SheetTarget(bool zoomable)
{
    if (zoomable && ZoomFlag && zoomFactory()) {
        m_zoom = zoomFactory()();
        if (m_zoom)
            m_grid = m_zoom->grid();
        if (!m_grid)
            m_zoom.reset();
    }
    if (!m_grid) {
        // No zoom window to be had: the sheet goes to the main grid and the
        // request is spent, so the next sheet does not zoom by surprise.
        if (zoomable)
            ZoomFlag = false;
        m_grid = mainFG();
    }
    TargetGrid = m_grid;
}

SheetTarget::~SheetTarget()
{
    if (!m_zoom || m_shown)
        return;
    m_zoom.reset();
    ZoomFlag = false;
    TargetGrid = mainFG();
}

void SheetTarget::showZoom()
{
    if (!m_zoom || m_shown)
        return;
    m_zoom->show();
    m_shown = true;
    QCoreApplication::processEvents();
    ZoomFlag = false;
}

void resetTargetGrid()
{
    TargetGrid = nullptr;
    ZoomFlag = false;
    zoomFactory() = nullptr;
}
