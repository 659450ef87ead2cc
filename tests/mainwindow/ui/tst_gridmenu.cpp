#include "FreshMainWindow.h"
#include "core/DataDir.h"
#include "core/Portfolio.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "sheets/ColLayout.h"
#include "mainwindow/ui/frmMain.h"
#include "navigation/NodeDispatcher.h"
#include "platform/FlexGrid.h"
#include "platform/ui/FlexGridView.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/TreeView.h"
#include "portfolio/PortfolioSheets.h"
#include "portfolio/StockSetNames.h"
#include "portfolio/ui/LastPar.h"
#include "portfolio/ui/frmPurchace.h"
#include "retrieval/transport/RunState.h"
#include "sheets/market/PriceSheet.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
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

QByteArray portfolioBytes()
{
    QFile f(DataDir + QStringLiteral("/Portfolio.dat"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Keys into the field as the user types them: a click into it, Ctrl+A,
// then the text over what it held.
void typeInto(QLineEdit *field, const QString &text)
{
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
}

void clickButton(QPushButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// A click on the open menu's item.
void pick(QMenu *menu, const char *item)
{
    QTRY_VERIFY(menu->isVisible());
    for (QAction *a : menu->actions())
        if (a->text() == QLatin1String(item)) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
            return;
        }
    QFAIL(item);
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
    void pressRight(int row)
    {
        const QPoint at = w->FG->cellRect(row, 1).center();
        QTest::mouseMove(w->FG->viewport(), at);
        QTest::mouseClick(w->FG->viewport(), Qt::RightButton, {}, at);
    }
    // The right button on the row, then the menu's item.
    void menuOnRow(int row, const char *item)
    {
        pressRight(row);
        pick(w->mnuEdits, item);
    }
    // A click on the tree node, then the right button on it and the item.
    void treeMenu(const char *key, const char *item)
    {
        TreeModel &nodes = w->TreeView1->Nodes();
        for (int p = nodes.Parent(nodes.find(QLatin1String(key))); p; p = nodes.Parent(p))
            nodes.setExpanded(p, true);
        QTreeWidgetItem *node = w->TreeView1->itemOf(nodes.find(QLatin1String(key)));
        w->TreeView1->scrollToItem(node);
        const QPoint at = w->TreeView1->visualItemRect(node).center();
        QTest::mouseClick(w->TreeView1->viewport(), Qt::LeftButton, {}, at);
        if (item) {
            QTest::mouseClick(w->TreeView1->viewport(), Qt::RightButton, {}, at);
            pick(w->mnuTrees, item);
        }
    }
    // The items the popup shows after a right press on the row.
    QStringList rightPress(int row)
    {
        pressRight(row);
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
    void fillTrade(frmPurchace *p, const char *date, const char *shares, const char *price, const char *commission)
    {
        typeInto(p->txtDate, QLatin1String(date));
        typeInto(p->txtShares, QLatin1String(shares));
        typeInto(p->txtPrice, QLatin1String(price));
        typeInto(p->txtComm, QLatin1String(commission));
        clickButton(p->cmdOK);
        QTRY_VERIFY(!purchaseWindow());
    }

private slots:
    void init()
    {
        m_profile = freshMainWindowProfile();
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
        const QStringList current = {"Copy", "-", "Select All", "-", "Old Style Background", "-", "Delete Share"};
        QCOMPARE(rightPress(2), current);
        FG_Portfolio_All();
        QCOMPARE(rightPress(2), QStringList({"Copy", "-", "Select All", "-", "Old Style Background", "-", "Sell Share"}));
        // the total line holds no purchase
        QCOMPARE(g().TextMatrix(3, 0), QStringLiteral("    Total:"));
        QCOMPARE(rightPress(3).last(), QStringLiteral("Sell Share (off)"));
        FG_PortfolioLog();
        QCOMPARE(rightPress(2), QStringList({"Copy", "-", "Select All", "-", "Edit Transection", "Delete Transection"}));
        FG_Current();
        QCOMPARE(rightPress(2), current);
        CurType = QStringLiteral("IT");
        QCOMPARE(rightPress(2), QStringList());
    }

    // "Delete Share" removes the stock the row shows, after a sort too, and
    // only on Yes; the set file is saved.
    void deleteShareRemovesTheNamedStock()
    {
        FG_Current();
        doubleClickCell(3, 1); // acme, Bolt, Crane
        doubleClickCell(3, 1); // Crane, Bolt, acme
        ScriptedDialogs dialogs;
        dialogs.answer(Msg::No);
        menuOnRow(2, "Delete Share");
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].prompt, QStringLiteral("Are you sure you want to remove CRAN (Crane & Co)?"));
        resetStocks();
        ReadStocks();
        QCOMPARE(FindSymbol(QStringLiteral("CRAN")), short(3));

        dialogs.answer(Msg::Yes);
        menuOnRow(2, "Delete Share");
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
        QCOMPARE(g().TextMatrix(2, 0), QStringLiteral("ACME"));
        menuOnRow(2, "Sell Share");
        frmPurchace *p = purchaseWindow();
        QVERIFY(p);
        QCOMPARE(p->windowTitle(), QStringLiteral("Sell Share"));
        QCOMPARE(p->lblName->text(), QStringLiteral("acme corp"));
        QCOMPARE(p->lblCurrent->text(), QStringLiteral("12"));
        QCOMPARE(p->txtPrice->text(), QStringLiteral("12"));
        QCOMPARE(p->txtShares->text(), QStringLiteral("6"));
        QCOMPARE(p->txtComm->text(), QStringLiteral("2.5"));
        QCOMPARE(p->txtDate->text(), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
        p->close();
        QTRY_VERIFY(!purchaseWindow());

        QCOMPARE(g().TextMatrix(4, 0), QStringLiteral("BOLT"));
        menuOnRow(4, "Sell Share");
        QVERIFY(lotChooser());
        QVERIFY(!purchaseWindow());
    }

    // The right button makes the row under the pointer current, and the
    // menu sells from that row's lot: the chooser opens with it chosen (so
    // Enter sells it), and the sale names the lot's own stock, whichever
    // stock is selected.
    void rightButtonSellsTheClickedLot()
    {
        CurSymbol = QStringLiteral("ACME");
        FG_Portfolio_All();
        selectRow(2);
        QCOMPARE(g().TextMatrix(5, 10), QStringLiteral("3"));
        menuOnRow(5, "Sell Share");
        QCOMPARE(g().Row(), 5);
        QVERIFY(lotChooser());
        QTest::keyClick(lotChooser(), Qt::Key_Return);
        QTRY_VERIFY(purchaseWindow());
        const frmPurchace *p = purchaseWindow();
        QCOMPARE(QStringList({p->lblSymbol->text(), p->lblName->text(), p->lblID->text(), p->txtShares->text()}),
                 QStringList({"BOLT", "Bolt Industries", "3", "5"}));
    }

    // "Edit Transection" on a sale row edits that sale, not the purchase it
    // came from; "Delete Transection" asks first, naming the trade whole,
    // does nothing on the total line, and takes a purchase's sales with it
    // and nothing else (one-letter symbols, entry 100 and another symbol's
    // sale naming the same entry stay).
    void logRowsEditAndDelete()
    {
        addTrade(5, "F", "Buy", 3, 4, 5);
        addTrade(6, "BOLT", "Sell", 1, 9, 1);
        addTrade(100, "ZZ", "Buy", 7, 1, 100);
        WritePortfolio();
        FG_PortfolioLog();
        QCOMPARE(g().TextMatrix(5, 1), QStringLiteral("Sell"));
        menuOnRow(5, "Edit Transection");
        frmPurchace *p = purchaseWindow();
        QVERIFY(p);
        QCOMPARE(p->windowTitle(), QStringLiteral("Edit Transection"));
        QCOMPARE(p->lblID->text(), QStringLiteral("4"));
        QCOMPARE(p->lblName->text(), QStringLiteral("acme corp"));
        QCOMPARE(p->txtShares->text(), QStringLiteral("4"));
        p->close();
        QTRY_VERIFY(!purchaseWindow());

        ScriptedDialogs dialogs;
        menuOnRow(g().Rows() - 1, "Delete Transection");
        QVERIFY(dialogs.shown().isEmpty());

        dialogs.answer(Msg::No);
        menuOnRow(2, "Delete Transection");
        QCOMPARE(dialogs.shown().last().prompt,
                 QStringLiteral("Are you sure you want to remove this transaction (ACME-Buy, 1/4/2000, 10 shares)?\r\n"
                                "Its sale will be removed too."));
        QCOMPARE(g().Rows(), 10);
        auto expected = Port;
        expected[1] = expected[4] = PortRec{};
        dialogs.answer(Msg::Yes);
        menuOnRow(2, "Delete Transection");
        QCOMPARE(column(0), QStringList({"Symbol", "", "BOLT", "BOLT", "F", "BOLT", "ZZ", "  =Total"}));
        resetPortfolio();
        ReadPortfolio();
        QVERIFY(Port == expected);
    }

    // The fields keep what is typed; OK refuses what is not a valid entry,
    // naming the field. A portfolio that cannot be saved is said, the
    // window keeps the entries and the file stays as it was; OK tried again
    // stores the trade once.
    void purchaseWindowKeepsWhatWasTyped()
    {
        const QByteArray file = portfolioBytes();
        treeMenu("ID0", "&Buy");
        const QPointer<frmPurchace> p = purchaseWindow();
        QVERIFY(p);
        ScriptedDialogs dialogs;
        typeInto(p->txtShares, QStringLiteral("1e9"));
        clickButton(p->cmdOK);
        QVERIFY(p);
        typeInto(p->txtShares, QStringLiteral("-5"));
        QVERIFY(!p->cmdOK->isEnabled());
        typeInto(p->txtShares, QStringLiteral("12"));
        typeInto(p->txtPrice, QStringLiteral("1,5"));
        clickButton(p->cmdOK);
        QVERIFY(p);
        typeInto(p->txtPrice, QStringLiteral("7.5"));
        {
            FileSizeLimit full(1024);
            clickButton(p->cmdOK);
        }
        QStringList said;
        for (const ScriptedDialogs::Shown &box : dialogs.shown())
            said << box.prompt.section(QLatin1Char('\r'), 0, 0);
        QCOMPARE(said, QStringList({"Quantity: \"1e9\" is not a number of shares.", "Price: \"1,5\" is not an amount.",
                                    "Could not save " + QDir::toNativeSeparators(DataDir + "/Portfolio.dat") + ":"}));
        QVERIFY(dialogs.shown().last().prompt.contains(QLatin1String("File too large")));
        QCOMPARE(purchaseWindow(), p.data());
        QCOMPARE(QStringList({p->txtShares->text(), p->txtPrice->text()}), QStringList({"12", "7.5"}));
        QCOMPARE(portfolioBytes(), file);

        clickButton(p->cmdOK);
        QTRY_VERIFY(!purchaseWindow());
        resetPortfolio();
        ReadPortfolio();
        QCOMPARE(QList<int>({Port[5].Shares, int(Port[5].Price * 10), PortCount}), QList<int>({12, 75, 5}));
    }

    // A day's use through the windows: two lots of one stock and one of
    // another bought, part of a lot sold, the other lot's date changed (the
    // edit shows the lot as its record holds it, not as the log rounds it),
    // the other stock's trade removed; the file then holds exactly what was
    // entered.
    void aDayOfTrading()
    {
        resetPortfolio();
        QVERIFY(QFile::remove(DataDir + QStringLiteral("/Portfolio.dat")));
        treeMenu("ID0", "&Buy");
        fillTrade(purchaseWindow(), "1/5/2000", "100", "7.50", "9.95");
        treeMenu("ID0", "&Buy");
        fillTrade(purchaseWindow(), "2/7/2000", "50", "10.125", "1,234.50");
        treeMenu("ID1", "&Buy");
        fillTrade(purchaseWindow(), "3/1/2000", "30", "9.5", "5");

        treeMenu("PortDetail", nullptr);
        menuOnRow(2, "Sell Share");
        QVERIFY(lotChooser());
        clickButton(lotChooser()->cmdOK);
        QTRY_VERIFY(purchaseWindow());
        fillTrade(purchaseWindow(), "4/3/2000", "40", "8.25", "4.95");

        treeMenu("PortLog", nullptr); // a row for each entry, from row 2
        QCOMPARE(QStringList({g().TextMatrix(3, 4), g().TextMatrix(3, 5)}), QStringList({"10.13", "1,234.50"}));
        menuOnRow(3, "Edit Transection");
        QVERIFY(purchaseWindow());
        QCOMPARE(QStringList({purchaseWindow()->txtPrice->text(), purchaseWindow()->txtComm->text()}),
                 QStringList({"10.125", "1234.5"}));
        typeInto(purchaseWindow()->txtDate, QStringLiteral("2/8/2000"));
        clickButton(purchaseWindow()->cmdOK);
        QTRY_VERIFY(!purchaseWindow());
        ScriptedDialogs dialogs;
        dialogs.answer(Msg::Yes);
        menuOnRow(4, "Delete Transection");
        QCOMPARE(g().TextMatrix(4, 6), QStringLiteral("21.07"));

        resetPortfolio();
        ReadPortfolio();
        std::array<PortRec, PortSize> expected;
        const QString acme = QStringLiteral("ACME"), price = QStringLiteral("100"), buy = QStringLiteral("Buy");
        expected[1] = {acme, QStringLiteral("1/5/2000"), 7.5f, 100, 9.95f, price, buy, 0, 1};
        expected[2] = {acme, QStringLiteral("2/8/2000"), 10.125f, 50, 1234.5f, price, buy, 0, 2};
        expected[4] = {acme, QStringLiteral("4/3/2000"), 8.25f, 40, 4.95f, price, QStringLiteral("Sell"), 21.07, 1};
        for (int i = 0; i < PortSize; ++i)
            QCOMPARE(Port[i], expected[i]);
    }

    // A heading dragged with the mouse: pressed, moved over, released on
    // the target heading.
    QPoint headingUnderPointer(int col)
    {
        // Found by moving the pointer along the heading row, as the grid tells.
        const int y = w->FG->cellRect(0, col).center().y();
        QList<int> xs;
        for (int x = 1; x < w->FG->viewport()->width(); x += 3) {
            QTest::mouseMove(w->FG->viewport(), QPoint(x, y));
            if (g().MouseRow() == 0 && g().MouseCol() == col)
                xs << x;
        }
        return xs.isEmpty() ? QPoint() : QPoint(xs[xs.size() / 2], y);
    }
    void dragHeading(int from, int to)
    {
        const QPoint start = headingUnderPointer(from);
        const QPoint end = headingUnderPointer(to);
        QTest::mouseMove(w->FG->viewport(), start);
        QTest::mousePress(w->FG->viewport(), Qt::LeftButton, {}, start);
        QTest::mouseMove(w->FG->viewport(), start + QPoint(end.x() > start.x() ? 5 : -5, 0)); // the drag begins here
        for (int i = 1; i <= 8; ++i)
            QTest::mouseMove(w->FG->viewport(), start + (end - start) * i / 8);
        QTest::mouseRelease(w->FG->viewport(), Qt::LeftButton, {}, end);
    }

    // Every row a menu acts on carries its own record: after a column
    // drag the sale fills from the holding's record (not from the columns
    // as they now stand); of two rows that read alike, the one pressed is
    // the one removed; the question names the stock by its symbol. A stock
    // after free records has its row and its node.
    void rowsCarryTheirRecords()
    {
        FG_Portfolio_All();
        QCOMPARE(g().TextMatrix(0, 2), QStringLiteral("Qun."));
        dragHeading(2, 9);
        QCOMPARE(g().TextMatrix(0, 2), QStringLiteral("Cost"));
        QVERIFY(g().TextMatrix(0, 8) == QLatin1String("Qun.") || g().TextMatrix(0, 9) == QLatin1String("Qun."));
        menuOnRow(2, "Sell Share");
        frmPurchace *p = purchaseWindow();
        QVERIFY(p);
        QCOMPARE(QStringList({p->lblSymbol->text(), p->txtShares->text(), p->txtPrice->text(), p->txtComm->text()}),
                 QStringList({"ACME", "6", "12", "2.5"}));
        p->close();
        QTRY_VERIFY(!purchaseWindow());

        resetStocks();
        addStock(0, "ACME", "acme corp", "100");
        addStock(2, "ZZQ", "", "");
        addStock(5, "ZZR", "", "");
        addStock(9, "LATE", "Late Corp", "3");
        for (short k : {2, 5}) {
            ClearStockRec(k); // as an update leaves a symbol the quote service does not know
            Sets[size_t(k)].LowTarget = float(k);
        }
        SaveStocks();
        w->mnuSet_Click(0);
        FG_Current();
        QCOMPARE(column(1), QStringList({"Companey", "", "acme corp", "No Current Stock", "No Current Stock", "Late Corp"}));
        QVERIFY(w->TreeView1->Nodes().find(QStringLiteral("ID9")));
        ScriptedDialogs dialogs;
        dialogs.answer(Msg::Yes);
        menuOnRow(4, "Delete Share");
        QCOMPARE(dialogs.shown().last().prompt, QStringLiteral("Are you sure you want to remove ZZR (No Current Stock)?"));
        resetStocks();
        ReadStocks();
        QCOMPARE(StockIndex(QStringLiteral("ZZR")), short(-1));
        const short kept = StockIndex(QStringLiteral("ZZQ"));
        QVERIFY(kept >= 0);
        QCOMPARE(Sets[size_t(kept)].LowTarget, 2.0f);
    }

    // A column order that LayOut.dat cannot take (a full disk) is said,
    // naming the file; the columns stay as dragged.
    void unsavedColumnOrderIsSaid()
    {
        FG_Current();
        ScriptedDialogs dialogs;
        {
            FileSizeLimit full(16);
            dragHeading(2, 4);
        }
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown().first().title, QStringLiteral("Column order not saved"));
        QVERIFY(dialogs.shown().first().prompt.contains(QLatin1String("LayOut.dat")));
        QCOMPARE(g().TextMatrix(0, 2), QStringLiteral("Change"));
    }

    // A right press on a stock's tree node or gauge makes that stock the
    // current one before its menu opens: the menu acts on it, not on the
    // stock selected before, and the question names it.
    void stockMenusActOnTheStockPressed()
    {
        const QString cache = DataDir + QStringLiteral("/Cache/DataSheet/");
        QVERIFY(QDir().mkpath(cache));
        for (const char *page : {"BOLT_ABS.Sh", "BOLT_qr.Sh", "CRAN_ABS.Sh", "CRAN_qr.Sh"}) {
            QFile f(cache + QLatin1String(page));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("page");
        }
        treeMenu("ID1", nullptr); // BOLT selected
        QCOMPARE(CurSymbol, QStringLiteral("BOLT"));
        TreeModel &nodes = w->TreeView1->Nodes();
        QTreeWidgetItem *cran = w->TreeView1->itemOf(nodes.find(QStringLiteral("ID3")));
        const QPoint at = w->TreeView1->visualItemRect(cran).center();
        QTest::mouseMove(w->TreeView1->viewport(), at);
        ScriptedDialogs dialogs;
        dialogs.answer(Msg::Yes);
        QTest::mouseClick(w->TreeView1->viewport(), Qt::RightButton, {}, at);
        pick(w->mnuTrees, "Empty S&tock Cache");
        QCOMPARE(CurSymbol, QStringLiteral("CRAN"));
        QVERIFY(dialogs.shown().last().prompt.contains(QLatin1String("CRAN")));
        QStringList left = QDir(cache).entryList(QDir::Files);
        left.sort();
        QCOMPARE(left, QStringList({"BOLT_ABS.Sh", "BOLT_qr.Sh"}));

        for (int i = 0; i < 4; ++i)
            Sets[size_t(i)].Rating = 2.0f;
        QVERIFY(SaveStocks());
        w->mnuSet_Click(0);
        QCOMPARE(w->lblSbl[1]->text(), QStringLiteral("BOLT"));
        QTest::mouseClick(w->img[0], Qt::LeftButton); // ACME current
        QCOMPARE(CurSymbol, QStringLiteral("ACME"));
        QTest::mouseMove(w->img[1]);
        QTest::mouseClick(w->img[1], Qt::RightButton);
        pick(w->mnuTrees, "&Buy");
        QTRY_VERIFY(purchaseWindow());
        QCOMPARE(purchaseWindow()->lblSymbol->text(), QStringLiteral("BOLT"));
    }

    // The purchase window reads numbers and dates as the sheets write
    // them (fractions too) and as the user's regional settings do; it
    // offers the stock's exact price, and the holdings value at it. Its own
    // default date always passes; a number that reads two ways is refused,
    // naming both readings.
    void purchaseNumbersInEveryForm()
    {
        const QLocale before;
        resetStocks();
        ReadStocks();
        Sets[0].LastSale = QStringLiteral("45 3/8");
        QVERIFY(SaveStocks());
        resetPortfolio();
        QVERIFY(QFile::remove(DataDir + QStringLiteral("/Portfolio.dat")));
        ReadPortfolio();
        ScriptedDialogs dialogs;
        const auto buy = [&](const char *shares, const char *price) {
            treeMenu("ID0", "&Buy");
            frmPurchace *p = purchaseWindow();
            if (price)
                typeInto(p->txtPrice, QString::fromUtf8(price));
            typeInto(p->txtShares, QLatin1String(shares));
            clickButton(p->cmdOK);
        };
        treeMenu("ID0", "&Buy");
        QCOMPARE(purchaseWindow()->txtPrice->text(), QStringLiteral("45 3/8"));
        QCOMPARE(purchaseWindow()->lblCurrent->text(), QStringLiteral("45 3/8"));
        purchaseWindow()->close();
        QTRY_VERIFY(!purchaseWindow());
        buy("10", nullptr);
        QTRY_VERIFY(!purchaseWindow());
        buy("20", "8 1/4");
        QTRY_VERIFY(!purchaseWindow());
        for (const char *name : {"ar_EG", "fa_IR", "mr_IN"}) {
            QLocale::setDefault(QLocale(QLatin1String(name)));
            buy("1", nullptr);
            QTRY_VERIFY2(!purchaseWindow(), name);
        }
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        buy("5", "2,125");
        QVERIFY(purchaseWindow());
        const QString said = dialogs.shown().last().prompt;
        QVERIFY2(said.contains(QLatin1String("2.125")) && said.contains(QLatin1String("2125")), qPrintable(said));
        typeInto(purchaseWindow()->txtPrice, QStringLiteral("2,1250"));
        clickButton(purchaseWindow()->cmdOK);
        QTRY_VERIFY(!purchaseWindow());
        QLocale::setDefault(before);

        resetPortfolio();
        ReadPortfolio();
        QCOMPARE(PortCount, short(6));
        QCOMPARE(QList<float>({Port[1].Price, Port[2].Price, Port[6].Price}), QList<float>({45.375f, 8.25f, 2.125f}));
        QCOMPARE(Port[1].Extra, QStringLiteral("45 3/8"));
        // Other digits than Latin-1 holds are filed as month/day/year.
        QCOMPARE(Port[3].DateText, QDate::currentDate().toString(QStringLiteral("M/d/yyyy")));
        QCOMPARE(Port[6].DateText, QLocale(QLocale::German, QLocale::Germany).toString(QDate::currentDate(), QLocale::ShortFormat));
        FG_Portfolio_All();
        QCOMPARE(g().TextMatrix(2, 9), QStringLiteral("45.375"));
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
