#include "platform/ui/FlexGridView.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

namespace {

int countPixels(const QImage &image, const QRect &area, const QColor &color)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixelColor(x, y) == color)
                ++n;
    return n;
}

QImage viewportImage(FlexGridView &view)
{
    return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestFlexGridView : public QObject
{
    Q_OBJECT

private:
    FlexGrid grid;
    FlexGridView *view = nullptr;

private slots:
    void init()
    {
        grid.setRedraw(false);
        grid.setFixedRows(1);
        grid.setFixedCols(1);
        grid.setCols(4);
        grid.setRows(30);
        grid.Clear();
        for (int r = 0; r < 30; ++r) {
            grid.setRowHeight(r, FlexGrid::DefaultRowHeight);
            for (int c = 0; c < 4; ++c)
                grid.setTextMatrix(r, c, QStringLiteral("%1.%2").arg(r).arg(c));
        }
        for (int c = 0; c < 4; ++c)
            grid.setColWidth(c, 1200); // 80 pixels
        grid.setTopRow(1);
        grid.setBackColor(0xFFFFFF);
        grid.setGridLines(1);
        grid.setRedraw(true);
        view = new FlexGridView(&grid);
        view->resize(400, 300);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
    }

    void cleanup()
    {
        delete view;
        view = nullptr;
    }

    void widthFollowsTheWidgetInTwips()
    {
        QCOMPARE(grid.Width(), 400 * 15);
    }

    void hiddenRowIsNotDrawn()
    {
        const QColor red(255, 0, 0);
        for (int c = 0; c < 4; ++c) {
            grid.setCol(c);
            grid.setRow(3);
            grid.setCellBackColor(0x0000FF);
        }
        grid.setRow(1);
        QVERIFY(countPixels(viewportImage(*view), view->viewport()->rect(), red) > 0);

        const QRect below = view->cellRect(4, 1);
        grid.setRowHeight(3, 0);
        QVERIFY(view->cellRect(3, 1).isEmpty());
        QCOMPARE(view->rowAt(view->cellRect(2, 1).bottom() + 1), 4);
        QCOMPARE(view->cellRect(4, 1).top(), below.top() - 16);
        QCOMPARE(countPixels(viewportImage(*view), view->viewport()->rect(), red), 0);
    }

    void linkCellIsDrawnBlueAndUnderlined()
    {
        grid.setCol(2);
        grid.setRow(5);
        grid.setCellFontUnderline(true);
        grid.setCellForeColor(0xFF0000);
        grid.setTextMatrix(5, 2, QStringLiteral("WWWWWW"));
        grid.setRow(1);
        const FlexGridView::CellStyle link = view->cellStyle(5, 2);
        QCOMPARE(link.foreColor, QColor(0, 0, 255));
        QVERIFY(link.font.underline());
        const FlexGridView::CellStyle plain = view->cellStyle(6, 2);
        QVERIFY(!plain.font.underline());
        QCOMPARE(plain.foreColor, view->palette().color(QPalette::Text));
        QCOMPARE(plain.backColor, QColor(255, 255, 255));
        // A fixed cell without a colour of its own takes the button face.
        QCOMPARE(view->cellStyle(0, 2).backColor, view->palette().color(QPalette::Button));

        const QImage image = viewportImage(*view);
        QVERIFY(countPixels(image, view->cellRect(5, 2), QColor(0, 0, 255)) > 0);
        QCOMPARE(countPixels(image, view->cellRect(6, 2), QColor(0, 0, 255)), 0);
    }

    void mouseRowAndColFollowThePointer()
    {
        QSignalSpy moves(view, &FlexGridView::MouseMove);
        const QRect cell = view->cellRect(4, 2);
        QTest::mouseMove(view->viewport(), cell.center());
        QTRY_COMPARE(grid.MouseRow(), 4);
        QCOMPARE(grid.MouseCol(), 2);
        QVERIFY(!moves.isEmpty());
        // X and Y in twips from the control's corner.
        const QPoint inView = cell.center() + view->viewport()->geometry().topLeft();
        QCOMPARE(moves.last().at(2).toFloat(), float(inView.x() * 15));
        QCOMPARE(moves.last().at(3).toFloat(), float(inView.y() * 15));

        QTest::mouseMove(view->viewport(), view->cellRect(0, 1).center());
        QTRY_COMPARE(grid.MouseRow(), 0);
        QCOMPARE(grid.MouseCol(), 1);
    }

    void pressesSelectAsTheControlDoes()
    {
        QSignalSpy clicks(view, &FlexGridView::Click);
        QSignalSpy downs(view, &FlexGridView::MouseDown);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->cellRect(6, 3).center());
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(downs.count(), 1);
        QCOMPARE(downs.first().at(0).toInt(), 1);
        QCOMPARE((QList<int>{grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()}), (QList<int>{6, 3, 6, 3}));

        // A heading selects its column below the fixed row.
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->cellRect(0, 2).center());
        QCOMPARE((QList<int>{grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()}), (QList<int>{1, 2, 29, 2}));

        // The right button leaves the current cell alone.
        QTest::mouseClick(view->viewport(), Qt::RightButton, {}, view->cellRect(4, 1).center());
        QCOMPARE(grid.Col(), 2);
        QCOMPARE(clicks.count(), 2);
    }

    void topRowScrollsAsFarAsTheRowsAllow()
    {
        // 300 pixels less the frame hold about 17 rows of 16 pixels.
        QVERIFY(grid.setTopRow(10));
        QCOMPARE(view->cellRect(10, 1).top(), 16);
        QCOMPARE(view->rowAt(20), 10);
        QVERIFY(view->cellRect(9, 1).isEmpty());
        QVERIFY(!view->cellRect(0, 1).isEmpty()); // the fixed row stays

        QVERIFY(grid.setTopRow(29));
        QVERIFY(grid.TopRow() < 29);
        const QRect last = view->cellRect(29, 1);
        QVERIFY(!last.isEmpty());
        QVERIFY(last.bottom() < view->viewport()->height());
        QVERIFY(view->cellRect(grid.TopRow() - 1, 1).isEmpty());
    }

    void nothingIsDrawnWhileRedrawIsOff()
    {
        grid.setRedraw(false);
        QVERIFY(!view->viewport()->updatesEnabled());
        grid.setRows(200);
        grid.setCols(20);
        grid.setRedraw(true);
        QVERIFY(view->viewport()->updatesEnabled());
        QVERIFY(view->verticalScrollBar()->maximum() > 150);
    }

    // A fill ends with every shown column as wide as its widest text and
    // every shown row as tall as its lines; a text wider than the view can
    // show wraps in a taller row; hidden rows and columns stay hidden, and
    // a column its texts fit keeps its width. Resizes scale the widths the
    // program set, never the raised ones, and the fit follows.
    void cellsFitTheirTextsThroughAResize()
    {
        view->setColumnsFollowWidth(true);
        view->setCellsFitTexts(true);
        const QString wide = QStringLiteral("A heading far wider than eighty pixels");
        const QString wider = QStringLiteral("A text so long that no column of a view four hundred pixels wide "
                                             "could show it on one line");
        grid.setRedraw(false);
        grid.setColWidth(2, 0);
        grid.setRowHeight(5, 0);
        grid.setTextMatrix(0, 1, wide);
        grid.setRow(7);
        grid.setCol(1);
        grid.setCellFontBold(true);
        grid.setTextMatrix(7, 1, wide);
        grid.setTextMatrix(8, 2, wider);
        grid.setTextMatrix(5, 3, wider);
        grid.setTextMatrix(3, 3, QStringLiteral("one\r\ntwo"));
        grid.setTextMatrix(4, 3, wider);
        const quint64 drawn = grid.editCount();
        grid.setRedraw(true);

        QFont bold = view->font();
        bold.setBold(true);
        const int boldWidth = QFontMetrics(bold).horizontalAdvance(wide) + 6;
        const auto px = [this](int col) { return view->cellRect(0, col).width(); };
        QCOMPARE(px(0), 80);
        QCOMPARE(grid.ColWidth(1), boldWidth * 15);
        QCOMPARE(grid.ColWidth(2), 0);
        QCOMPARE(grid.RowHeight(5), 0);
        // The raised sizes are the view's: the grid still holds what the
        // sheet drew, so a sheet may rewrite only its changed rows.
        QCOMPARE(grid.editCount(), drawn);
        QVERIFY(grid.RowHeight(3) >= 2 * QFontMetrics(view->font()).height() * 15);
        grid.setLeftCol(3);
        QVERIFY2(view->cellRect(4, 3).right() < view->viewport()->width(), "a wrapped text's column is seen whole");
        QVERIFY(view->cellStyle(4, 3).wordWrap);
        QVERIFY(!view->cellStyle(3, 3).wordWrap);
        QVERIFY(grid.RowHeight(4) >= 2 * QFontMetrics(view->font()).height() * 15);
        const int wrappedWidth = grid.ColWidth(3);
        grid.setLeftCol(1);

        // Twice as wide: the set widths doubled, the raised one raised again.
        view->resize(800, 300);
        QTRY_COMPARE(px(0), 160);
        QTRY_COMPARE(grid.ColWidth(1), boldWidth * 15);
        QTRY_VERIFY(grid.ColWidth(3) > wrappedWidth); // more room for the long text
        view->resize(400, 300);
        QTRY_COMPARE(px(0), 80);
        QTRY_COMPARE(grid.ColWidth(1), boldWidth * 15);
        QTRY_COMPARE(grid.ColWidth(3), wrappedWidth);
        // Too narrow for the heading: as wide as the view shows beside the
        // fixed column, the heading wrapped.
        view->resize(200, 300);
        QTRY_COMPARE(px(0), 40);
        QTRY_VERIFY(view->cellStyle(7, 1).wordWrap);
        QVERIFY(px(0) + px(1) <= view->viewport()->width());

        // Short texts again: what was raised goes back to the program's sizes.
        view->resize(400, 300);
        QTRY_COMPARE(px(0), 80);
        grid.setRedraw(false);
        for (const auto &[r, c] : {std::pair{0, 1}, {7, 1}, {4, 3}, {3, 3}})
            grid.setTextMatrix(r, c, QStringLiteral("short"));
        grid.setRedraw(true);
        QCOMPARE(grid.ColWidth(1), 1200);
        QCOMPARE(grid.ColWidth(3), 1200);
        QCOMPARE(grid.RowHeight(3), FlexGrid::DefaultRowHeight);
        QCOMPARE(grid.RowHeight(4), FlexGrid::DefaultRowHeight);
        QCOMPARE(grid.RowHeight(5), 0);
    }

    void systemColoursComeFromThePalette()
    {
        const QPalette pal = view->palette();
        QCOMPARE(oleToColor(0x80000005, pal), pal.color(QPalette::Base));
        QCOMPARE(oleToColor(0xC0FFFF, pal), QColor(255, 255, 192));
        QCOMPARE(oleToColor(0x404040, pal), QColor(64, 64, 64));
    }
};

QTEST_MAIN(TestFlexGridView)
#include "tst_flexgridview.moc"
