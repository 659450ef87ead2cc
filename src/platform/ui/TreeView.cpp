#include "platform/ui/TreeView.h"

#include "platform/Twips.h"
#include "platform/ui/PictureBox.h"

#include <QHelpEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

#include <utility>

namespace {

} // namespace

TreeView::TreeView(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    setMouseTracking(true);
    viewport()->setMouseTracking(true);

    connect(&m_model, &TreeModel::cleared, this, [this] {
        m_syncing = true;
        clear();
        m_items.clear();
        m_syncing = false;
    });
    connect(&m_model, &TreeModel::nodeAdded, this, [this] { addItems(); });
    connect(&m_model, &TreeModel::updatesResumed, this, [this] { addItems(); });
    connect(&m_model, &TreeModel::imageChanged, this, &TreeView::refreshIcon);
    connect(&m_model, &TreeModel::expandedChanged, this, [this](int index, bool expanded) {
        if (QTreeWidgetItem *item = expanded ? itemOf(index) : existingItem(index)) {
            m_syncing = true;
            item->setExpanded(expanded);
            m_syncing = false;
        }
    });
    connect(&m_model, &TreeModel::selectionChanged, this, &TreeView::showSelection);
    connect(&m_model, &TreeModel::Expand, this, &TreeView::Expand);

    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *item) { onItemExpanded(item, true); });
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem *item) { onItemExpanded(item, false); });
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { onCurrentItemChanged(current); });
}

void TreeView::setImageList(std::function<QPixmap(int)> images)
{
    m_images = std::move(images);
    m_icons.clear();
    for (int i = 1; i <= int(m_items.size()); ++i)
        refreshIcon(i);
}

QTreeWidgetItem *TreeView::itemOf(int index) const
{
    if (index < 1 || index > int(m_items.size()))
        return nullptr;
    if (!m_items[size_t(index - 1)])
        const_cast<TreeView *>(this)->makeItem(index);
    return m_items[size_t(index - 1)];
}

int TreeView::indexOf(const QTreeWidgetItem *item) const
{
    return item ? item->data(0, Qt::UserRole).toInt() : 0;
}

QTreeWidgetItem *TreeView::newItem(int index)
{
    auto *item = new QTreeWidgetItem(QStringList(m_model.Text(index)));
    item->setData(0, Qt::UserRole, index);
    // The branch's own items come when it is first opened; the arrow shows
    // that there is something to open.
    if (m_model.hasChildren(index))
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    m_items[size_t(index - 1)] = item;
    refreshIcon(index);
    return item;
}

void TreeView::makeChildren(QTreeWidgetItem *item)
{
    const int index = indexOf(item);
    if (!index || item->childCount() > 0)
        return;
    const QList<int> &children = m_model.children(index);
    if (children.isEmpty())
        return;
    QList<QTreeWidgetItem *> made;
    made.reserve(children.size());
    for (int child : children)
        made << newItem(child);
    const bool syncing = std::exchange(m_syncing, true);
    item->addChildren(made);
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    for (int child : children)
        if (m_model.Expanded(child))
            m_items[size_t(child - 1)]->setExpanded(true);
    m_syncing = syncing;
}

void TreeView::makeItem(int index)
{
    // Made with its brothers, under its parent's item.
    if (QTreeWidgetItem *parent = itemOf(m_model.Parent(index)))
        makeChildren(parent);
}

void TreeView::addItems()
{
    if (m_model.updatesSuspended())
        return;
    const int first = int(m_items.size()) + 1;
    const int last = m_model.Count();
    if (first > last)
        return;
    m_syncing = true;
    // A node's item is made when its parent's item has its children already
    // (or it is a root); the others wait until their branch is opened. New
    // roots go in last, so a whole rebuild hands its branches over in one step.
    m_items.resize(size_t(last), nullptr);
    QList<QTreeWidgetItem *> roots;
    for (int i = first; i <= last; ++i) {
        if (!m_model.isMade(i))
            continue; // made with its branch, when it is opened
        const int parentIndex = m_model.Parent(i);
        QTreeWidgetItem *parent = parentIndex ? m_items[size_t(parentIndex - 1)] : nullptr;
        if (!parentIndex) {
            roots << newItem(i);
        } else if (parent && (parent->childCount() > 0 || parent->isExpanded())) {
            parent->addChild(newItem(i));
            parent->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
        } else if (parent) {
            parent->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        }
    }
    addTopLevelItems(roots);
    for (int i = first; i <= last; ++i)
        if (m_model.Expanded(i))
            if (QTreeWidgetItem *item = m_items[size_t(i - 1)])
                item->setExpanded(true);
    m_syncing = false;
    if (m_model.SelectedItem() >= first)
        showSelection(m_model.SelectedItem());
}

