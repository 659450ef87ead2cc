// The grid view's fit of its rows and columns to the texts they show.
#include "platform/ui/CellText.h"
#include "platform/ui/FlexGridView.h"
#include "platform/Twips.h"

#include <QScrollBar>

#include <algorithm>

void FlexGridView::setCellsFitTexts(bool fit)
{
    m_fitTexts = fit;
    requestFit();
}

int FlexGridView::textFlags(const CellStyle &style)
{
    return int(style.alignment) | (style.wordWrap ? int(Qt::TextWordWrap) : 0);
}

// The widest a column can be and still be seen whole: the view's width
// less the other fixed columns (the scrolling ones move by whole columns),
// and less the vertical scroll bar that taller rows may bring.
int FlexGridView::textRoom(int col) const
{
    int room = viewport()->width();
    if (!verticalScrollBar()->isVisible())
        room -= verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < m_grid->FixedCols() && c < int(m_colPx.size()); ++c)
        if (c != col)
            room -= m_colPx[size_t(c)];
    return room;
}

void FlexGridView::requestFit()
{
    if (!m_fitTexts || m_fitting || m_fitPending)
        return;
    m_fitPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_fitPending = false;
            fitCellsToTexts();
        },
        Qt::QueuedConnection);
}

// Sets a row's height or a column's width (twips) to what its texts need
// (pixels), never below what the program gave it: a size the fit raised
// earlier goes back to the program's once its texts need less, and one the
// program has set since is the program's.
template<typename Set, typename ToTwips, typename ToPixels>
void FlexGridView::settle(QHash<int, Raised> &raised, int index, int now, int needPx, Set set, ToTwips twips,
                          ToPixels pixels)
{
    int base = now;
    if (const auto it = raised.constFind(index); it != raised.constEnd()) {
        if (it->to == now)
            base = it->from;
        raised.erase(it);
    }
    const int to = needPx > pixels(base) ? twips(needPx) : base;
    if (to != now)
        set(to);
    if (to != base)
        raised.insert(index, Raised{base, to});
}

void FlexGridView::fitCellsToTexts()
{
    if (m_fitting || !m_fitTexts || !m_grid || !m_grid->Redraw() || viewport()->width() <= 0)
        return;
    FlexGrid &g = *m_grid;
    QFont boldFont = font();
    boldFont.setBold(true);
    const QFontMetrics plain(font()), bold(boldFont);
    const auto metricsOf = [&](int row, int col) -> const QFontMetrics & {
        return g.cellFormat(row, col).bold ? bold : plain;
    };
    // Sheets repeat their texts from fill to fill: each is measured once.
    const int rows = std::min(g.Rows(), int(m_rowPx.size()));
    const int cols = std::min(g.Cols(), int(m_colPx.size()));
    if (m_measured[0].size() + m_measured[1].size() > 50000 || m_measuredFont != font()) {
        m_measured[0].clear();
        m_measured[1].clear();
        m_cellWidths.clear();
        m_measuredFont = font();
    }
    if (m_cellWidthsCols != cols || m_cellWidths.size() != size_t(rows) * size_t(cols)) {
        m_cellWidths.assign(size_t(rows) * size_t(cols), MeasuredCell{});
        m_cellWidthsCols = cols;
    }
    const auto widestOf = [&](int row, int col, const QString &text) -> const MeasuredCell & {
        const bool isBold = g.cellFormat(row, col).bold;
        MeasuredCell &cell = m_cellWidths[size_t(row) * size_t(cols) + size_t(col)];
        if (cell.bold == isBold && (cell.text.isSharedWith(text) || cell.text == text))
            return cell;
        auto it = m_measured[isBold].constFind(text);
        if (it == m_measured[isBold].constEnd())
            it = m_measured[isBold].insert(text, widestTextLine(isBold ? bold : plain, cellDisplayText(text)));
        cell = MeasuredCell{text, isBold, *it, text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'))};
        return cell;
    };
    // Each shown cell's widest line, measured once (-1: nothing shown), and
    // whether its text breaks its line.
    std::vector<int> widths(size_t(rows) * size_t(cols), -1);
    std::vector<char> breaks(size_t(rows) * size_t(cols), 0);
    const auto widthAt = [&](int r, int c) -> int & { return widths[size_t(r) * size_t(cols) + size_t(c)]; };
    m_fitting = true;
    for (int c = 0; c < cols; ++c) {
        if (m_colPx[size_t(c)] == 0)
            continue;
        int widest = 0;
        for (int r = 0; r < rows; ++r) {
            if (m_rowPx[size_t(r)] == 0)
                continue;
            const QString text = g.TextMatrix(r, c);
            if (text.isEmpty())
                continue;
            const MeasuredCell &measured = widestOf(r, c, text);
            widthAt(r, c) = measured.width;
            breaks[size_t(r) * size_t(cols) + size_t(c)] = measured.breaks;
            widest = std::max(widest, widthAt(r, c));
        }
        const int need = widest > 0 ? std::min(widest + 2 * CellTextPadX, textRoom(c)) : 0;
        settle(m_raisedCols, c, g.ColWidth(c), need, [&](int twips) { g.setFittedColWidth(c, twips); },
               [this](int px) { return qRound(Twips::fromPixelsX(px, this)); },
               [this](int twips) { return Twips::toPixelsX(twips, this); });
    }
    // Rows: only texts of more than one line (their own breaks, or wrapped)
    // can need more than the row gives.
    for (int r = 0; r < rows; ++r) {
        int need = 0;
        for (int c = 0; c < cols; ++c) {
            if (widthAt(r, c) < 0)
                continue;
            const int room = m_colPx[size_t(c)] - 2 * CellTextPadX;
            const bool wraps = widthAt(r, c) > room;
            if (!wraps && !breaks[size_t(r) * size_t(cols) + size_t(c)])
                continue;
            const QString text = g.TextMatrix(r, c);
            need = std::max(need, metricsOf(r, c)
                                      .boundingRect(QRect(0, 0, room, 1 << 20), wraps ? Qt::TextWordWrap : 0,
                                                    cellDisplayText(text))
                                      .height());
        }
        if (m_rowPx[size_t(r)] > 0)
            settle(m_raisedRows, r, g.RowHeight(r), need > 0 ? need + 2 * CellTextPadY : 0,
                   [&](int twips) { g.setFittedRowHeight(r, twips); },
                   [this](int px) { return qRound(Twips::fromPixelsY(px, this)); },
                   [this](int twips) { return Twips::toPixelsY(twips, this); });
    }
    m_raisedCols.removeIf([&](const auto &it) { return it.key() >= g.Cols(); });
    m_raisedRows.removeIf([&](const auto &it) { return it.key() >= g.Rows(); });
    m_fitting = false;
}

