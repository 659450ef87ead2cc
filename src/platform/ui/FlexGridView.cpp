#include "platform/ui/FlexGridView.h"
#include "platform/ui/CellText.h"

#include <cmath>

#include "platform/Twips.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/ResourcePictures.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace {

// The grid's surround beyond the last row and column.
const QColor EmptyAreaColor(0x80, 0x80, 0x80);
Qt::Alignment alignmentFlags(int code, const QString &text)
{
    switch (code) {
    case 0: return Qt::AlignLeft | Qt::AlignTop;
    case 1: return Qt::AlignLeft | Qt::AlignVCenter;
    case 2: return Qt::AlignLeft | Qt::AlignBottom;
    case 3: return Qt::AlignHCenter | Qt::AlignTop;
    case 4: return Qt::AlignCenter;
    case 5: return Qt::AlignHCenter | Qt::AlignBottom;
    case 6: return Qt::AlignRight | Qt::AlignTop;
    case 7: return Qt::AlignRight | Qt::AlignVCenter;
    case 8: return Qt::AlignRight | Qt::AlignBottom;
    default: // general: numbers to the right, texts to the left
        return (flexGridNumber(text, nullptr) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
}


} // namespace

QColor oleToColor(OleColor value, const QPalette &palette)
{
    if (!(value & 0x80000000u))
        return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
    switch (value & 0xFFFF) {
    case 5: return palette.color(QPalette::Base);             // window background
    case 7:                                                    // menu text
    case 8: return palette.color(QPalette::Text);             // window text
    case 12:                                                   // application workspace
    case 16: return palette.color(QPalette::Dark);            // button shadow
    case 13: return palette.color(QPalette::Highlight);
    case 14: return palette.color(QPalette::HighlightedText);
    case 15: return palette.color(QPalette::Button);          // button face
    case 17: return palette.color(QPalette::Disabled, QPalette::Text); // grey text
    case 18: return palette.color(QPalette::ButtonText);
    case 20: return palette.color(QPalette::Light);           // button highlight
    case 21: return palette.color(QPalette::Shadow);
    case 22: return palette.color(QPalette::Midlight);
    case 23: return palette.color(QPalette::ToolTipText);
    case 24: return palette.color(QPalette::ToolTipBase);
    default: return palette.color(QPalette::Window);
    }
}

FlexGridView::FlexGridView(QWidget *parent) : QAbstractScrollArea(parent)
{
    init();
    setGrid(new FlexGrid(this));
}

FlexGridView::FlexGridView(FlexGrid *grid, QWidget *parent) : QAbstractScrollArea(parent)
{
    init();
    setGrid(grid);
}

void FlexGridView::init()
{
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &FlexGridView::onScrollBar);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &FlexGridView::onScrollBar);
}

void FlexGridView::setGrid(FlexGrid *grid)
{
    if (m_grid)
        m_grid->disconnect(this);
    m_grid = grid;
    m_raisedCols.clear();
    m_raisedRows.clear();
    if (m_grid) {
        auto repaint = [this] { viewport()->update(); };
        connect(m_grid, &FlexGrid::cellsChanged, this, repaint);
        connect(m_grid, &FlexGrid::selectionChanged, this, repaint);
        connect(m_grid, &FlexGrid::appearanceChanged, this, repaint);
        connect(m_grid, &FlexGrid::layoutChanged, this, &FlexGridView::relayout);
        connect(m_grid, &FlexGrid::reset, this, &FlexGridView::relayout);
        connect(m_grid, &FlexGrid::layoutChanged, this, &FlexGridView::recordColumnWidths);
        connect(m_grid, &FlexGrid::reset, this, &FlexGridView::recordColumnWidths);
        connect(m_grid, &FlexGrid::cellsChanged, this, &FlexGridView::requestFit);
        connect(m_grid, &FlexGrid::layoutChanged, this, &FlexGridView::requestFit);
        // A fill ends with drawing back on: it is fitted before anything else happens.
        connect(m_grid, &FlexGrid::reset, this, &FlexGridView::fitCellsToTexts);
        connect(m_grid, &FlexGrid::scrollChanged, this, [this] {
            syncScrollFromGrid();
            viewport()->update();
        });
        connect(m_grid, &FlexGrid::mousePointerChanged, this, &FlexGridView::applyPointer);
        connect(m_grid, &FlexGrid::redrawChanged, this, &FlexGridView::onRedrawChanged);
        m_grid->setWidth(qRound(Twips::fromPixelsX(width(), this)));
        viewport()->setUpdatesEnabled(m_grid->Redraw());
    }
    applyPointer();
    relayout();
}

