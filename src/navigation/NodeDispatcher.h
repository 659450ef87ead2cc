#pragma once

#include <QString>

class FlexGrid;
class TreeModel;

// What a click on a node of the navigation tree does: a stock node makes
// its stock current and shows it in the price sheet, the set's root shows
// the price sheet, a stock's sheet leaf draws that stock's sheet, a link
// leaf opens its page for that stock, a market, portfolio or media node
// runs its own action. Nodes are told apart by the prefix of their key
// (stocks "ID", portfolio symbols "TID"), by picture (the set's root), by
// exact text (the pages under a stock) or by exact key (fixed nodes).
// Group nodes do nothing.

// The Index of the node last clicked or expanded; 1 (the root "All") at start.
extern short NodeIndex;

// What the dispatcher needs of the main window.
class NavigationHost
{
public:
    virtual ~NavigationHost() = default;
    // Makes the symbol the current stock (CurSymbol) and shows it at the
    // top of the symbol column.
    virtual void SelectSymbol(const QString &symbol) = 0;
};

// Runs the action of node index. Never throws.
void TreeView1_NodeClick(TreeModel &tree, int index, NavigationHost &host);

// In the price sheet of grid: selects the first row from 2 on whose
// company column (1) reads name, from column 0 to 1, and scrolls it to
// the top when it lies more than six rows below the top row or above it.
// False (nothing changed) when no row reads name.
bool selectPriceRow(FlexGrid &grid, const QString &name);

// The stock node (key "ID..." with the stock picture) that node index
// belongs to: the node itself or its nearest such ancestor; 0 for none.
int stockNodeOf(const TreeModel &tree, int index);
bool isStockNode(const TreeModel &tree, int index);

// Back to the start-up state (for tests).
void resetNavigation();
