#include "platform/FlexGrid.h"

#include <algorithm>

namespace {

bool validAlignment(int alignment)
{
    return alignment >= 0 && alignment <= 9;
}

// Keys of one row for the sort: a number, or a text.
struct SortKey
{
    bool isNumber = false;
    double number = 0;
    QString text;
};

int compareKeys(const SortKey &a, const SortKey &b)
{
    if (a.isNumber && b.isNumber)
        return a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
    if (a.isNumber != b.isNumber)
        return a.isNumber ? -1 : 1;
    return QString::compare(a.text, b.text, Qt::CaseInsensitive);
}

} // namespace

bool flexGridNumber(const QString &text, double *value)
{
    const QString t = text.trimmed();
    const qsizetype n = t.size();
    qsizetype i = 0;
    auto digitAt = [&t, n](qsizetype k) { return k < n && t[k] >= QLatin1Char('0') && t[k] <= QLatin1Char('9'); };
    QString plain;
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        plain += t[i++];
    if (i < n && t[i] == QLatin1Char('$'))
        ++i;
    bool digits = false;
    while (i < n) {
        if (digitAt(i)) {
            plain += t[i++];
            digits = true;
        } else if (t[i] == QLatin1Char(',') && digits && digitAt(i + 1)) {
            ++i; // thousands separator
        } else {
            break;
        }
    }
    if (i < n && t[i] == QLatin1Char('.')) {
        plain += t[i++];
        while (digitAt(i)) {
            plain += t[i++];
            digits = true;
        }
    }
    if (!digits)
        return false;
    if (i < n && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        plain += t[i++];
        if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
            plain += t[i++];
        if (!digitAt(i))
            return false;
        while (digitAt(i))
            plain += t[i++];
    }
    if (i < n && t[i] == QLatin1Char('%'))
        ++i;
    if (i != n)
        return false;
    bool ok = false;
    const double v = plain.toDouble(&ok);
    if (ok && value)
        *value = v;
    return ok;
}

FlexGrid::FlexGrid(QObject *parent) : QObject(parent)
{
    m_columns.resize(2);
    m_rows.resize(2, newRow());
}

FlexGrid::RowStore FlexGrid::newRow() const
{
    RowStore row;
    row.cells.resize(m_columns.size());
    return row;
}

// Keeps the current cell, selection and scroll position inside the grid
// after it shrank.
void FlexGrid::clampPositions()
{
    const int lastRow = std::max(0, Rows() - 1);
    const int lastCol = std::max(0, Cols() - 1);
    m_row = std::min(m_row, lastRow);
    m_rowSel = std::min(m_rowSel, lastRow);
    m_col = std::min(m_col, lastCol);
    m_colSel = std::min(m_colSel, lastCol);
    m_topRow = std::clamp(m_topRow, m_fixedRows, std::max(m_fixedRows, lastRow));
    m_leftCol = std::clamp(m_leftCol, m_fixedCols, std::max(m_fixedCols, lastCol));
    if (m_mouseRow > lastRow || m_mouseCol > lastCol)
        m_mouseRow = m_mouseCol = -1;
}

void FlexGrid::notifyCells()
{
    ++m_edits;
    if (m_redraw)
        emit cellsChanged();
}

void FlexGrid::notifyLayout()
{
    ++m_edits;
    if (m_redraw)
        emit layoutChanged();
}

void FlexGrid::notifySelection()
{
    if (m_redraw)
        emit selectionChanged();
}

void FlexGrid::notifyScroll()
{
    if (m_redraw)
        emit scrollChanged();
}

bool FlexGrid::setRows(int rows)
{
    if (rows < m_fixedRows)
        return false;
    if (rows == Rows())
        return true;
    m_rows.resize(size_t(rows), newRow());
    clampPositions();
    notifyLayout();
    return true;
}

bool FlexGrid::setCols(int cols)
{
    if (cols < m_fixedCols)
        return false;
    if (cols == Cols())
        return true;
    m_columns.resize(size_t(cols));
    for (RowStore &row : m_rows)
        row.cells.resize(size_t(cols));
    clampPositions();
    notifyLayout();
    return true;
}

bool FlexGrid::setFixedRows(int rows)
{
    if (rows < 0 || rows > Rows())
        return false;
    m_fixedRows = rows;
    clampPositions();
    notifyLayout();
    return true;
}