void FlexGridView::setColumnsFollowWidth(bool follow)
{
    m_followWidth = follow;
    recordColumnWidths();
}

void FlexGridView::recordColumnWidths()
{
    // Widths raised to fit their texts are not the program's: a resize
    // scales what the program set, and the fit follows.
    if (!m_followWidth || m_scalingColumns || m_fitting || !m_grid)
        return;
    m_setWidths.resize(size_t(m_grid->Cols()));
    for (int c = 0; c < m_grid->Cols(); ++c)
        m_setWidths[size_t(c)] = m_grid->ColWidth(c);
    m_setForWidth = m_scaledForWidth = m_grid->Width();
}

void FlexGridView::setMouseIcon(const QCursor &cursor)
{
    m_mouseIcon = cursor;
    applyPointer();
}

void FlexGridView::setPictureProvider(std::function<QPixmap(const QString &)> provider)
{
    m_pictures = std::move(provider);
    viewport()->update();
}

void FlexGridView::onRedrawChanged(bool redraw)
{
    // Like switching a window's drawing off: the last picture stays on screen.
    viewport()->setUpdatesEnabled(redraw);
}

void FlexGridView::relayout()
{
    m_rowPx.clear();
    m_colPx.clear();
    if (m_grid) {
        m_rowPx.reserve(size_t(m_grid->Rows()));
        for (int r = 0; r < m_grid->Rows(); ++r)
            m_rowPx.push_back(Twips::toPixelsY(m_grid->RowHeight(r), this));
        m_colPx.reserve(size_t(m_grid->Cols()));
        for (int c = 0; c < m_grid->Cols(); ++c)
            m_colPx.push_back(Twips::toPixelsX(m_grid->ColWidth(c), this));
    }
    updateScrollBars();
    syncScrollFromGrid();
    viewport()->update();
}

// Scroll ranges count rows and columns: the last position is the first one
// from which every later row (column) fits in the view.
void FlexGridView::updateScrollBars()
{
    auto range = [](const std::vector<int> &px, int fixed, int extent, int *page) {
        const int count = int(px.size());
        int fixedSize = 0;
        for (int i = 0; i < fixed && i < count; ++i)
            fixedSize += px[size_t(i)];
        const int avail = extent - fixedSize;
        int sum = 0, i = count - 1;
        while (i >= fixed && sum + px[size_t(i)] <= avail) {
            sum += px[size_t(i)];
            --i;
        }
        const int lastTop = std::max(fixed, std::min(i + 1, count - 1));
        *page = std::max(1, count - 1 - i);
        return std::max(0, lastTop - fixed);
    };
    m_syncing = true;
    int page = 1;
    const int rows = m_grid ? range(m_rowPx, m_grid->FixedRows(), viewport()->height(), &page) : 0;
    verticalScrollBar()->setRange(0, rows);
    verticalScrollBar()->setPageStep(page);
    const int cols = m_grid ? range(m_colPx, m_grid->FixedCols(), viewport()->width(), &page) : 0;
    horizontalScrollBar()->setRange(0, cols);
    horizontalScrollBar()->setPageStep(page);
    m_syncing = false;
}

// Shows the grid's TopRow and LeftCol, as far as the rows below let it, and
// tells the grid where it really stands.
void FlexGridView::syncScrollFromGrid()
{
    if (!m_grid)
        return;
    m_syncing = true;
    verticalScrollBar()->setValue(m_grid->TopRow() - m_grid->FixedRows());
    horizontalScrollBar()->setValue(m_grid->LeftCol() - m_grid->FixedCols());
    m_syncing = false;
    if (m_grid->Rows() > m_grid->FixedRows())
        m_grid->setTopRow(firstScrollRow());
    if (m_grid->Cols() > m_grid->FixedCols())
        m_grid->setLeftCol(firstScrollCol());
}

