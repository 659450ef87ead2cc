#pragma once

#include <QObject>
#include <QString>

#include <vector>

// Colours as the sheets write them: blue, green, red from the high byte down
// (0xFF0000 is blue). A value with the top bit set names a system colour
// (0x80000005 the window background). On a cell, 0 means the grid's standard
// colour rather than black.
using OleColor = quint32;

// The formats of one cell.
struct FlexCellFormat
{
    OleColor foreColor = 0;
    OleColor backColor = 0;
    qint8 alignment = -1; // -1: the column's alignment
    bool bold = false;
    bool underline = false;
    qint8 textStyle = 0;        // 0 flat, 1 raised, 2 inset, 3 raised light, 4 inset light
    qint8 pictureAlignment = 0; // alignment codes 0-8, 9 stretch
    float fontWidth = 0;        // 0: the font's own width
    QString picture;            // name of a picture resource ("UP", "DN"); empty: none
};

// The data grid behind every sheet: a table of texts and cell formats with
// the current cell, the selection and the layout (twips) of the grid control
// the program was written for. It has no widget; FlexGridView shows one.
//
// Members keep the control's names: a getter named like the member and a
// setter with "set" in front (FG.TextMatrix(r, c) = t becomes
// setTextMatrix(r, c, t)). A setter returns false, and changes nothing,
// where the control raises a run-time error (a row or column outside the
// grid, a value out of range); callers that ignore errors just go on.
// The Cell... members act on the current cell (Row, Col).
//
// Signals are coarse: while Redraw is False nothing is signalled, and
// switching Redraw back on sends one reset().
class FlexGrid : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultRowHeight = 240; // twips
    static constexpr int DefaultColWidth = 960;  // twips
    static constexpr int AlignGeneral = 9;       // texts left, numbers right
    static constexpr OleColor WindowBackground = 0x80000005;

    explicit FlexGrid(QObject *parent = nullptr);

    // Size. Rows never goes below FixedRows nor Cols below FixedCols.
    int Rows() const { return int(m_rows.size()); }
    bool setRows(int rows);
    int Cols() const { return int(m_columns.size()); }
    bool setCols(int cols);
    int FixedRows() const { return m_fixedRows; }
    bool setFixedRows(int rows);
    int FixedCols() const { return m_fixedCols; }
    bool setFixedCols(int cols);

    // Current cell and selection. Setting Row or Col also collapses the
    // selection onto the current cell, as the control does.
    int Row() const { return m_row; }
    bool setRow(int row);
    int Col() const { return m_col; }
    bool setCol(int col);
    int RowSel() const { return m_rowSel; }
    bool setRowSel(int row);
    int ColSel() const { return m_colSel; }
    bool setColSel(int col);

    // First scrolling row and column shown (the fixed ones always show).
    int TopRow() const { return m_topRow; }
    bool setTopRow(int row);
    int LeftCol() const { return m_leftCol; }
    bool setLeftCol(int col);

    // Texts. TextArray counts cells row by row: i = row * Cols + col.
    QString TextMatrix(int row, int col) const;
    bool setTextMatrix(int row, int col, const QString &text);
    QString TextArray(int index) const;
    bool setTextArray(int index, const QString &text);

    // A number the row carries for its sheet (the record it shows), moving
    // with it when rows are sorted; -1 on a new or cleared row and outside
    // the grid. No text or look depends on it.
    qint64 RowData(int row) const;
    bool setRowData(int row, qint64 value);

    // Appends a row (or inserts it before row index) whose cells take the
    // tab-separated texts from column 0 on; texts past the last column are dropped.
    bool AddItem(const QString &item, int index = -1);
    // Empties every cell's text and formats; sizes and layout stay.
    void Clear();
    // Texts of the selection: cells joined by a tab, rows by a carriage return.
    QString Clip() const;
    // Selects every cell, headings included, the current cell at (0, 0).
    void selectAllCells();
    // Sort = 1 (generic ascending) or 2 (generic descending); 0 does nothing.
    // Whole rows move, with their formats and heights. The rows are those of
    // the selection (Row to RowSel), or, when that is one row, every row
    // below the fixed rows; the keys are the columns Col to ColSel, compared
    // left to right. Each key reads as a number when, without blanks at
    // either end, it is an optional sign, an optional "$", digits (commas
    // between them allowed), an optional decimal part, an optional exponent
    // and an optional "%" ("-1,250.5", "$12", "+0.25%"). Ascending: numbers
    // by value before texts, texts without regard to letter case. Descending
    // is the exact reverse. Rows with equal keys keep their order.
    bool setSort(int setting);
    // ColPosition(col) = position: moves the column, with its texts, formats,
    // width and alignment, to the position; the columns between shift over.
    bool setColPosition(int col, int position);
    // Left edge of a column in twips from the grid's left edge, as shown
    // (fixed columns, then the columns from LeftCol on).
    int ColPos(int col) const;

    // Layout in twips. A height or width of 0 hides the row or column;
    // -1 gives the default back.
    int ColWidth(int col) const;
    bool setColWidth(int col, int twips);
    int RowHeight(int row) const;
    bool setRowHeight(int row, int twips);
    // A size the view gives a column or row so that its texts show whole:
    // laid out as any other, but not an edit of what the sheet drew.
    bool setFittedColWidth(int col, int twips);
    bool setFittedRowHeight(int row, int twips);
    int ColAlignment(int col) const;
    bool setColAlignment(int col, int alignment);

    // Formats of the current cell.
    int CellAlignment() const; // the column's when the cell has none of its own
    bool setCellAlignment(int alignment);
    OleColor CellForeColor() const { return currentFormat().foreColor; }
    bool setCellForeColor(OleColor color);
    OleColor CellBackColor() const { return currentFormat().backColor; }
    bool setCellBackColor(OleColor color);
    bool CellFontBold() const { return currentFormat().bold; }
    bool setCellFontBold(bool bold);
    bool CellFontUnderline() const { return currentFormat().underline; }
    bool setCellFontUnderline(bool underline);
    int CellTextStyle() const { return currentFormat().textStyle; }
    bool setCellTextStyle(int style);
    float CellFontWidth() const { return currentFormat().fontWidth; }
    bool setCellFontWidth(float width);
    QString CellPicture() const { return currentFormat().picture; }
    bool setCellPicture(const QString &name);
    int CellPictureAlignment() const { return currentFormat().pictureAlignment; }
    bool setCellPictureAlignment(int alignment);

    // The whole grid.
    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor color);
    int GridLines() const { return m_gridLines; } // 0 none, 1 flat, 2 inset, 3 raised
    bool setGridLines(int style);
    bool Redraw() const { return m_redraw; }
    void setRedraw(bool redraw);
    int MousePointer() const { return m_mousePointer; } // 0 default, 11 hourglass, 99 the grid's own
    void setMousePointer(int pointer);
    // The control's outer width in twips (border and scroll bar included).
    // The view keeps it up to date.
    int Width() const { return m_width; }
    void setWidth(int twips);

    // Grows with every change of a text, a format, the layout, the look or
    // the width (not with the current cell, the selection or scrolling), so
    // a sheet can tell that the grid still holds what it drew.
    quint64 editCount() const { return m_edits; }

    // The cell under the pointer (-1 outside the cells); the view sets it.
    int MouseRow() const { return m_mouseRow; }
    int MouseCol() const { return m_mouseCol; }
    void setMouseCell(int row, int col);

    // For the view and tests.
    bool isCell(int row, int col) const { return row >= 0 && row < Rows() && col >= 0 && col < Cols(); }
    const FlexCellFormat &cellFormat(int row, int col) const;
    // The alignment a cell is drawn with (its own, else its column's).
    int effectiveAlignment(int row, int col) const;

