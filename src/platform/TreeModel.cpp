#include "platform/TreeModel.h"

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
    if ((parent != 0 && !isNode(parent)) || m_keys.contains(key))
        return 0;
    Node n;
    n.key = key;
    n.text = text;
    n.image = image;
    n.parent = parent;
    m_nodes.push_back(std::move(n));
    const int index = Count();
    m_keys.insert(key, index);
    if (parent)
        node(parent)->children << index;
    else
        m_roots << index;
    if (!updatesSuspended())
        emit nodeAdded(index);
    return index;
}

void TreeModel::reserve(int nodes)
{
    m_nodes.reserve(size_t(nodes));
    m_keys.reserve(nodes);
}

void TreeModel::Clear()
{
    m_nodes.clear();
    m_keys.clear();
    m_roots.clear();
    m_selected = 0;
    emit cleared();
}

QString TreeModel::Key(int index) const
{
    const Node *n = node(index);
    return n ? n->key : QString();
}

QString TreeModel::Text(int index) const
{
    const Node *n = node(index);
    return n ? n->text : QString();
}

int TreeModel::Image(int index) const
{
    const Node *n = node(index);
    return n ? n->image : 0;
}

bool TreeModel::setImage(int index, int image)
{
    Node *n = node(index);
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
    Node *n = node(index);
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
    Node *n = node(index);
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
    const Node *n = node(index);
    return n ? n->parent : 0;
}

int TreeModel::Child(int index) const
{
    const Node *n = node(index);
    return n && !n->children.isEmpty() ? n->children.first() : 0;
}

const QList<int> &TreeModel::children(int index) const
{
    static const QList<int> none;
    const Node *n = node(index);
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
