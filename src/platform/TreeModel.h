#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <deque>
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
// The nodes of a branch that a tree makes only when they are first needed
// (opened, or one of them changed): each with its parent (-1: the node the
// branch hangs from, else the position of an earlier node of the branch),
// the start of its key, its text and its picture.
class TreeBranch
{
public:
    void add(int parent, const QString &keyStart, const QString &text, int image);
    int size() const { return int(m_nodes.size()); }

private:
    friend class TreeModel;
    struct Node
    {
        int parent;
        QString keyStart;
        QString text;
        int image;
    };
    QList<Node> m_nodes;
    QHash<QString, int> m_positions; // keyStart -> position
};

class TreeModel : public QObject
{
    Q_OBJECT

public:
    explicit TreeModel(QObject *parent = nullptr);

    int Count() const { return int(m_slots.size()); }
    // The nodes made so far (a branch not yet opened holds places only).
    int madeCount() const { return int(m_made.size()); }
    bool isNode(int index) const { return index >= 1 && index <= Count(); }

    // Adds a node under the node with parentKey ("" for a root). Returns
    // its Index, 0 when nothing was added.
    int Add(const QString &parentKey, const QString &key, const QString &text, int image = 0);
    // The same under the node with Index parent (0 for a root), for a caller
    // that has just added it.
    int AddUnder(int parent, const QString &key, const QString &text, int image = 0);
    // Room for this many nodes in all, for a caller about to add many, of
    // which this many are made at once (only made nodes have their key
    // looked up; a branch's nodes get theirs when it is made).
    void reserve(int nodes, int madeNodes);
    // Adds a node as AddUnder does, with the nodes of branch under it, their
    // keys each ending in keySuffix. They take the Indexes right after it,
    // in the branch's order, and answer every question at once, but are made
    // only when one of them changes or a list of children is asked for. The
    // caller makes sure none of their keys is taken. Returns the node's
    // Index, 0 when nothing was added. The branch must outlive the tree's nodes.
    int AddBranch(int parent, const QString &key, const QString &text, int image, const TreeBranch *branch,
                  const QString &keySuffix);
    // Whether the node has children, made or not.
    bool hasChildren(int index) const;
    // False for a node of a branch not made yet.
    bool isMade(int index) const { return isNode(index) && m_slots[size_t(index - 1)] >= 0; }
    // Removes every node.
    void Clear();

    // The Index of the node with this key; 0 when there is none.
    int find(const QString &key) const
    {
        const int index = m_keys.value(key, 0);
        return index || m_branches.empty() ? index : findPending(key);
    }

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
        int hangingBranch = -1; // of m_branches, hanging from this node, not made
    };
    struct Branch
    {
        const TreeBranch *nodes;
        QString keySuffix;
        int root;  // the node it hangs from
        int first; // Index of its first node
    };

    // A made node; nullptr for none or one not made yet.
    const Node *node(int index) const { return isMade(index) ? &m_made[size_t(m_slots[size_t(index - 1)])] : nullptr; }
    Node *node(int index) { return isMade(index) ? &m_made[size_t(m_slots[size_t(index - 1)])] : nullptr; }
    // The branch a node not made yet belongs to.
    int branchOf(int index) const { return -1 - m_slots[size_t(index - 1)]; }
    // The node made first when it belongs to a branch not made yet.
    Node *madeNode(int index);
    // A node not made yet: what its branch says of it.
    const TreeBranch::Node *pending(int index) const;
    int pendingParent(int index) const;
    void makeBranch(int branch);
    int findPending(const QString &key) const;

    // For each Index: where its node is in m_made, or, for a node of a
    // branch not made yet, -1 less its branch's number. A branch's nodes
    // are made (and take room) only when it is filled.
    std::vector<int> m_slots;
    std::deque<Node> m_made; // stays in place as it grows

    QHash<QString, int> m_keys;
    std::vector<Branch> m_branches;
    QHash<QString, QList<int>> m_branchesBySuffix;
    QList<int> m_roots;
    int m_selected = 0;
    int m_suspended = 0;
};