void FlexGridView::onScrollBar()
{
    if (m_syncing || !m_grid)
        return;
    m_syncing = true;
    if (m_grid->Rows() > m_grid->FixedRows())
        m_grid->setTopRow(firstScrollRow());
    if (m_grid->Cols() > m_grid->FixedCols())
        m_grid->setLeftCol(firstScrollCol());
    m_syncing = false;
    viewport()->update();
}

void FlexGridView::scrollContentsBy(int, int)
{
    viewport()->update();
}

int FlexGridView::firstScrollRow() const
{
    return m_grid ? m_grid->FixedRows() + verticalScrollBar()->value() : 0;
}

int FlexGridView::firstScrollCol() const
{
    return m_grid ? m_grid->FixedCols() + horizontalScrollBar()->value() : 0;
}

std::vector<FlexGridView::Span> FlexGridView::visibleRows() const
{
    std::vector<Span> spans;
    if (!m_grid)
        return spans;
    const int count = std::min(m_grid->Rows(), int(m_rowPx.size()));
    const int extent = viewport()->height();
    int y = 0;
    for (int r = 0; r < m_grid->FixedRows() && r < count; ++r) {
        if (m_rowPx[size_t(r)] > 0)
            spans.push_back({r, y, m_rowPx[size_t(r)]});
        y += m_rowPx[size_t(r)];
    }
    for (int r = firstScrollRow(); r < count && y < extent; ++r) {
        if (m_rowPx[size_t(r)] > 0)
            spans.push_back({r, y, m_rowPx[size_t(r)]});
        y += m_rowPx[size_t(r)];
    }
    return spans;
}

std::vector<FlexGridView::Span> FlexGridView::visibleCols() const
{
    std::vector<Span> spans;
    if (!m_grid)
        return spans;
    const int count = std::min(m_grid->Cols(), int(m_colPx.size()));
    const int extent = viewport()->width();
    int x = 0;
    for (int c = 0; c < m_grid->FixedCols() && c < count; ++c) {
        if (m_colPx[size_t(c)] > 0)
            spans.push_back({c, x, m_colPx[size_t(c)]});
        x += m_colPx[size_t(c)];
    }
    for (int c = firstScrollCol(); c < count && x < extent; ++c) {
        if (m_colPx[size_t(c)] > 0)
            spans.push_back({c, x, m_colPx[size_t(c)]});
        x += m_colPx[size_t(c)];
    }
    return spans;
}

int FlexGridView::rowAt(int y) const
{
    for (const Span &s : visibleRows())
        if (y >= s.pos && y < s.pos + s.size)
            return s.index;
    return -1;
}

int FlexGridView::colAt(int x) const
{
    for (const Span &s : visibleCols())
        if (x >= s.pos && x < s.pos + s.size)
            return s.index;
    return -1;
}

QRect FlexGridView::cellRect(int row, int col) const
{
    QRect rect;
    for (const Span &r : visibleRows())
        if (r.index == row)
            for (const Span &c : visibleCols())
                if (c.index == col)
                    rect = QRect(c.pos, r.pos, c.size, r.size);
    return rect;
}

