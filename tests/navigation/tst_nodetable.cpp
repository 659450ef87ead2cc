#include "core/Portfolio.h"
#include "core/Stocks.h"
#include "navigation/NodeTable.h"
#include "platform/TreeModel.h"
#include "portfolio/PortSymbols.h"
#include "support/GridDump.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {

// The tree as a table, one node a line in Index order: its key, its
// parent's key, its text and its picture.
QString dumpTree(const TreeModel &tree)
{
    QString out;
    for (int i = 1; i <= tree.Count(); ++i) {
        out += QStringLiteral("%1|%2|\"%3\"|%4\n")
                   .arg(tree.Key(i), tree.Key(tree.Parent(i)), tree.Text(i))
                   .arg(tree.Image(i));
    }
    return out;
}

void buy(int entry, const QString &symbol)
{
    Port[size_t(entry)].Symbol = symbol;
    Port[size_t(entry)].Action = QStringLiteral("Buy");
}

} // namespace

class TestNodeTable : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        resetStocks();
        resetPortfolio();
        clearPortSymbols();
    }

    // Two stocks with a free record between them and three distinct
    // portfolio symbols: the whole tree against the node table, and the
    // rules the table's users rely on.
    void twoStocksAndThreePortfolioSymbols()
    {
        Sets[0].Symbol = QStringLiteral("IBM");
        Sets[2].Symbol = QStringLiteral("MSFT");
        SetCount = 2;
        buy(0, QStringLiteral("IBM"));
        buy(1, QStringLiteral("X"));   // one character: no node
        buy(2, QStringLiteral("IBM")); // bought again: no second node
        buy(3, QStringLiteral("MSFT"));
        buy(5, QStringLiteral("ORCL"));
        buy(100, QStringLiteral("LAST")); // entry 100 never shows
        TreeModel tree;

        buildNavigationTree(tree, QStringLiteral("All Stocks"));

        QCOMPARE(tree.Count(), FixedNodeCount + 3 + 2 * StockSubtreeSize);
        QString why;
        QVERIFY2(matchesGolden(dumpTree(tree), QStringLiteral("navigation_tree.txt"), &why), qPrintable(why));

        QCOMPARE(tree.find(QStringLiteral("All")), 1);
        QCOMPARE(tree.find(QStringLiteral("Market")), 2);
        QCOMPARE(tree.Text(1), QStringLiteral("Stocks-All Stocks"));
        QCOMPARE(PortSymbols[0], QStringLiteral("IBM"));
        QCOMPARE(PortSymbols[1], QStringLiteral("MSFT"));
        QCOMPARE(PortSymbols[2], QStringLiteral("ORCL"));
        QVERIFY(PortSymbols[3].isEmpty());
        // The second stock's pages carry its own record index.
        QCOMPARE(tree.Text(tree.find(QStringLiteral("SP2"))), QStringLiteral("StockPoint"));
        QCOMPARE(tree.Text(tree.find(QStringLiteral("sp2"))), QStringLiteral("vs SP 500"));
        QCOMPARE(tree.Parent(tree.find(QStringLiteral("AR2"))), tree.find(QStringLiteral("ID2")));
        QCOMPARE(tree.find(QStringLiteral("ID1")), 0);
        for (int i = 1; i <= tree.Count(); ++i)
            QVERIFY(!tree.Expanded(i) && !tree.Selected(i));
    }

    // An empty set keeps the fixed branches whole; a rebuild starts afresh
    // and the root follows the set's name.
    void emptySetAndRebuild()
    {
        TreeModel tree;
        Sets[0].Symbol = QStringLiteral("IBM");
        SetCount = 1;
        buildNavigationTree(tree, QStringLiteral("All Stocks"));
        tree.setExpanded(tree.find(QStringLiteral("ID0")), true);

        resetStocks();
        buildNavigationTree(tree, QStringLiteral("Group 3"));
        QCOMPARE(tree.Count(), FixedNodeCount);
        QCOMPARE(tree.Text(1), QStringLiteral("Stocks-Group 3"));
        QVERIFY(tree.children(1).isEmpty());
        QCOMPARE(tree.find(QStringLiteral("ID0")), 0);
    }

    // A full set of 201 stocks and 100 portfolio symbols: 16,112 nodes,
    // built without delay.
    void fullSet()
    {
        for (int i = 0; i < SetSize; ++i)
            Sets[size_t(i)].Symbol = QStringLiteral("S%1").arg(i);
        SetCount = SetSize;
        for (int i = 0; i < PortSymbolSlots; ++i)
            buy(i, QStringLiteral("P%1").arg(i));
        TreeModel tree;
        QElapsedTimer timer;
        timer.start();
        buildNavigationTree(tree, QStringLiteral("All Stocks"));
        QCOMPARE(tree.Count(), 16112);
        QVERIFY(timer.elapsed() < 2000);
    }
};

QTEST_GUILESS_MAIN(TestNodeTable)
#include "tst_nodetable.moc"