bool FlexGrid::setFixedCols(int cols)
{
    if (cols < 0 || cols > Cols())
        return false;
    m_fixedCols = cols;
    clampPositions();
    notifyLayout();
    return true;
}

bool FlexGrid::setRow(int row)
{
    if (row < 0 || row >= Rows())
        return false;
    m_row = m_rowSel = row;
    m_colSel = m_col;
    notifySelection();
    return true;
}

bool FlexGrid::setCol(int col)
{
    if (col < 0 || col >= Cols())
        return false;
    m_col = m_colSel = col;
    m_rowSel = m_row;
    notifySelection();
    return true;
}

bool FlexGrid::setRowSel(int row)
{
    if (row < 0 || row >= Rows())
        return false;
    m_rowSel = row;
    notifySelection();
    return true;
}

bool FlexGrid::setColSel(int col)
{
    if (col < 0 || col >= Cols())
        return false;
    m_colSel = col;
    notifySelection();
    return true;
}

bool FlexGrid::setTopRow(int row)
{
    if (row < m_fixedRows || row >= Rows())
        return false;
    if (row != m_topRow) {
        m_topRow = row;
        notifyScroll();
    }
    return true;
}

bool FlexGrid::setLeftCol(int col)
{
    if (col < m_fixedCols || col >= Cols())
        return false;
    if (col != m_leftCol) {
        m_leftCol = col;
        notifyScroll();
    }
    return true;
}

QString FlexGrid::TextMatrix(int row, int col) const
{
    return isCell(row, col) ? m_rows[size_t(row)].cells[size_t(col)].text : QString();
}

bool FlexGrid::setTextMatrix(int row, int col, const QString &text)
{
    if (!isCell(row, col))
        return false;
    m_rows[size_t(row)].cells[size_t(col)].text = text;
    notifyCells();
    return true;
}

QString FlexGrid::TextArray(int index) const
{
    if (index < 0 || Cols() == 0)
        return QString();
    return TextMatrix(index / Cols(), index % Cols());
}

bool FlexGrid::setTextArray(int index, const QString &text)
{
    if (index < 0 || Cols() == 0)
        return false;
    return setTextMatrix(index / Cols(), index % Cols(), text);
}

bool FlexGrid::AddItem(const QString &item, int index)
{
    if (index == -1)
        index = Rows();
    if (index < 0 || index > Rows())
        return false;
    RowStore row = newRow();
    if (!item.isEmpty()) {
        // The tab-separated parts one by one, none past the last column.
        const QChar *text = item.constData();
        const qsizetype n = item.size();
        qsizetype start = 0;
        for (Cell &cell : row.cells) {
            qsizetype tab = start;
            while (tab < n && text[tab] != QLatin1Char('\t'))
                ++tab;
            cell.text = item.sliced(start, tab - start);
            if (tab == n)
                break;
            start = tab + 1;
        }
    }
    m_rows.insert(m_rows.begin() + index, std::move(row));
    notifyLayout();
    return true;
}

qint64 FlexGrid::RowData(int row) const
{
    return row >= 0 && row < Rows() ? m_rows[size_t(row)].data : -1;
}

bool FlexGrid::setRowData(int row, qint64 value)
{
    if (row < 0 || row >= Rows())
        return false;
    m_rows[size_t(row)].data = value;
    return true;
}

void FlexGrid::Clear()
{
    for (RowStore &row : m_rows) {
        row.data = -1;
        for (Cell &cell : row.cells)
            cell = Cell();
    }
    notifyCells();
}

void FlexGrid::selectAllCells()
{
    setCol(0);
    setRow(0);
    setRowSel(Rows() - 1);
    setColSel(Cols() - 1);
}

QString FlexGrid::Clip() const
{
    if (!isCell(m_row, m_col) || !isCell(m_rowSel, m_colSel))
        return QString();
    const int r0 = std::min(m_row, m_rowSel), r1 = std::max(m_row, m_rowSel);
    const int c0 = std::min(m_col, m_colSel), c1 = std::max(m_col, m_colSel);
    QString clip;
    for (int r = r0; r <= r1; ++r) {
        if (r > r0)
            clip += QLatin1Char('\r');
        for (int c = c0; c <= c1; ++c) {
            if (c > c0)
                clip += QLatin1Char('\t');
            clip += m_rows[size_t(r)].cells[size_t(c)].text;
        }
    }
    return clip;
}