FlexGridView::CellStyle FlexGridView::cellStyle(int row, int col) const
{
    CellStyle s;
    if (!m_grid || !m_grid->isCell(row, col))
        return s;
    const FlexCellFormat &f = m_grid->cellFormat(row, col);
    const QPalette &pal = palette();
    s.fixed = row < m_grid->FixedRows() || col < m_grid->FixedCols();
    s.text = m_grid->TextMatrix(row, col);
    s.font = font();
    s.font.setBold(f.bold);
    s.font.setUnderline(f.underline);
    s.alignment = alignmentFlags(m_grid->effectiveAlignment(row, col), s.text);
    s.textStyle = f.textStyle;
    if (m_fitTexts && col < int(m_colPx.size()) && !s.text.isEmpty())
        s.wordWrap =
            widestTextLine(QFontMetrics(s.font), cellDisplayText(s.text)) > m_colPx[size_t(col)] - 2 * CellTextPadX;
    s.picture = f.picture;
    s.pictureAlignment = f.pictureAlignment;

    if (!s.fixed) {
        const int r0 = std::min(m_grid->Row(), m_grid->RowSel()), r1 = std::max(m_grid->Row(), m_grid->RowSel());
        const int c0 = std::min(m_grid->Col(), m_grid->ColSel()), c1 = std::max(m_grid->Col(), m_grid->ColSel());
        const bool oneCell = r0 == r1 && c0 == c1;
        const bool current = row == m_grid->Row() && col == m_grid->Col();
        s.highlighted = !oneCell && !current && row >= r0 && row <= r1 && col >= c0 && col <= c1;
    }
    if (s.highlighted) {
        s.backColor = pal.color(QPalette::Highlight);
        s.foreColor = pal.color(QPalette::HighlightedText);
        return s;
    }
    if (f.backColor != 0)
        s.backColor = oleToColor(f.backColor, pal);
    else
        s.backColor = s.fixed ? pal.color(QPalette::Button) : oleToColor(m_grid->BackColor(), pal);
    if (f.foreColor != 0)
        s.foreColor = oleToColor(f.foreColor, pal);
    else
        s.foreColor = pal.color(s.fixed ? QPalette::ButtonText : QPalette::Text);
    return s;
}

QPixmap FlexGridView::picture(const QString &name) const
{
    return m_pictures ? m_pictures(name) : LoadResPicture(name);
}

void FlexGridView::drawCell(QPainter &p, const QRect &rect, int row, int col) const
{
    const CellStyle s = cellStyle(row, col);
    p.fillRect(rect, s.backColor);

    if (!s.picture.isEmpty()) {
        const QPixmap pm = picture(s.picture);
        if (!pm.isNull()) {
            if (s.pictureAlignment == 9) {
                p.drawPixmap(rect, pm);
            } else {
                const QRect place = QStyle::alignedRect(Qt::LeftToRight, alignmentFlags(s.pictureAlignment, QString()),
                                                        pm.size(), rect);
                p.drawPixmap(place.topLeft(), pm);
            }
        }
    }

    if (!s.text.isEmpty()) {
        const QRect textRect = rect.adjusted(CellTextPadX, CellTextPadY, -CellTextPadX, -CellTextPadY);
        const QString text = cellDisplayText(s.text);
        p.setFont(s.font);
        if (s.textStyle != 0) {
            // Raised text has its light edge above and left, inset text below and right.
            const bool raised = s.textStyle == 1 || s.textStyle == 3;
            p.setPen(palette().color(QPalette::Light));
            p.drawText(textRect.translated(raised ? -1 : 1, raised ? -1 : 1), textFlags(s), text);
        }
        p.setPen(s.foreColor);
        p.drawText(textRect, textFlags(s), text);
    }

    const int lines = s.fixed ? 2 : m_grid->GridLines();
    const QColor dark = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    switch (lines) {
    case 1:
        p.setPen(QColor(0xC0, 0xC0, 0xC0));
        p.drawLine(rect.topRight(), rect.bottomRight());
        p.drawLine(rect.bottomLeft(), rect.bottomRight());
        break;
    case 2:
    case 3:
        p.setPen(lines == 2 ? dark : light);
        p.drawLine(rect.topRight(), rect.bottomRight());
        p.drawLine(rect.bottomLeft(), rect.bottomRight());
        p.setPen(lines == 2 ? light : dark);
        p.drawLine(rect.topLeft(), rect.topRight());
        p.drawLine(rect.topLeft(), rect.bottomLeft());
        break;
    default:
        break;
    }

    if (hasFocus() && !s.fixed && row == m_grid->Row() && col == m_grid->Col()) {
        QPen pen(s.foreColor);
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        p.drawRect(rect.adjusted(1, 1, -2, -2));
    }
}

void FlexGridView::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), EmptyAreaColor);
    if (!m_grid)
        return;
    const std::vector<Span> cols = visibleCols();
    for (const Span &r : visibleRows())
        for (const Span &c : cols)
            drawCell(p, QRect(c.pos, r.pos, c.size, r.size), r.index, c.index);
}