void TreeView::refreshIcon(int index)
{
    // An item not made yet takes its picture when it is made.
    QTreeWidgetItem *item = index >= 1 && index <= int(m_items.size()) ? m_items[size_t(index - 1)] : nullptr;
    if (!item)
        return;
    const int image = m_model.shownImage(index);
    QIcon icon;
    if (m_images && image > 0) {
        auto found = m_icons.find(image);
        if (found == m_icons.end())
            found = m_icons.insert(image, QIcon(m_images(image)));
        icon = *found;
    }
    item->setIcon(0, icon);
}

void TreeView::showSelection(int index)
{
    if (m_syncing)
        return;
    m_syncing = true;
    if (QTreeWidgetItem *item = itemOf(index)) {
        setCurrentItem(item);
        item->setSelected(true);
    } else if (index == 0) {
        clearSelection();
        setCurrentItem(nullptr);
    }
    m_syncing = false;
}

void TreeView::onItemExpanded(QTreeWidgetItem *item, bool expanded)
{
    if (expanded)
        makeChildren(item);
    if (m_syncing)
        return;
    m_syncing = true;
    m_model.setExpanded(indexOf(item), expanded);
    m_syncing = false;
}

void TreeView::onCurrentItemChanged(QTreeWidgetItem *current)
{
    if (m_syncing)
        return;
    const int index = indexOf(current);
    m_syncing = true;
    if (index)
        m_model.setSelected(index, true);
    m_syncing = false;
    if (index && m_userMove)
        emit NodeClick(index);
}

void TreeView::keyPressEvent(QKeyEvent *event)
{
    const int before = m_model.SelectedItem();
    emit KeyDown(VbMouse::keyCodeOf(event->key()), VbMouse::shiftOf(event->modifiers()));
    if (m_model.SelectedItem() != before) {
        event->accept();
        return;
    }
    m_userMove = true;
    QTreeWidget::keyPressEvent(event);
    m_userMove = false;
}

void TreeView::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = viewport()->mapTo(this, event->position().toPoint());
    emit MouseDown(VbMouse::buttonOf(event->button()), VbMouse::shiftOf(event->modifiers()),
                   Twips::fromPixelsX(at.x(), this), Twips::fromPixelsY(at.y(), this));
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QTreeWidgetItem *item = itemAt(event->position().toPoint());
    // A press on the expand button only opens or closes the branch.
    const bool onNode = item && visualItemRect(item).contains(event->position().toPoint());
    m_pressedIndex = onNode ? indexOf(item) : 0;
    QTreeWidget::mousePressEvent(event);
    if (m_pressedIndex && itemOf(m_pressedIndex)) {
        m_model.setSelected(m_pressedIndex, true);
        emit NodeClick(m_pressedIndex);
    }
}

void TreeView::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressedIndex = 0;
    QTreeWidget::mouseReleaseEvent(event);
}

void TreeView::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = viewport()->mapTo(this, event->position().toPoint());
    emit MouseMove(VbMouse::buttonsOf(event->buttons()), VbMouse::shiftOf(event->modifiers()),
                   Twips::fromPixelsX(at.x(), this), Twips::fromPixelsY(at.y(), this));
    QTreeWidget::mouseMoveEvent(event);
}

bool TreeView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        if (m_toolTipSource)
            m_toolTip = m_toolTipSource();
        if (m_toolTip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), m_toolTip, viewport());
        return true;
    }
    return QTreeWidget::viewportEvent(event);
}