bool FlexGrid::setSort(int setting)
{
    if (setting == 0)
        return true;
    if (setting != 1 && setting != 2)
        return false;
    if (!isCell(m_row, m_col) || !isCell(m_rowSel, m_colSel))
        return false;
    int r0 = std::min(m_row, m_rowSel), r1 = std::max(m_row, m_rowSel);
    if (r0 == r1) {
        r0 = m_fixedRows;
        r1 = Rows() - 1;
    }
    if (r1 - r0 < 1)
        return true;
    const int c0 = std::min(m_col, m_colSel), c1 = std::max(m_col, m_colSel);

    struct Entry
    {
        std::vector<SortKey> keys;
        RowStore row;
    };
    std::vector<Entry> entries;
    entries.reserve(size_t(r1 - r0 + 1));
    for (int r = r0; r <= r1; ++r) {
        Entry e;
        for (int c = c0; c <= c1; ++c) {
            SortKey k;
            k.text = m_rows[size_t(r)].cells[size_t(c)].text;
            k.isNumber = flexGridNumber(k.text, &k.number);
            e.keys.push_back(std::move(k));
        }
        e.row = std::move(m_rows[size_t(r)]);
        entries.push_back(std::move(e));
    }
    const bool descending = setting == 2;
    std::stable_sort(entries.begin(), entries.end(), [descending](const Entry &a, const Entry &b) {
        for (size_t i = 0; i < a.keys.size(); ++i) {
            const int cmp = compareKeys(a.keys[i], b.keys[i]);
            if (cmp != 0)
                return descending ? cmp > 0 : cmp < 0;
        }
        return false;
    });
    for (int r = r0; r <= r1; ++r)
        m_rows[size_t(r)] = std::move(entries[size_t(r - r0)].row);
    notifyLayout();
    return true;
}

bool FlexGrid::setColPosition(int col, int position)
{
    if (col < 0 || col >= Cols() || position < 0 || position >= Cols())
        return false;
    if (col == position)
        return true;
    auto move = [col, position](auto &items) {
        if (col < position)
            std::rotate(items.begin() + col, items.begin() + col + 1, items.begin() + position + 1);
        else
            std::rotate(items.begin() + position, items.begin() + col, items.begin() + col + 1);
    };
    move(m_columns);
    for (RowStore &row : m_rows)
        move(row.cells);
    notifyLayout();
    return true;
}

int FlexGrid::ColPos(int col) const
{
    if (col < 0 || col >= Cols())
        return 0;
    int pos = 0;
    for (int c = 0; c < col; ++c)
        if (c < m_fixedCols || c >= m_leftCol)
            pos += m_columns[size_t(c)].width;
    if (col >= m_fixedCols && col < m_leftCol) // scrolled out of sight to the left
        for (int c = col; c < m_leftCol; ++c)
            pos -= m_columns[size_t(c)].width;
    return pos;
}

int FlexGrid::ColWidth(int col) const
{
    return col >= 0 && col < Cols() ? m_columns[size_t(col)].width : 0;
}

bool FlexGrid::setColWidth(int col, int twips)
{
    if (col < 0 || col >= Cols() || twips < -1)
        return false;
    m_columns[size_t(col)].width = twips == -1 ? DefaultColWidth : twips;
    notifyLayout();
    return true;
}

int FlexGrid::RowHeight(int row) const
{
    return row >= 0 && row < Rows() ? m_rows[size_t(row)].height : 0;
}

bool FlexGrid::setRowHeight(int row, int twips)
{
    if (row < 0 || row >= Rows() || twips < -1)
        return false;
    m_rows[size_t(row)].height = twips == -1 ? DefaultRowHeight : twips;
    notifyLayout();
    return true;
}

bool FlexGrid::setFittedColWidth(int col, int twips)
{
    const quint64 edits = m_edits;
    const bool done = setColWidth(col, twips);
    m_edits = edits;
    return done;
}

bool FlexGrid::setFittedRowHeight(int row, int twips)
{
    const quint64 edits = m_edits;
    const bool done = setRowHeight(row, twips);
    m_edits = edits;
    return done;
}