void FlexGridView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (m_grid) {
        const int now = qRound(Twips::fromPixelsX(width(), this));
        m_grid->setWidth(now);
        requestFit(); // the room a column may take changed
        // Only a new width rescales: a scroll bar coming or going resizes the
        // view's inside alone.
        if (m_followWidth && m_setForWidth > 0 && now > 0 && now != m_scaledForWidth
            && int(m_setWidths.size()) == m_grid->Cols()) {
            // From the widths as set, never from scaled ones, so rounding
            // does not add up over a drag of the window's edge.
            m_scalingColumns = true;
            const double ratio = double(now) / m_setForWidth;
            for (int c = 0; c < m_grid->Cols(); ++c)
                m_grid->setColWidth(c, int(std::lround(m_setWidths[size_t(c)] * ratio)));
            m_scalingColumns = false;
            m_scaledForWidth = now;
        }
    }
    updateScrollBars();
    syncScrollFromGrid();
}

void FlexGridView::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        viewport()->update();
}

void FlexGridView::applyPointer()
{
    const int pointer = m_grid ? m_grid->MousePointer() : 0;
    if (pointer == 0)
        viewport()->unsetCursor();
    else
        viewport()->setCursor(cursorForPointer(pointer, m_mouseIcon));
}

QPointF FlexGridView::toTwips(const QPointF &viewportPos) const
{
    const QPointF pos = viewportPos + viewport()->geometry().topLeft();
    return QPointF(Twips::fromPixelsX(pos.x(), this), Twips::fromPixelsY(pos.y(), this));
}

void FlexGridView::trackMouse(const QPoint &viewportPos)
{
    if (m_grid)
        m_grid->setMouseCell(rowAt(viewportPos.y()), colAt(viewportPos.x()));
}

// A press in a scrolling cell makes it current; one on a fixed row selects
// its column, one on a fixed column its row.
void FlexGridView::selectAt(int row, int col, bool extend)
{
    FlexGrid *g = m_grid;
    if (!g || row < 0 || col < 0)
        return;
    const bool fixedRow = row < g->FixedRows(), fixedCol = col < g->FixedCols();
    if (!fixedRow && !fixedCol) {
        if (extend) {
            g->setRowSel(row);
            g->setColSel(col);
        } else {
            g->setCol(col);
            g->setRow(row);
        }
    } else if (fixedRow && !fixedCol && g->Rows() > g->FixedRows()) {
        g->setCol(col);
        g->setRow(g->FixedRows());
        g->setRowSel(g->Rows() - 1);
    } else if (fixedCol && !fixedRow && g->Cols() > g->FixedCols()) {
        g->setCol(g->FixedCols());
        g->setRow(row);
        g->setColSel(g->Cols() - 1);
    }
}

void FlexGridView::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    trackMouse(pos);
    m_afterDoubleClick = false;
    if (m_dragging)
        return;
    if (event->button() == Qt::LeftButton && m_grid) {
        selectAt(m_grid->MouseRow(), m_grid->MouseCol(), event->modifiers() & Qt::ShiftModifier);
        m_selecting = m_grid->MouseRow() >= m_grid->FixedRows() && m_grid->MouseCol() >= m_grid->FixedCols();
    }
    const QPointF t = toTwips(event->position());
    emit MouseDown(VbMouse::buttonOf(event->button()), VbMouse::shiftOf(event->modifiers()), float(t.x()),
                   float(t.y()));
}

void FlexGridView::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    trackMouse(pos);
    const QPointF t = toTwips(event->position());
    if (m_dragging) {
        emit DragOver(float(t.x()), float(t.y()), 2);
        return;
    }
    if (m_selecting && (event->buttons() & Qt::LeftButton) && m_grid) {
        const int row = m_grid->MouseRow(), col = m_grid->MouseCol();
        if (row >= m_grid->FixedRows() && col >= m_grid->FixedCols())
            selectAt(row, col, true);
    }
    emit MouseMove(VbMouse::buttonsOf(event->buttons()), VbMouse::shiftOf(event->modifiers()), float(t.x()),
                   float(t.y()));
}

