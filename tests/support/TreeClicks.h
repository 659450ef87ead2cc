#pragma once

#include "platform/TreeModel.h"
#include "platform/ui/TreeView.h"

#include <QtTest>

// A left click on a node of the tree as the user makes it: its branch
// opened first and the node scrolled into view. (Header only: the tests
// that use it link the tree's widget library themselves.)
inline void clickTreeNode(TreeView *tree, int index)
{
    TreeModel &nodes = tree->Nodes();
    for (int p = nodes.Parent(index); p; p = nodes.Parent(p))
        nodes.setExpanded(p, true);
    QTreeWidgetItem *item = tree->itemOf(index);
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}
