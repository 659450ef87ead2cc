#include "core/GridMessage.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/TargetGrid.h"
#include "platform/FlexGrid.h"
#include "platform/Twips.h"
#include "platform/ui/FlexGridView.h"
#include "platform/ui/PictureBox.h"
#include "reports/ui/Zoom.h"
#include "sheets/symbol/InsiderTrades.h"
#include "support/CachePages.h"
#include "support/GridDump.h"
#include "support/RecordingMainWindow.h"
#include "support/TempProfile.h"

#include "platform/UrlOpener.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPushButton>
#include <QFile>
#include <QPointer>
#include <QtTest>

#include <cmath>

namespace {

QList<Zoom *> zoomWindows()
{
    QList<Zoom *> found;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *z = qobject_cast<Zoom *>(w); z && z->isVisible())
            found << z;
    return found;
}

void dropDeleted()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QList<int> widthsOf(const FlexGrid &g)
{
    QList<int> w;
    for (int c = 0; c < g.Cols(); ++c)
        w << g.ColWidth(c);
    return w;
}

// Widths as the window sets them: percent of the grid's width.
QList<int> percentOf(const FlexGrid &g, const QList<int> &percents)
{
    QList<int> w;
    for (int p : percents)
        w << int(std::nearbyint(double(g.Width()) * p / 100.0)); // halves to even
    return w;
}

// A new zoom window loaded for a sheet key with a grid of `cols` columns
// whose fill routine set every width to 777 twips.
Zoom *openZoom(const QString &key, int cols)
{
    CurType = key;
    auto *z = new Zoom;
    z->FGModel->setCols(cols);
    for (int c = 0; c < cols; ++c)
        z->FGModel->setColWidth(c, 777);
    z->show();
    QCoreApplication::processEvents();
    return z;
}

} // namespace

class TestZoom : public QObject
{
    Q_OBJECT

    TempProfile *profile = nullptr;
    RecordingMainWindow *window = nullptr;

private slots:
    void init()
    {
        profile = new TempProfile;
        window = new RecordingMainWindow;
        window->grid.setWidth(12000);
        resetSharedState();
        resetTargetGrid();
        resetStocks();
        Sets[0].Symbol = QStringLiteral("IBM");
        Sets[0].Name = QStringLiteral("International Business Machines");
        SetCount = 1;
        CurSymbol = QStringLiteral("IBM");
        installZoomWindows();
    }
    void cleanup()
    {
        for (Zoom *z : zoomWindows())
            delete z;
        dropDeleted();
        resetTargetGrid();
        resetStocks();
        delete window;
        delete profile;
    }

    // Each zoom is a new window with the sheet drawn into its own grid;
    // the main grid keeps the sheet it shows.
    void aZoomOpensANewWindowAndTheMainSheetStays()
    {
        copyFixturePage(QStringLiteral("IBM_it.Sh"), QStringLiteral("IBM_it.Sh"));
        FG_IT();
        const QString mainSheet = dumpGrid(window->grid);
        for (int n = 1; n <= 2; ++n) {
            ZoomFlag = true;
            FG_IT();
            QVERIFY(!ZoomFlag);
            QCOMPARE(zoomWindows().size(), n);
        }
        QCOMPARE(dumpGrid(window->grid), mainSheet);
        Zoom *z = TargetGrid ? qobject_cast<Zoom *>(TargetGrid->parent()) : nullptr; // the latest
        QVERIFY(z && z->isVisible());
        QCOMPARE(z->ZoomType, QStringLiteral("IT"));
        QCOMPARE(z->windowTitle(), QStringLiteral("Zoom"));
        QCOMPARE(z->FGModel->Rows(), window->grid.Rows());
        QCOMPARE(z->FGModel->TextMatrix(2, 2), QStringLiteral("PALMISANO SAMUEL J"));
        QCOMPARE(widthsOf(*z->FGModel), percentOf(*z->FGModel, {13, 0, 30, 12, 10, 10, 10, 12}));
    }

