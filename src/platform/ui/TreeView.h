#pragma once

#include "platform/TreeModel.h"

#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QTreeWidget>

#include <functional>
#include <vector>

// The tree control: shows the nodes of its TreeModel (Nodes()) and passes
// the control's events on with the control's arguments. The model holds
// the truth; what the user does in the view (expanding, collapsing,
// selecting) is written back to it.
//
// - NodeClick: the user chose a node, with the left button or by moving
//   the selection with the keyboard. Selecting a node from code sends
//   nothing.
// - Expand: a node was expanded, by the user or from code.
// - KeyDown: a key went down (classic key codes: 'A'..'Z' = 65..90, the
//   arrows 37 to 40); it is sent before the tree acts on the key. When the
//   handler moved the selection itself, the tree leaves the key alone.
// - MouseDown, MouseMove: Button 1 left, 2 right; X and Y in twips. The
//   right button neither selects nor clicks a node.
class TreeView : public QTreeWidget
{
    Q_OBJECT

public:
    explicit TreeView(QWidget *parent = nullptr);

    TreeModel &Nodes() { return m_model; }
    const TreeModel &Nodes() const { return m_model; }

    // Where node pictures come from, by number (the control's image list).
    void setImageList(std::function<QPixmap(int)> images);

    // The text shown as the control's tooltip anywhere over it.
    QString ToolTipText() const { return m_toolTip; }
    void setToolTipText(const QString &text) { m_toolTip = text; }
    // Where the tooltip's text comes from when one is asked for (none: the
    // text set above).
    void setToolTipSource(std::function<QString()> source) { m_toolTipSource = std::move(source); }

    // The item that shows node index (nullptr while updates are suspended).
    // The items of a branch are made when it is first opened, or when one of
    // them is asked for here.
    QTreeWidgetItem *itemOf(int index) const;
    int indexOf(const QTreeWidgetItem *item) const;

signals:
    void NodeClick(int index);
    void Expand(int index);
    void KeyDown(int KeyCode, int Shift);
    void MouseDown(int Button, int Shift, double X, double Y);
    void MouseMove(int Button, int Shift, double X, double Y);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void addItems();
    QTreeWidgetItem *newItem(int index);
    void makeChildren(QTreeWidgetItem *item);
    void makeItem(int index);
    QTreeWidgetItem *existingItem(int index) const
    {
        return index >= 1 && index <= int(m_items.size()) ? m_items[size_t(index - 1)] : nullptr;
    }
    void refreshIcon(int index);
    void showSelection(int index);
    void onItemExpanded(QTreeWidgetItem *item, bool expanded);
    void onCurrentItemChanged(QTreeWidgetItem *current);

    TreeModel m_model;
    std::vector<QTreeWidgetItem *> m_items; // m_items[i - 1] shows node i; nullptr: not made yet
    std::function<QPixmap(int)> m_images;
    QHash<int, QIcon> m_icons;
    QString m_toolTip;
    std::function<QString()> m_toolTipSource;
    bool m_syncing = false;       // the view is following the model
    bool m_userMove = false;      // the keyboard is moving the selection
    int m_pressedIndex = 0;
};
