#include "core/Portfolio.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "sheets/ColLayout.h"
#include "mainwindow/ui/frmMain.h"
#include "navigation/NodeDispatcher.h"
#include "platform/FlexGrid.h"
#include "platform/ui/FlexGridView.h"
#include "portfolio/PortfolioSheets.h"
#include "portfolio/ui/LastPar.h"
#include "portfolio/ui/frmPurchace.h"
#include "retrieval/transport/RunState.h"
#include "sheets/market/PriceSheet.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"

#include <QAction>
#include <QClipboard>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QtTest>

namespace {

void addStock(int i, const char *symbol, const char *name, const char *last)
{
    StockRec &s = Sets[size_t(i)];
    s.Symbol = QLatin1String(symbol);
    s.Name = QLatin1String(name);
    s.LastSale = QLatin1String(last);
    s.PctChange = QStringLiteral("+1%");
}

void addTrade(int i, const char *symbol, const char *action, int shares, float price, int ref)
{
    PortRec &e = Port[size_t(i)];
    e.Symbol = QLatin1String(symbol);
    e.Action = QLatin1String(action);
    e.DateText = QStringLiteral("1/4/2000");
    e.Shares = qint16(shares);
    e.Price = price;
    e.Commission = 2.5f;
    e.Extra = QStringLiteral("12");
    e.RefId = qint16(ref);
}

} // namespace

