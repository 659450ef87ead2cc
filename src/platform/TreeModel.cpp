#include "platform/TreeModel.h"

void TreeBranch::add(int parent, const QString &keyStart, const QString &text, int image)
{
    m_positions.insert(keyStart, int(m_nodes.size()));
    m_nodes.append({parent, keyStart, text, image});
}

TreeModel::TreeModel(QObject *parent) : QObject(parent) {}

int TreeModel::Add(const QString &parentKey, const QString &key, const QString &text, int image)
{
    int parent = 0;
    if (!parentKey.isEmpty()) {
        parent = find(parentKey);
        if (parent == 0)
            return 0;
    }
    return AddUnder(parent, key, text, image);
}

int TreeModel::AddUnder(int parent, const QString &key, const QString &text, int image)
{
    if (parent != 0 && !isNode(parent))
        return 0;
    if (!m_branches.empty() && findPending(key))
        return 0;
    // One look-up finds a key taken or makes its place (0: new).
    int &slot = m_keys[key];
    if (slot != 0)
        return 0;
    m_slots.push_back(int(m_made.size()));
    Node &n = m_made.emplace_back();
    n.key = key;
    n.text = text;
    n.image = image;
    n.parent = parent;
    const int index = Count();
    slot = index;
    if (parent) {
        // After the nodes of a branch hanging there: they came first.
        Node *p = madeNode(parent);
        if (p->hangingBranch >= 0)
            makeBranch(p->hangingBranch);
        p->children << index;
    } else {
        m_roots << index;
    }
    if (!updatesSuspended())
        emit nodeAdded(index);
    return index;
}

int TreeModel::AddBranch(int parent, const QString &key, const QString &text, int image, const TreeBranch *branch,
                         const QString &keySuffix)
{
    const bool held = updatesSuspended();
    if (!held)
        suspendUpdates();
    const int root = AddUnder(parent, key, text, image);
    if (root && branch && branch->size() > 0) {
        const int b = int(m_branches.size());
        m_branches.push_back({branch, keySuffix, root, Count() + 1});
        m_branchesBySuffix[keySuffix] << b;
        node(root)->hangingBranch = b;
        m_slots.resize(m_slots.size() + size_t(branch->size()), -1 - b);
    }
    if (!held)
        resumeUpdates();
    return root;
}

void TreeModel::reserve(int nodes, int madeNodes)
{
    m_slots.reserve(size_t(nodes));
    m_keys.reserve(madeNodes);
}

const TreeBranch::Node *TreeModel::pending(int index) const
{
    if (!isNode(index) || isMade(index))
        return nullptr;
    const Branch &b = m_branches[size_t(branchOf(index))];
    return &b.nodes->m_nodes[index - b.first];
}

int TreeModel::pendingParent(int index) const
{
    const Branch &b = m_branches[size_t(branchOf(index))];
    const int parent = b.nodes->m_nodes[index - b.first].parent;
    return parent < 0 ? b.root : b.first + parent;
}

void TreeModel::makeBranch(int branch)
{
    const Branch &b = m_branches[size_t(branch)];
    if (node(b.root)->hangingBranch != branch)
        return; // made already
    node(b.root)->hangingBranch = -1;
    for (int i = 0; i < b.nodes->size(); ++i) {
        const TreeBranch::Node &p = b.nodes->m_nodes[i];
        const int index = b.first + i;
        m_slots[size_t(index - 1)] = int(m_made.size());
        Node &n = m_made.emplace_back();
        n.key = p.keyStart + b.keySuffix;
        n.text = p.text;
        n.image = p.image;
        n.parent = p.parent < 0 ? b.root : b.first + p.parent;
        m_keys.insert(n.key, index);
        node(n.parent)->children << index;
    }
}

TreeModel::Node *TreeModel::madeNode(int index)
{
    if (!isNode(index))
        return nullptr;
    if (!isMade(index))
        makeBranch(branchOf(index));
    return node(index);
}

int TreeModel::findPending(const QString &key) const
{
    for (qsizetype cut = 1; cut < key.size(); ++cut) {
        const auto branches = m_branchesBySuffix.constFind(key.mid(cut));
        if (branches == m_branchesBySuffix.cend())
            continue;
        for (const int b : *branches) {
            const Branch &branch = m_branches[size_t(b)];
            const int position = branch.nodes->m_positions.value(key.left(cut), -1);
            if (position >= 0 && !isMade(branch.first + position))
                return branch.first + position;
        }
    }
    return 0;
}

