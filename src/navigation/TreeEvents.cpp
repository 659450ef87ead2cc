#include "navigation/TreeEvents.h"

#include "core/MainWindow.h"
#include "core/Stocks.h"
#include "platform/FlexGrid.h"

#include "navigation/NodeDispatcher.h"
#include "navigation/NodeTable.h"
#include "platform/TreeModel.h"

namespace {

constexpr int KeyP = 80;

} // namespace

void TreeView1_Expand(TreeModel &tree, int index)
{
    if (!tree.isNode(index))
        return;
    if (tree.Image(index) == StockNodeImage)
        tree.setExpandedImage(index, OpenStockNodeImage);
    NodeIndex = short(index);
}

void TreeView1_KeyDown(TreeModel &tree, int KeyCode)
{
    const int index = NodeIndex;
    if (!tree.isNode(index) || tree.Image(index) != StockNodeImage || tree.Expanded(index))
        return;
    tree.setExpanded(index, true);
    if (KeyCode != KeyP)
        return;
    for (int child : tree.children(index)) {
        if (tree.Text(child) == QLatin1String("Profile")) {
            tree.setSelected(child, true);
            return;
        }
    }
}

bool treeMenuIsForStock(const TreeModel &tree)
{
    return tree.isNode(NodeIndex) && tree.Image(NodeIndex) == StockNodeImage;
}

void CollapseStocks(TreeModel &tree)
{
    const int n = tree.Count();
    for (int i = 1; i <= n; ++i)
        if (tree.Image(i) == StockNodeImage)
            tree.setExpanded(i, false);
}

void CollapseAll(TreeModel &tree)
{
    const int n = tree.Count();
    for (int i = 1; i <= n; ++i)
        tree.setExpanded(i, false);
}

int findStockNode(const TreeModel &tree, const QString &symbol)
{
    // A stock's node is keyed by its record ("ID" and the record's number),
    // so the records holding the symbol name it without a walk over every
    // page node of the set (which an Update would pay for each stock); of
    // several, the first in the tree, as the walk would find it.
    int first = 0;
    for (int i = 0; i < SetSize; ++i) {
        if (Sets[size_t(i)].Symbol != symbol)
            continue;
        const int node = tree.find(stockNodeKey(i));
        if (isStockNode(tree, node) && tree.Text(node) == symbol && (!first || node < first))
            first = node;
    }
    if (first)
        return first;
    // A tree not built from the records as they are now.
    const int n = tree.Count();
    for (int i = 1; i <= n; ++i)
        if (isStockNode(tree, i) && tree.Text(i) == symbol)
            return i;
    return 0;
}

void FG_FindRow(const QString &text)
{
    MainWindow *window = mainWindow();
    FlexGrid *grid = window ? window->mainGrid() : nullptr;
    if (!grid)
        return;
    for (int row = 0; row < grid->Rows(); ++row)
        if (grid->TextMatrix(row, 1) == text) {
            grid->setTopRow(row);
            return;
        }
}