    // A zoom whose page is missing or cut short leaves no window,
    // shown or hidden; the next sheet goes to the main grid.
    void aFailedZoomLeavesNoWindow_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // "-" = no file
        QTest::newRow("missing page") << QByteArray("-");
        QTest::newRow("page cut short") << QByteArray("<html>Insider Trades<table><tr><td>1");
    }
    void aFailedZoomLeavesNoWindow()
    {
        QFETCH(QByteArray, bytes);
        if (bytes != "-")
            writeCachePage(QStringLiteral("IBM_it.Sh"), bytes);
        ZoomFlag = true;
        FG_IT();
        dropDeleted();
        QVERIFY(!ZoomFlag);
        int zooms = 0;
        for (QWidget *w : QApplication::allWidgets())
            zooms += qobject_cast<Zoom *>(w) != nullptr;
        QCOMPARE(zooms, 0);
        QCOMPARE(window->grid.TextMatrix(0, 0),
                 QStringLiteral("Brindlewick do not have additional information for International Business Machines"));
        copyFixturePage(QStringLiteral("IBM_it.Sh"), QStringLiteral("IBM_it.Sh"));
        FG_IT();
        QCOMPARE(window->grid.TextMatrix(2, 2), QStringLiteral("PALMISANO SAMUEL J"));
        QVERIFY(zoomWindows().isEmpty());
    }

    // Column widths follow the key the window was loaded with, even after
    // the main window moved on to another sheet.
    void columnWidthsFollowTheWindowsOwnSheet_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("cols");
        QTest::addColumn<QList<int>>("percents"); // empty: the fill routine's widths stay
        QTest::newRow("Port") << "Port" << 11 << QList<int>{9, 10, 8, 8, 6, 13, 13, 10, 10, 12, 0};
        QTest::newRow("any fund list") << "F_Whatever" << 5 << QList<int>{12, 48, 12, 12, 12};
        QTest::newRow("IPO gainers, 14 columns")
            << "IPO_Gain" << 14 << QList<int>{25, 10, 12, 10, 10, 11, 9, 9, 9, 9, 9, 9, 9, 9};
        QTest::newRow("more numbers than columns") << "Options" << 4 << QList<int>{2, 12, 8, 8};
        QTest::newRow("Current keeps its widths") << "Current" << 3 << QList<int>{};
        QTest::newRow("Call keeps its widths") << "Call" << 3 << QList<int>{};
    }
    void columnWidthsFollowTheWindowsOwnSheet()
    {
        QFETCH(QString, key);
        QFETCH(int, cols);
        QFETCH(QList<int>, percents);
        Zoom *z = openZoom(key, cols);
        CurType = QStringLiteral("SI");
        z->resize(z->width() + 40, z->height() + 20);
        QCoreApplication::processEvents();
        const FlexGrid &g = *z->FGModel;
        QCOMPARE(g.Width(), qRound(Twips::fromPixelsX(z->FG->width(), z->FG)));
        QCOMPARE(widthsOf(g), percents.isEmpty() ? QList<int>(cols, 777) : percentOf(g, percents));
    }

    // Below 250 twips of inner height nothing is laid out or sized again.
    void aVeryLowWindowLeavesItsLayoutAlone()
    {
        Zoom *z = openZoom(QStringLiteral("SI"), 4);
        const QRect grid = z->FG->geometry();
        const QList<int> widths = widthsOf(*z->FGModel);
        z->resize(z->width() + 60, 16); // 240 twips
        QCoreApplication::processEvents();
        QCOMPARE(z->FG->geometry(), grid);
        QCOMPARE(widthsOf(*z->FGModel), widths);
        z->resize(z->width(), 17); // 255 twips
        QCoreApplication::processEvents();
        QVERIFY(z->FG->geometry() != grid);
        QVERIFY(widthsOf(*z->FGModel) != widths);
    }

    // The strip keeps the window's left and top; the button then lines
    // the strip up with the other small windows.
    void theSizeToggle()
    {
        Zoom *z = openZoom(QStringLiteral("SI"), 4);
        const QRect normal = z->frameGeometry();
        QCOMPARE(ZoomNormalWidth, qRound(Twips::fromPixelsX(normal.width(), z)));
        const QSize strip(Twips::toPixelsX(1790, z), Twips::toPixelsY(500, z));
        z->ToggleZoomSize();
        QCOMPARE(z->frameGeometry(), QRect(normal.topLeft(), strip));
        z->ToggleZoomSize();
        QCOMPARE(z->frameGeometry(), normal);

        z->cmdMin->click();
        QCOMPARE(z->frameGeometry().size(), strip);
        QCOMPARE(z->frameGeometry().y(), Twips::toPixelsY(700, z)); // the first tile
        z->cmdMin->click();
        QCOMPARE(z->frameGeometry().size(), normal.size());

        z->showMaximized();
        QCoreApplication::processEvents();
        const QRect maximized = z->geometry();
        z->ToggleZoomSize();
        QCOMPARE(z->geometry(), maximized);
    }

    // Enter, Esc and Alt+X close the window (Enter without moving the
    // marker); Alt+E moves the marker to "Edit" and the window stays.
    void keyboardCommands_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("marker"); // label index, -1 none
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier) << true << -1;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << int(Qt::NoModifier) << true << 0;
        QTest::newRow("Alt+X") << int(Qt::Key_X) << int(Qt::AltModifier) << true << 0;
        QTest::newRow("Alt+E") << int(Qt::Key_E) << int(Qt::AltModifier) << false << 1;
        QTest::newRow("Alt+P") << int(Qt::Key_P) << int(Qt::AltModifier) << false << 2;
        QTest::newRow("X alone") << int(Qt::Key_X) << int(Qt::NoModifier) << false << -1;
    }
    void keyboardCommands()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, closes);
        QFETCH(int, marker);
        Zoom *z = openZoom(QStringLiteral("IT"), 8);
        TargetGrid = z->FGModel;
        QPointer<Zoom> alive(z);
        QFrame *shape = z->Shape1;
        QTest::keyClick(z->FG, Qt::Key(key), Qt::KeyboardModifiers(modifiers)); // the grid has the focus
        QCOMPARE(!shape->isHidden(), marker >= 0);
        if (marker >= 0)
            QCOMPARE(shape->x(), z->Panel1[marker]->x());
        QCOMPARE(z->isVisible(), !closes);
        if (closes)
            QVERIFY(TargetGrid.isNull());
        dropDeleted();
        QCOMPARE(alive.isNull(), closes);
    }

    // The Export menu follows the window's own sheet, and its HTML item
    // reports the symbol the window was made for, whatever the main window
    // shows now.
    void exportMenuKeepsToItsOwnSheet()
    {
        const auto enabled = [](Zoom *z) {
            emit z->mnuExport->aboutToShow();
            QList<int> on;
            for (int i = 0; i < z->mnuEx.size(); ++i)
                if (z->mnuEx[i]->isEnabled())
                    on << i;
            return on;
        };
        Zoom *prices = openZoom(QStringLiteral("Current"), 3);
        QCOMPARE(enabled(prices), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 15}));
        QCOMPARE(enabled(openZoom(QStringLiteral("QR"), 3)), QList<int>{});
        copyFixturePage(QStringLiteral("IBM_it.Sh"), QStringLiteral("IBM_it.Sh"));
        Zoom *insiders = openZoom(QStringLiteral("IT"), 3);
        QCOMPARE(enabled(insiders), QList<int>{0});
        CurType = QStringLiteral("Port");
        CurSymbol = QStringLiteral("ACME");
        QStringList opened;
        setUrlOpenerHandler([&](const QUrl &u) {
            opened << u.toLocalFile();
            return true;
        });
        insiders->mnuEx[0]->trigger();
        setUrlOpenerHandler({});
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened[0].endsWith(QLatin1String("Insiders Traders/IBM.htm")));

        // The Edit menu opens 700 twips above its button; the highlight
        // moves only onto another button.
        prices->move(200, 400);
        prices->Panel1_Click(1);
        QVERIFY(prices->mnuEdits->isVisible());
        QCOMPARE(prices->mnuEdits->y(), prices->mapToGlobal(prices->Panel1[1]->pos()).y() - Twips::toPixelsY(700, prices));
        prices->mnuEdits->hide();
        prices->Panel1_MouseMove(2);
        QVERIFY(prices->Shape1->isVisible() && prices->Shape1->x() == prices->Panel1[2]->x());
        prices->Shape1->hide();
        prices->Panel1_MouseMove(2);
        QVERIFY(!prices->Shape1->isVisible());
    }

    // The grid's links, sorting and menu follow the window's own sheet.
    void gridActsOnItsOwnSheet()
    {
        QStringList opened;
        setUrlOpenerHandler([&](const QUrl &u) {
            opened << u.toString();
            return true;
        });
        Zoom *options = openZoom(QStringLiteral("Options"), 10);
        FlexGrid &o = *options->FGModel;
        o.setRows(4);
        o.setTextMatrix(1, 8, QStringLiteral("XYZ Jan 50 (XYZ AJ)"));
        o.setTextMatrix(3, 8, QStringLiteral("XYZ Jan 50 (XYZ AJ)"));
        o.setTextMatrix(2, 8, QStringLiteral("no code"));
        for (int row : {1, 2, 3}) {
            o.setRow(row), o.setCol(8), o.setRowSel(row), o.setColSel(8);
            options->FG_Click();
        }
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened[0].endsWith(QLatin1String("TICKER=XYZAJ")));
        // An address a downloaded page put in a cell opens only as a web page.
        Zoom *movers = openZoom(QStringLiteral("BR"), 10);
        FlexGrid &b = *movers->FGModel;
        b.setRows(3);
        b.setTextMatrix(2, 9, QStringLiteral("file:///etc/passwd"));
        b.setRow(2), b.setCol(1), b.setRowSel(2), b.setColSel(1);
        movers->FG_Click();
        b.setTextMatrix(2, 9, QStringLiteral("http://movers.example.com/a"));
        movers->FG_Click();
        QCOMPARE(opened.size(), 2);
        QCOMPARE(opened[1], QStringLiteral("http://movers.example.com/a"));
        setUrlOpenerHandler({});

        CurType = QStringLiteral("IPO_Price"); // what the main window shows now
        Zoom *prices = openZoom(QStringLiteral("Current"), 3);
        CurType = QStringLiteral("IPO_Price");
        FlexGrid &p = *prices->FGModel;
        p.setRows(5);
        const QStringList last = {"9.5", "10", "100"};
        for (int r = 2; r < 5; ++r)
            p.setTextMatrix(r, 2, last[r - 2]);
        p.setRow(2), p.setCol(2), p.setRowSel(2), p.setColSel(2);
        SortOrder = 0;
        prices->FG_DblClick();
        QCOMPARE(p.TextMatrix(2, 2), QStringLiteral("9.5"));
        QCOMPARE(p.TextMatrix(4, 2), QStringLiteral("100"));
        prices->FG_DblClick();
        QCOMPARE(p.TextMatrix(2, 2), QStringLiteral("100"));
        prices->FG_MouseDown(VbMouse::Right, 0, 10, 10);
        QVERIFY(prices->mnuEdits->isVisible());
        prices->mnuEdits->hide();
        options->FG_MouseDown(VbMouse::Right, 0, 10, 10);
        QVERIFY(!options->mnuEdits->isVisible());

        // Ctrl+C copies the selection; a heading dragged onto another moves.
        p.setRow(2), p.setCol(2), p.setRowSel(3), p.setColSel(2);
        prices->FG_KeyDown(67, VbMouse::CtrlKey);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("100\r10"));
        p.setTextMatrix(0, 0, QStringLiteral("A")), p.setTextMatrix(0, 2, QStringLiteral("C"));
        p.setMouseCell(0, 2);
        prices->FG_MouseDown(VbMouse::Left, 0, 1000, 100);
        prices->FG_MouseMove(VbMouse::Left, 0, 1100, 100);
        p.setMouseCell(0, 1);
        emit prices->FG->DragDrop(500, 100);
        QCOMPARE(p.TextMatrix(0, 1), QStringLiteral("C"));
    }
};

QTEST_MAIN(TestZoom)
#include "tst_zoom.moc"