void FlexGridView::mouseReleaseEvent(QMouseEvent *event)
{
    trackMouse(event->position().toPoint());
    const QPointF t = toTwips(event->position());
    if (m_dragging) {
        m_dragging = false;
        applyPointer();
        emit DragDrop(float(t.x()), float(t.y()));
        return;
    }
    m_selecting = false;
    const bool click = event->button() == Qt::LeftButton && !m_afterDoubleClick;
    m_afterDoubleClick = false;
    // A handler may close the window that holds the grid.
    QPointer<FlexGridView> alive(this);
    emit MouseUp(VbMouse::buttonOf(event->button()), VbMouse::shiftOf(event->modifiers()), float(t.x()),
                 float(t.y()));
    if (click && alive)
        emit Click();
}

void FlexGridView::mouseDoubleClickEvent(QMouseEvent *event)
{
    trackMouse(event->position().toPoint());
    if (m_dragging)
        return;
    m_afterDoubleClick = true;
    if (event->button() == Qt::LeftButton)
        emit DblClick();
}

void FlexGridView::Drag(int action)
{
    switch (action) {
    case 1:
        m_dragging = true;
        viewport()->setCursor(Qt::DragMoveCursor);
        break;
    case 2:
        if (m_dragging) {
            m_dragging = false;
            applyPointer();
            const QPointF t = toTwips(viewport()->mapFromGlobal(QCursor::pos()));
            emit DragDrop(float(t.x()), float(t.y()));
        }
        break;
    default:
        m_dragging = false;
        applyPointer();
        break;
    }
}

void FlexGridView::keyPressEvent(QKeyEvent *event)
{
    const int code = VbMouse::keyCodeOf(event->key());
    if (code)
        emit KeyDown(code, VbMouse::shiftOf(event->modifiers()));
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const int page = std::max(1, verticalScrollBar()->pageStep());
    switch (event->key()) {
    case Qt::Key_Up: moveCurrent(-1, 0, extend); break;
    case Qt::Key_Down: moveCurrent(1, 0, extend); break;
    case Qt::Key_Left: moveCurrent(0, -1, extend); break;
    case Qt::Key_Right: moveCurrent(0, 1, extend); break;
    case Qt::Key_PageUp: moveCurrent(-page, 0, extend); break;
    case Qt::Key_PageDown: moveCurrent(page, 0, extend); break;
    default: QAbstractScrollArea::keyPressEvent(event); break;
    }
}

// Moves the current cell (or the selection's end) within the scrolling
// cells, passing over hidden rows and columns.
void FlexGridView::moveCurrent(int dRow, int dCol, bool extend)
{
    FlexGrid *g = m_grid;
    if (!g || g->Rows() <= g->FixedRows() || g->Cols() <= g->FixedCols())
        return;
    auto step = [](int from, int delta, int first, int count, const std::vector<int> &px) {
        int to = std::clamp(from + delta, first, count - 1);
        const int dir = delta < 0 ? -1 : 1;
        while (to >= first && to < count && to < int(px.size()) && px[size_t(to)] == 0)
            to += dir;
        return (to >= first && to < count) ? to : from;
    };
    const int fromRow = extend ? g->RowSel() : g->Row();
    const int fromCol = extend ? g->ColSel() : g->Col();
    const int row = dRow ? step(fromRow, dRow, g->FixedRows(), g->Rows(), m_rowPx) : fromRow;
    const int col = dCol ? step(fromCol, dCol, g->FixedCols(), g->Cols(), m_colPx) : fromCol;
    selectAt(row, col, extend);
    ensureRowVisible(row);
}

void FlexGridView::ensureRowVisible(int row)
{
    FlexGrid *g = m_grid;
    if (!g || row < g->FixedRows() || row >= int(m_rowPx.size()))
        return;
    if (row < firstScrollRow()) {
        g->setTopRow(row);
        return;
    }
    int fixedSize = 0;
    for (int r = 0; r < g->FixedRows(); ++r)
        fixedSize += m_rowPx[size_t(r)];
    const int avail = viewport()->height() - fixedSize;
    int sum = 0;
    for (int r = firstScrollRow(); r <= row; ++r)
        sum += m_rowPx[size_t(r)];
    if (sum <= avail)
        return;
    int top = row, height = m_rowPx[size_t(row)];
    while (top - 1 >= g->FixedRows() && height + m_rowPx[size_t(top - 1)] <= avail)
        height += m_rowPx[size_t(--top)];
    g->setTopRow(top);
}