class TestGridMenu : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> m_profile;
    frmMain *w = nullptr;

    FlexGrid &g() { return *w->FGModel; }

    void doubleClickCell(int row, int col)
    {
        const QPoint at = w->FG->cellRect(row, col).center();
        // The first click of the pair selects the cell.
        QTest::mouseClick(w->FG->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(w->FG->viewport(), Qt::LeftButton, {}, at);
    }
    QStringList column(int col)
    {
        QStringList out;
        for (int r = 0; r < g().Rows(); ++r)
            out << g().TextMatrix(r, col);
        return out;
    }
    // The items the popup shows after a right press on the current row.
    QStringList rightPress()
    {
        QTest::mouseClick(w->FG->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        QStringList out;
        if (!w->mnuEdits->isVisible())
            return out;
        for (QAction *a : w->mnuEdit)
            if (a->isVisible())
                out << (a->isSeparator() ? QStringLiteral("-") : a->text() + (a->isEnabled() ? "" : " (off)"));
        w->mnuEdits->hide();
        return out;
    }
    void selectRow(int row)
    {
        g().setRow(row);
        g().setCol(1);
    }

private slots:
    void init()
    {
        m_profile = std::make_unique<TempProfile>();
        m_profile->createProgramKey();
        resetColLayout();
        resetRunState();
        resetSharedState();
        resetNavigation();
        resetStocks();
        CurSetNo = 0;
        addStock(0, "ACME", "acme corp", "100");
        addStock(1, "BOLT", "Bolt Industries", "9.5");
        addStock(2, "NOQT", "", "");
        addStock(3, "CRAN", "Crane & Co", "10.25");
        SaveStocks();
        resetStocks();
        resetPortfolio();
        addTrade(1, "ACME", "Buy", 10, 5, 1);
        addTrade(2, "BOLT", "Buy", 20, 8, 2);
        addTrade(3, "BOLT", "Buy", 5, 9, 3);
        addTrade(4, "ACME", "Sell", 4, 7, 1);
        WritePortfolio();
        SetKeyValue(HKEY_CURRENT_USER, QString::fromLatin1(GroupsKey), QStringLiteral("Group0"),
                    QStringLiteral("All Stocks"), REG_SZ);
        frmMain::Show();
        w = frmMain::instance();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        OldStyleBackground = false;
    }
    void cleanup()
    {
        if (purchaseWindow())
            purchaseWindow()->close();
        if (lotChooser())
            lotChooser()->close();
        delete frmMain::instance();
        w = nullptr;
        OldStyleBackground = false;
        m_profile.reset();
    }

    // A double click sorts the price sheet by the clicked column, numbers by
    // value, ascending first, then alternating with the other grids; the
    // holdings sheet is never sorted.
    void doubleClickSortsThePriceSheet()
    {
        FG_Current();
        doubleClickCell(3, 2);
        QCOMPARE(column(2), QStringList({"Last Sale", "", "9.5", "10.25", "100"}));
        QCOMPARE(g().RowHeight(1), 0);
        SortOrder = 2; // as a double click on the news or zoom grid leaves it
        doubleClickCell(3, 1);
        QCOMPARE(column(1), QStringList({"Companey", "", "acme corp", "Bolt Industries", "Crane & Co"}));
        FG_Portfolio_All();
        const QStringList before = column(0);
        doubleClickCell(2, 0);
        QCOMPARE(column(0), before);
    }

    // Titles, spacers, bold total lines and trailing hidden rows keep their
    // places; texts sort without regard to letter case.
    void sortLeavesTitlesAndTotalsInPlace()
    {
        FlexGrid &grid = g();
        grid.setRows(1);
        grid.setCols(2);
        for (const char *row : {"Title\t", "cherry\t3", "Apple\t1", "banana\t2", "Total\t6", "zeta\t9", "Eta\t8", "\t"})
            grid.AddItem(QLatin1String(row));
        grid.setTextMatrix(0, 0, QStringLiteral("Name"));
        grid.setRow(1);
        grid.setCol(0);
        grid.setCellFontBold(true);
        grid.setRow(5);
        grid.setCellFontBold(true);
        grid.setRowHeight(8, 0);
        CurType = QStringLiteral("QR");
        grid.setRow(3);
        grid.setCol(0);
        w->FG_DblClick();
        QCOMPARE(column(0), QStringList({"Name", "Title", "Apple", "banana", "cherry", "Total", "Eta", "zeta", ""}));
        QCOMPARE(QList<int>({grid.Row(), grid.Col()}), QList<int>({3, 0}));
        w->FG_DblClick();
        QCOMPARE(column(0), QStringList({"Name", "Title", "cherry", "banana", "Apple", "Total", "zeta", "Eta", ""}));
    }

    // Ctrl+C (Shift or not) copies the selection as tab-separated cells,
    // rows joined by a carriage return; C alone copies nothing; Ctrl+A
    // selects the whole grid.
    void keysCopyAndSelectAll()
    {
        FG_Current();
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        g().setRow(2);
        g().setCol(1);
        g().setRowSel(3);
        g().setColSel(3);
        QTest::keyClick(w->FG, Qt::Key_C);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
        QTest::keyClick(w->FG, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("acme corp\t100\t\rBolt Industries\t9.5\t"));
        QTest::keyClick(w->FG, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(QList<int>({g().Row(), g().Col(), g().RowSel(), g().ColSel()}),
                 QList<int>({0, 0, g().Rows() - 1, g().Cols() - 1}));
    }

    // Dragging heading 3 onto heading 1 moves the column and stores the new
    // order; a press that moves less than 50 twips drags nothing.
    void headingDragStoresTheOrder()
    {
        FlexGrid &grid = g();
        grid.setRows(2);
        grid.setCols(5);
        for (int c = 0; c < 5; ++c)
            grid.setTextMatrix(0, c, QStringLiteral("H%1").arg(c));
        grid.setMouseCell(0, 3);
        w->FG_MouseDown(1, 0, 3000, 100);
        QCOMPARE(grid.cellFormat(0, 3).foreColor, OleColor(0xFF0000));
        w->FG_MouseMove(1, 0, 3030, 119);
        QVERIFY(!w->FG->isDragging());
        w->FG_MouseMove(1, 0, 3030, 120);
        QVERIFY(w->FG->isDragging());
        grid.setMouseCell(0, 1);
        w->FG_DragOver(1000, 100);
        w->FG->Drag(0);
        w->FG_DragDrop(1000, 100);
        const QStringList heads = {"H0", "H3", "H1", "H2", "H4"};
        for (int i = 1; i <= 4; ++i)
            QCOMPARE(ColLayout[size_t(i)], (ColLayoutEntry{heads[i], 0, i, i}));
        resetColLayout();
        LoadLayout();
        QCOMPARE(ColLayout[1].Caption, QStringLiteral("H3"));
    }

    // The popup offers per sheet what it can do there, and nothing on the
    // other sheets.
    void menuItemsFollowTheSheet()
    {
        FG_Current();
        selectRow(2);
        const QStringList current = {"Copy", "-", "Select All", "-", "Old Style Background", "-", "Delete Share"};
        QCOMPARE(rightPress(), current);
        FG_Portfolio_All();
        selectRow(2);
        QCOMPARE(rightPress(), QStringList({"Copy", "-", "Select All", "-", "Old Style Background", "-", "Sell Share"}));
        selectRow(3); // the total line holds no purchase
        QCOMPARE(g().TextMatrix(3, 0), QStringLiteral("    Total:"));
        QCOMPARE(rightPress().last(), QStringLiteral("Sell Share (off)"));
        FG_PortfolioLog();
        selectRow(2);
        QCOMPARE(rightPress(), QStringList({"Copy", "-", "Select All", "-", "Edit Transection", "Delete Transection"}));
        FG_Current();
        QCOMPARE(rightPress(), current);
        CurType = QStringLiteral("IT");
        QCOMPARE(rightPress(), QStringList());
    }

    // "Delete Share" removes the stock the row shows, after a sort too, and
    // only on Yes; the set file is saved.
    void deleteShareRemovesTheNamedStock()
    {
        FG_Current();
        doubleClickCell(3, 1); // acme, Bolt, Crane
        doubleClickCell(3, 1); // Crane, Bolt, acme
        selectRow(2);
        ScriptedDialogs dialogs;
        dialogs.answer(Msg::No);
        w->mnuEdit_Click(7);
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].prompt, QStringLiteral("Are you sure you want to remove  (Crane & Co)?"));
        resetStocks();
        ReadStocks();
        QCOMPARE(FindSymbol(QStringLiteral("CRAN")), short(3));

        dialogs.answer(Msg::Yes);
        w->mnuEdit_Click(7);
        resetStocks();
        ReadStocks();
        QStringList symbols;
        for (const StockRec &s : Sets)
            if (!s.Symbol.isEmpty())
                symbols << s.Symbol;
        QCOMPARE(symbols, QStringList({"ACME", "BOLT", "NOQT"}));
        QCOMPARE(column(1), QStringList({"Companey", "", "acme corp", "Bolt Industries"}));
    }

    // "Sell Share" on a holding bought once opens the sale filled from its
    // row; a symbol bought twice opens the lot chooser.
    void sellShareOpensTheSale()
    {
        FG_Portfolio_All();
        selectRow(2);
        QCOMPARE(g().TextMatrix(2, 0), QStringLiteral("ACME"));
        w->mnuEdit_Click(6);
        frmPurchace *p = purchaseWindow();
        QVERIFY(p);
        QCOMPARE(p->windowTitle(), QStringLiteral("Sell Share"));
        QCOMPARE(p->lblName->text(), QStringLiteral("acme corp"));
        QCOMPARE(p->lblCurrent->text(), QStringLiteral("12"));
        QCOMPARE(p->txtPrice->text(), QStringLiteral("12"));
        QCOMPARE(p->txtShares->text(), QStringLiteral("6"));
        QCOMPARE(p->txtComm->text(), QStringLiteral("2.50"));
        QCOMPARE(p->txtDate->text(), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
        p->close();
        QTRY_VERIFY(!purchaseWindow());

        selectRow(4);
        QCOMPARE(g().TextMatrix(4, 0), QStringLiteral("BOLT"));
        w->mnuEdit_Click(6);
        QVERIFY(lotChooser());
        QVERIFY(!purchaseWindow());
    }

    // "Edit Transection" on a sale row edits that sale, not the purchase it
    // came from; "Delete Transection" asks first, does nothing on the total
    // line, and takes a purchase's sales with it.
    void logRowsEditAndDelete()
    {
        FG_PortfolioLog();
        selectRow(5);
        QCOMPARE(g().TextMatrix(5, 1), QStringLiteral("Sell"));
        w->mnuEdit_Click(8);
        frmPurchace *p = purchaseWindow();
        QVERIFY(p);
        QCOMPARE(p->windowTitle(), QStringLiteral("Edit Transection"));
        QCOMPARE(p->lblID->text(), QStringLiteral("4"));
        QCOMPARE(p->lblName->text(), QStringLiteral("acme corp"));
        QCOMPARE(p->txtShares->text(), QStringLiteral("4"));
        p->close();
        QTRY_VERIFY(!purchaseWindow());

        ScriptedDialogs dialogs;
        selectRow(g().Rows() - 1);
        w->mnuEdit_Click(9);
        QVERIFY(dialogs.shown().isEmpty());

        selectRow(2);
        dialogs.answer(Msg::No);
        w->mnuEdit_Click(9);
        QCOMPARE(dialogs.shown().last().prompt, QStringLiteral("Are you sure you want to remove this transaction (ACME-Buy)?"));
        QCOMPARE(g().Rows(), 7);
        dialogs.answer(Msg::Yes);
        w->mnuEdit_Click(9);
        QCOMPARE(column(0), QStringList({"Symbol", "", "BOLT", "BOLT", "  =Total"}));
        resetPortfolio();
        ReadPortfolio();
        QVERIFY(Port[1].Symbol.isEmpty() && Port[4].Symbol.isEmpty());
        QCOMPARE(Port[3].Symbol, QStringLiteral("BOLT"));
    }

    // "Old Style Background" toggles its check and draws the striped price
    // sheet, whatever sheet was shown.
    void oldStyleBackgroundDrawsThePriceSheet()
    {
        FG_Portfolio_All();
        w->mnuEdit_Click(4);
        QVERIFY(OldStyleBackground && w->mnuEdit[4]->isChecked());
        QCOMPARE(CurType, QStringLiteral("Current"));
        QCOMPARE(g().cellFormat(3, 1).backColor, OleColor(0xC0FFFF));
        w->mnuEdit_Click(4);
        QVERIFY(!OldStyleBackground);
        QCOMPARE(g().cellFormat(3, 1).backColor, OleColor(0));
    }
};

QTEST_MAIN(TestGridMenu)
#include "tst_gridmenu.moc"
