#include "core/Stocks.h"
#include "navigation/NodeDispatcher.h"
#include "navigation/NodeTable.h"
#include "navigation/TreeEvents.h"
#include "platform/TreeModel.h"

#include <QtTest>

class TestTreeEvents : public QObject
{
    Q_OBJECT

    TreeModel tree;

    int node(const char *key) const { return tree.find(QLatin1String(key)); }

private slots:
    void initTestCase()
    {
        // The control sends Expand whoever expands a node.
        connect(&tree, &TreeModel::Expand, this, [this](int index) { TreeView1_Expand(tree, index); });
    }
    void init()
    {
        resetStocks();
        resetNavigation();
        Sets[0].Symbol = QStringLiteral("IBM");
        Sets[1].Symbol = QStringLiteral("MSFT");
        SetCount = 2;
        buildNavigationTree(tree, QStringLiteral("All Stocks"));
    }

    // Any expanded node is remembered; a stock node shows the open book
    // while expanded, and the closed one again when collapsed.
    void expand()
    {
        tree.setExpanded(node("Market"), true);
        QCOMPARE(NodeIndex, short(node("Market")));
        QCOMPARE(tree.shownImage(node("Market")), 8);
        tree.setExpanded(node("ID1"), true);
        QCOMPARE(NodeIndex, short(node("ID1")));
        QCOMPARE(tree.shownImage(node("ID1")), 2);
        tree.setExpanded(node("ID1"), false);
        QCOMPARE(tree.shownImage(node("ID1")), 1);
    }

    // A key opens the remembered stock node when it is collapsed; P also
    // selects its "Profile" page. An open stock node, or another node, is
    // left alone.
    void keys()
    {
        NodeIndex = short(node("ID0"));
        TreeView1_KeyDown(tree, 40);
        QVERIFY(tree.Expanded(node("ID0")));
        QCOMPARE(tree.SelectedItem(), 0);
        TreeView1_KeyDown(tree, 80);
        QCOMPARE(tree.SelectedItem(), 0);

        NodeIndex = short(node("ID1"));
        TreeView1_KeyDown(tree, 80);
        QVERIFY(tree.Expanded(node("ID1")));
        QCOMPARE(tree.SelectedItem(), node("AR1"));

        NodeIndex = short(node("Funds"));
        TreeView1_KeyDown(tree, 80);
        QVERIFY(!tree.Expanded(node("Funds")));
        NodeIndex = 30000;
        TreeView1_KeyDown(tree, 80);
    }

    // The popup menu follows the remembered node.
    void menuFollowsTheRememberedNode()
    {
        NodeIndex = short(node("ID1"));
        QVERIFY(treeMenuIsForStock(tree));
        NodeIndex = short(node("IT1"));
        QVERIFY(!treeMenuIsForStock(tree));
        NodeIndex = 30000;
        QVERIFY(!treeMenuIsForStock(tree));
    }

    void collapse()
    {
        for (const char *key : {"ID0", "ID1", "Market", "News0"})
            tree.setExpanded(node(key), true);
        CollapseStocks(tree);
        QVERIFY(!tree.Expanded(node("ID0")) && !tree.Expanded(node("ID1")));
        QVERIFY(tree.Expanded(node("Market")) && tree.Expanded(node("News0")));
        CollapseAll(tree);
        for (int i = 1; i <= tree.Count(); ++i)
            QVERIFY(!tree.Expanded(i));
        QCOMPARE(findStockNode(tree, QStringLiteral("MSFT")), node("ID1"));
        QCOMPARE(findStockNode(tree, QStringLiteral("msft")), 0);
        // A record renamed since the tree was built: its node is still found.
        Sets[1].Symbol = QStringLiteral("ORCL");
        QCOMPARE(findStockNode(tree, QStringLiteral("MSFT")), node("ID1"));
    }
};

QTEST_GUILESS_MAIN(TestTreeEvents)
#include "tst_treeevents.moc"
