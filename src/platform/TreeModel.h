#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <vector>

// The nodes of a tree control, without a widget: each node has a unique
// key (matched exactly, letter case included), a text, a picture number,
// an optional picture for its expanded state, and Expanded and Selected
// flags. Nodes are numbered by Index, 1-based, in the order they were
// added; a node is always added as the last child of its parent (or as
// the last root). TreeView shows one.
//
// Members keep the control's names. A call about an Index that is no
// node, or an Add whose key is taken or whose parent is missing, changes
// nothing and answers 0 / false / "", which is how callers that ignore
// errors go on.
class TreeModel : public QObject
{
    Q_OBJECT

public:
    explicit TreeModel(QObject *parent = nullptr);

    int Count() const { return int(m_nodes.size()); }
    bool isNode(int index) const { return index >= 1 && index <= Count(); }

    // Adds a node under the node with parentKey ("" for a root). Returns
    // its Index, 0 when nothing was added.
    int Add(const QString &parentKey, const QString &key, const QString &text, int image = 0);
    // The same under the node with Index parent (0 for a root), for a caller
    // that has just added it.
    int AddUnder(int parent, const QString &key, const QString &text, int image = 0);
    // Room for this many nodes in all, for a caller about to add many.
    void reserve(int nodes);
    // Removes every node.
    void Clear();

    // The Index of the node with this key; 0 when there is none.
    int find(const QString &key) const { return m_keys.value(key, 0); }

    QString Key(int index) const;
    QString Text(int index) const;
    int Image(int index) const;
    bool setImage(int index, int image);
    // 0: the node shows Image whether expanded or not.
    int ExpandedImage(int index) const;
    bool setExpandedImage(int index, int image);
    // The picture shown now.
    int shownImage(int index) const;

    bool Expanded(int index) const;
    // Expanding a collapsed node sends Expand, whoever sets the flag.
    bool setExpanded(int index, bool expanded);

    // One node at most is selected; selecting another clears the first.
    bool Selected(int index) const;
    bool setSelected(int index, bool selected);
    int SelectedItem() const { return m_selected; }

    // 0 for a root.
    int Parent(int index) const;
    // The first child; 0 when there is none.
    int Child(int index) const;
    const QList<int> &children(int index) const;
    const QList<int> &roots() const { return m_roots; }

    // While updates are suspended (drawing of the control's window held)
    // nodeAdded is not sent; resuming sends updatesResumed once.
    void suspendUpdates();
    void resumeUpdates();
    bool updatesSuspended() const { return m_suspended > 0; }

signals:
    void cleared();
    void nodeAdded(int index);
    void imageChanged(int index);
    void expandedChanged(int index, bool expanded);
    void selectionChanged(int index); // the node now selected, 0 none
    void updatesResumed();
    // A node went from collapsed to expanded (the control's Expand event).
    void Expand(int index);

private:
    struct Node
    {
        QString key;
        QString text;
        int image = 0;
        int expandedImage = 0;
        int parent = 0;
        bool expanded = false;
        QList<int> children;
    };

    const Node *node(int index) const { return isNode(index) ? &m_nodes[size_t(index - 1)] : nullptr; }
    Node *node(int index) { return isNode(index) ? &m_nodes[size_t(index - 1)] : nullptr; }

    std::vector<Node> m_nodes;
    QHash<QString, int> m_keys;
    QList<int> m_roots;
    int m_selected = 0;
    int m_suspended = 0;
};
