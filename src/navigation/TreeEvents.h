#pragma once

#include <QString>

class TreeModel;

// The tree's own events and the two collapse commands. NodeIndex (the node
// last clicked or expanded) is the dispatcher's.

// A node was expanded: a stock node shows the open book while expanded
// from now on; NodeIndex becomes the node's Index, whatever the node.
void TreeView1_Expand(TreeModel &tree, int index);

// A key went down in the tree: when the node at NodeIndex is a collapsed
// stock node, it is expanded, and the P key (80) also selects its
// "Profile" child (without running that node's action). Otherwise nothing.
void TreeView1_KeyDown(TreeModel &tree, int KeyCode);

// Whether the node at NodeIndex is a stock node: the tree's popup menu
// then offers the stock's items, else "&Collapse All" alone.
bool treeMenuIsForStock(const TreeModel &tree);

// Every stock node collapsed (the other nodes keep their state); every
// node collapsed.
void CollapseStocks(TreeModel &tree);
void CollapseAll(TreeModel &tree);
// Scrolls the main grid so that the first row whose column 1 reads text
// (exactly) is the top row; nothing when no row does.
void FG_FindRow(const QString &text);

// The first stock node whose text is symbol; 0 for none.
int findStockNode(const TreeModel &tree, const QString &symbol);
