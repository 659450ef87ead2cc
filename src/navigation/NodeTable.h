#pragma once

#include <QString>

class TreeModel;

// The navigation tree: the fixed branches (market lists, indexes, IPO,
// splits, funds, the portfolio, radio and television), one node per
// distinct portfolio symbol and, for each stock of the current set, a
// stock node with its 78 pages. Keys and texts are what the dispatcher
// and the tree events recognise a node by, so their spelling (trailing
// blanks, "Transections", the swapped keys of the two option leaves)
// is kept exactly.

// Picture numbers of the nodes the program tells apart by picture.
inline constexpr int StockNodeImage = 1;     // a stock of the set ("ID" + its index)
inline constexpr int OpenStockNodeImage = 2; // an expanded stock node
inline constexpr int SetRootImage = 14;      // the root "All"

// The key of the stock node of the set's record number record.
inline QString stockNodeKey(int record) { return QStringLiteral("ID") + QString::number(record); }

// Fixed nodes and nodes of one stock's subtree.
inline constexpr int FixedNodeCount = 133;
inline constexpr int StockSubtreeSize = 79;

// Rebuilds the whole tree: every node removed, then added afresh, all
// collapsed. The root "All" reads "Stocks-" + setName. Refills
// PortSymbols with the portfolio's distinct symbols (entries 0 to 99,
// symbols of two characters or more, each once, keyed "TID" + the index of
// its first entry). Stocks are the records 0 to SetCount (never past 200)
// with a symbol; their keys carry the record index.
void buildNavigationTree(TreeModel &tree, const QString &setName);

// Refills PortSymbols as the tree's build does and adds to the tree's
// "Portfolio Detail" branch a node for each symbol not listed there yet (a
// stock bought since the tree was built).
void addPortfolioSymbolNodes(TreeModel &tree);