signals:
    void cellsChanged();     // texts or formats
    void layoutChanged();    // sizes, fixed rows/columns, widths, heights
    void selectionChanged(); // current cell or selection
    void scrollChanged();    // TopRow, LeftCol
    void appearanceChanged(); // BackColor, GridLines
    void mousePointerChanged();
    void redrawChanged(bool redraw);
    void reset(); // Redraw came back on: everything may have changed

private:
    struct Cell
    {
        QString text;
        FlexCellFormat format;
    };
    struct RowStore
    {
        std::vector<Cell> cells;
        int height = DefaultRowHeight;
        qint64 data = -1;
    };
    struct ColumnData
    {
        int width = DefaultColWidth;
        int alignment = AlignGeneral;
    };

    const FlexCellFormat &currentFormat() const;
    FlexCellFormat *currentFormatForWrite();
    RowStore newRow() const;
    void clampPositions();
    void notifyCells();
    void notifyLayout();
    void notifySelection();
    void notifyScroll();

    std::vector<RowStore> m_rows;
    std::vector<ColumnData> m_columns;
    int m_fixedRows = 1, m_fixedCols = 1;
    int m_row = 1, m_col = 1, m_rowSel = 1, m_colSel = 1;
    int m_topRow = 1, m_leftCol = 1;
    OleColor m_backColor = WindowBackground;
    int m_gridLines = 1;
    bool m_redraw = true;
    int m_mousePointer = 0;
    int m_width = 0;
    quint64 m_edits = 0;
    int m_mouseRow = -1, m_mouseCol = -1;
};

// Reads a cell text as a number the way the generic sort does (see setSort).
bool flexGridNumber(const QString &text, double *value);
