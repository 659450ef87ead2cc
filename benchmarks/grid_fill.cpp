// Fills a 200 x 20 sheet through the grid helpers with drawing off, as the
// sheet routines do, then paints it once; prints the times.
// Run with QT_QPA_PLATFORM=offscreen where there is no display.

#include "core/Utilities.h"
#include "platform/ui/FlexGridView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

constexpr int Rows = 200;
constexpr int Cols = 20;

void fillSheet(FlexGrid *g)
{
    g->setRedraw(false);
    g->Clear();
    g->setRows(Rows);
    g->setCols(Cols);
    g->setBackColor(0xFFFFFF);
    g->setGridLines(1);
    QList<Variant> headers, widths, aligns;
    for (int c = 0; c < Cols; ++c) {
        headers << QStringLiteral("Column %1").arg(c);
        widths << 8;
        aligns << (c == 0 ? 1 : 7);
    }
    SetColAlign(g, aligns);
    SetColWidths(g, widths);
    SetHeaders(g, headers);
    for (short r = 1; r < Rows; ++r)
        for (short c = 0; c < Cols; ++c) {
            const bool falling = (r + c) % 3 == 0;
            SetCell(g, r, c, QStringLiteral("%1%2.%3").arg(falling ? "-" : "+").arg(r).arg(c), 7, c == 0, Variant(),
                    falling ? 0xFF : 0xFF0000, (r % 2) ? 0xFFFFFF : 0xC0FFFF);
        }
    SetLinkCells(g, 2, Rows - 1, 1);
    g->setTopRow(1);
    g->setRedraw(true);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    FlexGridView view;
    view.resize(1000, 700);
    view.show();
    QApplication::processEvents();
    FlexGrid *grid = view.grid();

    constexpr int Runs = 20;
    std::vector<double> fills, paints;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer t;
        t.start();
        fillSheet(grid);
        fills.push_back(double(t.nsecsElapsed()) / 1e6);

        t.restart();
        view.viewport()->repaint();
        paints.push_back(double(t.nsecsElapsed()) / 1e6);
    }

    QTextStream out(stdout);
    out << "grid_fill: " << Rows << " x " << Cols << " cells, " << Runs << " runs\n";
    out << "  fill through SetHeaders/SetColWidths/SetCell/SetLinkCells, Redraw off: median "
        << QString::number(median(fills), 'f', 2) << " ms, first " << QString::number(fills.front(), 'f', 2)
        << " ms\n";
    out << "  one repaint of the view (" << view.viewport()->width() << " x " << view.viewport()->height()
        << " px): median " << QString::number(median(paints), 'f', 2) << " ms, first "
        << QString::number(paints.front(), 'f', 2) << " ms\n";
    return 0;
}
