#include "platform/ui/TreeView.h"

#include "platform/Twips.h"
#include "platform/ui/PictureBox.h"

#include <QHelpEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

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
        if (QTreeWidgetItem *item = itemOf(index)) {
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
    return index >= 1 && index <= int(m_items.size()) ? m_items[size_t(index - 1)] : nullptr;
}

int TreeView::indexOf(const QTreeWidgetItem *item) const
{
    return item ? item->data(0, Qt::UserRole).toInt() : 0;
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
    // New roots go in last, so a whole rebuild builds its branches away
    // from the view and hands them over in one step.
    QList<QTreeWidgetItem *> roots;
    m_items.reserve(size_t(last));
    for (int i = first; i <= last; ++i) {
        auto *item = new QTreeWidgetItem(QStringList(m_model.Text(i)));
        item->setData(0, Qt::UserRole, i);
        m_items.push_back(item);
        refreshIcon(i);
        if (QTreeWidgetItem *parent = itemOf(m_model.Parent(i)))
            parent->addChild(item);
        else
            roots << item;
    }
    addTopLevelItems(roots);
    for (int i = first; i <= last; ++i)
        if (m_model.Expanded(i))
            m_items[size_t(i - 1)]->setExpanded(true);
    m_syncing = false;
    if (m_model.SelectedItem() >= first)
        showSelection(m_model.SelectedItem());
}

void TreeView::refreshIcon(int index)
{
    QTreeWidgetItem *item = itemOf(index);
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