bool TreeModel::hasChildren(int index) const
{
    if (const Node *n = node(index))
        return !n->children.isEmpty() || n->hangingBranch >= 0;
    if (!pending(index))
        return false;
    for (int later = index + 1; pending(later) && later <= Count(); ++later)
        if (pendingParent(later) == index)
            return true;
    return false;
}

void TreeModel::Clear()
{
    m_slots.clear();
    m_made.clear();
    m_keys.clear();
    m_roots.clear();
    m_branches.clear();
    m_branchesBySuffix.clear();
    m_selected = 0;
    emit cleared();
}

QString TreeModel::Key(int index) const
{
    if (const TreeBranch::Node *p = pending(index))
        return p->keyStart + m_branches[size_t(branchOf(index))].keySuffix;
    const Node *n = node(index);
    return n ? n->key : QString();
}

QString TreeModel::Text(int index) const
{
    if (const TreeBranch::Node *p = pending(index))
        return p->text;
    const Node *n = node(index);
    return n ? n->text : QString();
}

int TreeModel::Image(int index) const
{
    if (const TreeBranch::Node *p = pending(index))
        return p->image;
    const Node *n = node(index);
    return n ? n->image : 0;
}

bool TreeModel::setImage(int index, int image)
{
    if (const TreeBranch::Node *p = pending(index); p && p->image == image)
        return true;
    Node *n = madeNode(index);
    if (!n)
        return false;
    if (n->image != image) {
        n->image = image;
        emit imageChanged(index);
    }
    return true;
}

int TreeModel::ExpandedImage(int index) const
{
    const Node *n = node(index);
    return n ? n->expandedImage : 0;
}

bool TreeModel::setExpandedImage(int index, int image)
{
    if (pending(index) && image == 0)
        return true;
    Node *n = madeNode(index);
    if (!n)
        return false;
    if (n->expandedImage != image) {
        n->expandedImage = image;
        emit imageChanged(index);
    }
    return true;
}

int TreeModel::shownImage(int index) const
{
    if (const TreeBranch::Node *p = pending(index))
        return p->image;
    const Node *n = node(index);
    if (!n)
        return 0;
    return n->expanded && n->expandedImage ? n->expandedImage : n->image;
}

bool TreeModel::Expanded(int index) const
{
    const Node *n = node(index);
    return n && n->expanded;
}

bool TreeModel::setExpanded(int index, bool expanded)
{
    if (pending(index) && !expanded)
        return true;
    Node *n = madeNode(index);
    if (!n)
        return false;
    if (n->expanded == expanded)
        return true;
    n->expanded = expanded;
    emit expandedChanged(index, expanded);
    if (expanded)
        emit Expand(index);
    // The handler may have given the node its expanded picture.
    emit imageChanged(index);
    return true;
}

bool TreeModel::Selected(int index) const
{
    return isNode(index) && m_selected == index;
}

bool TreeModel::setSelected(int index, bool selected)
{
    if (!isNode(index))
        return false;
    const int now = selected ? index : (m_selected == index ? 0 : m_selected);
    if (now != m_selected) {
        m_selected = now;
        emit selectionChanged(now);
    }
    return true;
}

int TreeModel::Parent(int index) const
{
    if (pending(index))
        return pendingParent(index);
    const Node *n = node(index);
    return n ? n->parent : 0;
}

int TreeModel::Child(int index) const
{
    const QList<int> &list = children(index);
    return list.isEmpty() ? 0 : list.first();
}

const QList<int> &TreeModel::children(int index) const
{
    static const QList<int> none;
    // A list of children is an answer only a made branch has.
    auto *self = const_cast<TreeModel *>(this);
    Node *n = self->madeNode(index);
    if (n && n->hangingBranch >= 0)
        self->makeBranch(n->hangingBranch);
    return n ? n->children : none;
}

void TreeModel::suspendUpdates()
{
    ++m_suspended;
}

void TreeModel::resumeUpdates()
{
    if (m_suspended == 0)
        return;
    if (--m_suspended == 0)
        emit updatesResumed();
}
