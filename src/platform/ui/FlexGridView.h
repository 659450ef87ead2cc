#pragma once

#include "platform/FlexGrid.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QCursor>
#include <QFont>
#include <QHash>
#include <QPixmap>
#include <QPointer>

#include <functional>
#include <vector>

// The colour a grid colour value stands for: blue-green-red bytes, or with
// the top bit set one of the system colours, taken from the palette.
QColor oleToColor(OleColor value, const QPalette &palette);

// The widget that shows one FlexGrid: fixed rows and columns stay put while
// the others scroll, rows of height 0 and columns of width 0 are not drawn,
// the selection is highlighted, and nothing is drawn while the grid's
// Redraw is False. It reports the cell under the pointer to the grid
// (MouseRow, MouseCol) and passes the control's events on as signals with
// the control's arguments: Button (1 left, 2 right, 4 middle), Shift
// (1 shift, 2 ctrl, 4 alt), X and Y in twips from the control's top-left.
class FlexGridView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    // Shows a grid of its own.
    explicit FlexGridView(QWidget *parent = nullptr);
    // Shows the given grid (not owned).
    explicit FlexGridView(FlexGrid *grid, QWidget *parent = nullptr);

    FlexGrid *grid() const { return m_grid; }
    void setGrid(FlexGrid *grid);

    // The columns keep their share of the control's width when it is
    // resized: each width set by the program (a sheet's fill) is scaled at
    // once with the control. Off by default, as the grid control does.
    void setColumnsFollowWidth(bool follow);
    // No shown column narrower than the widest text it holds, nor a shown
    // row lower than its cells' lines, as drawn at the grid's font: checked
    // as a fill turns drawing back on, and once other changes (a resize, a
    // cell written while drawing) stop coming. A column is never made wider
    // than the view can show at once; a text wider than that wraps at its
    // blanks in a row made tall enough. Nothing goes below the size the
    // program set, and a raised size goes back to it once its texts need
    // less; hidden rows and columns stay hidden; a resize scales what the
    // program set. Off by default.
    void setCellsFitTexts(bool fit);

    // The pointer shown for MousePointer 99 (the link pointer by default).
    void setMouseIcon(const QCursor &cursor);
    // Where cell pictures come from, by name; by default the program's own pictures.
    void setPictureProvider(std::function<QPixmap(const QString &)> provider);

    // Manual drag of the control: 1 begins, 0 cancels, 2 ends with a drop at
    // the pointer. While a drag runs, moves over the grid send DragOver and
    // the release sends DragDrop instead of the mouse signals.
    void Drag(int action = 1);
    bool isDragging() const { return m_dragging; }

    // How a cell is drawn, as paintEvent draws it.
    struct CellStyle
    {
        QString text;
        QFont font;
        QColor foreColor;
        QColor backColor;
        Qt::Alignment alignment;
        int textStyle = 0;
        QString picture;
        int pictureAlignment = 0;
        bool fixed = false;
        bool highlighted = false;
        bool wordWrap = false; // too wide for its column: wrapped at its blanks
    };
    // The text flags a cell's text is drawn with (alignment, wrap).
    static int textFlags(const CellStyle &style);
    CellStyle cellStyle(int row, int col) const;
    // Where a cell is drawn in the viewport; an empty rectangle when it is
    // hidden or scrolled out of sight.
    QRect cellRect(int row, int col) const;
    // The row and column at a viewport position (-1 outside the cells).
    int rowAt(int y) const;
    int colAt(int x) const;

signals:
    void Click();
    void DblClick();
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);
    void KeyDown(int KeyCode, int Shift);
    void DragOver(float X, float Y, int State);
    void DragDrop(float X, float Y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Span
    {
        int index;
        int pos;
        int size;
    };

    void init();
    void connectGrid();
    void relayout();
    void updateScrollBars();
    void syncScrollFromGrid();
    void applyPointer();
    void onRedrawChanged(bool redraw);
    void recordColumnWidths();
    void requestFit();
    void fitCellsToTexts();
    struct Raised
    {
        int from; // twips, as the program set it
        int to;   // twips, as the fit raised it
    };
    template<typename Set, typename ToTwips, typename ToPixels>
    static void settle(QHash<int, Raised> &raised, int index, int now, int needPx, Set set, ToTwips twips,
                       ToPixels pixels);
    int textRoom(int col) const;
    void onScrollBar();
    int firstScrollRow() const;
    int firstScrollCol() const;
    std::vector<Span> visibleRows() const;
    std::vector<Span> visibleCols() const;
    QPointF toTwips(const QPointF &viewportPos) const;
    void trackMouse(const QPoint &viewportPos);
    void selectAt(int row, int col, bool extend);
    void moveCurrent(int dRow, int dCol, bool extend);
    void ensureRowVisible(int row);
    QPixmap picture(const QString &name) const;
    void drawCell(QPainter &p, const QRect &rect, int row, int col) const;

    QPointer<FlexGrid> m_grid;
    std::vector<int> m_rowPx, m_colPx;
    QCursor m_mouseIcon{Qt::PointingHandCursor};
    std::function<QPixmap(const QString &)> m_pictures;
    bool m_syncing = false;
    bool m_selecting = false;
    bool m_dragging = false;
    bool m_afterDoubleClick = false;
    // The column widths as last set by the program, and the control's width
    // (twips) they were set for; what a resize scales from.
    bool m_followWidth = false;
    bool m_scalingColumns = false;
    std::vector<int> m_setWidths;
    int m_setForWidth = 0;
    int m_scaledForWidth = 0; // the width the columns were last set or scaled for
    bool m_fitTexts = false;
    QHash<QString, int> m_measured[2]; // widest line of a text, plain and bold
    // Each cell's text as last measured, so that a fit after a few cells
    // changed measures only those (texts are shared, not copied, between fits).
    struct MeasuredCell
    {
        QString text;
        bool bold = false;
        int width = 0;
        bool breaks = false; // the text holds a CR or a LF
    };
    std::vector<MeasuredCell> m_cellWidths;
    int m_cellWidthsCols = 0;
    QHash<int, Raised> m_raisedCols, m_raisedRows;
    QFont m_measuredFont;
    bool m_fitPending = false;
    bool m_fitting = false;
};