int FlexGrid::ColAlignment(int col) const
{
    return col >= 0 && col < Cols() ? m_columns[size_t(col)].alignment : 0;
}

bool FlexGrid::setColAlignment(int col, int alignment)
{
    if (col < 0 || col >= Cols() || !validAlignment(alignment))
        return false;
    m_columns[size_t(col)].alignment = alignment;
    notifyCells();
    return true;
}

const FlexCellFormat &FlexGrid::cellFormat(int row, int col) const
{
    static const FlexCellFormat none;
    return isCell(row, col) ? m_rows[size_t(row)].cells[size_t(col)].format : none;
}

int FlexGrid::effectiveAlignment(int row, int col) const
{
    const int own = cellFormat(row, col).alignment;
    return own >= 0 ? own : ColAlignment(col);
}

const FlexCellFormat &FlexGrid::currentFormat() const
{
    return cellFormat(m_row, m_col);
}

FlexCellFormat *FlexGrid::currentFormatForWrite()
{
    return isCell(m_row, m_col) ? &m_rows[size_t(m_row)].cells[size_t(m_col)].format : nullptr;
}

int FlexGrid::CellAlignment() const
{
    return effectiveAlignment(m_row, m_col);
}

bool FlexGrid::setCellAlignment(int alignment)
{
    FlexCellFormat *f = currentFormatForWrite();
    if (!f || !validAlignment(alignment))
        return false;
    f->alignment = qint8(alignment);
    notifyCells();
    return true;
}

bool FlexGrid::setCellForeColor(OleColor color)
{
    FlexCellFormat *f = currentFormatForWrite();
    if (!f)
        return false;
    f->foreColor = color;
    notifyCells();
    return true;
}

bool FlexGrid::setCellBackColor(OleColor color)
{
    FlexCellFormat *f = currentFormatForWrite();
    if (!f)
        return false;
    f->backColor = color;
    notifyCells();
    return true;
}

bool FlexGrid::setCellFontBold(bool bold)
{
    FlexCellFormat *f = currentFormatForWrite();
    if (!f)
        return false;
    f->bold = bold;
    notifyCells();
    return true;
}

bool FlexGrid::setCellFontUnderline(bool underline)
{
    FlexCellFormat *f = currentFormatForWrite();
    if (!f)
        return false;
    f->underline = underline;
    notifyCells();
    return true;
}

bool FlexGrid::setCellTextStyle(int style)
{
    FlexCellFormat *f = currentFormatForWrite();
    if (!f || style < 0 || style > 4)
        return false;
    f->textStyle = qint8(style);
    notifyCells();
    return true;
}

bool FlexGrid::setCellFontWidth(float width)
{
    FlexCellFormat *f = currentFormatForWrite();
    if (!f || width < 0)
        return false;
    f->fontWidth = width;
    notifyCells();
    return true;
}

bool FlexGrid::setCellPicture(const QString &name)
{
    FlexCellFormat *f = currentFormatForWrite();
    if (!f)
        return false;
    f->picture = name;
    notifyCells();
    return true;
}

bool FlexGrid::setCellPictureAlignment(int alignment)
{
    FlexCellFormat *f = currentFormatForWrite();
    if (!f || !validAlignment(alignment))
        return false;
    f->pictureAlignment = qint8(alignment);
    notifyCells();
    return true;
}

void FlexGrid::setBackColor(OleColor color)
{
    m_backColor = color;
    ++m_edits;
    if (m_redraw)
        emit appearanceChanged();
}

bool FlexGrid::setGridLines(int style)
{
    if (style < 0 || style > 3)
        return false;
    m_gridLines = style;
    ++m_edits;
    if (m_redraw)
        emit appearanceChanged();
    return true;
}

void FlexGrid::setRedraw(bool redraw)
{
    if (redraw == m_redraw)
        return;
    m_redraw = redraw;
    emit redrawChanged(redraw);
    if (redraw)
        emit reset();
}

void FlexGrid::setMousePointer(int pointer)
{
    if (pointer == m_mousePointer)
        return;
    m_mousePointer = pointer;
    emit mousePointerChanged();
}

void FlexGrid::setWidth(int twips)
{
    if (twips != m_width)
        ++m_edits;
    m_width = twips;
}

void FlexGrid::setMouseCell(int row, int col)
{
    m_mouseRow = row;
    m_mouseCol = col;
}
