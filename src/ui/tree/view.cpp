#include "ui/tree/view.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "ui/tree/icons.h"

namespace varnel::ui {

namespace {

constexpr int kDeviceRole = Qt::UserRole;
constexpr int kChannelRole = Qt::UserRole + 1;

// Selection drawn as the operators know it: bold blue text on silver.
class SelectionDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem opt(option);
    if (opt.state & QStyle::State_Selected) {
      painter->fillRect(opt.rect, QColor(192, 192, 192));
      opt.state &= ~QStyle::State_Selected;
      opt.font.setBold(true);
      opt.palette.setColor(QPalette::Text, QColor(0, 0, 255));
    }
    QStyledItemDelegate::paint(painter, opt, index);
  }
};

}  // namespace

DeviceTreeView::DeviceTreeView(QWidget* parent) : QTreeWidget(parent) {
  setObjectName("DevTree");
  setHeaderHidden(true);
  setColumnCount(1);
  setIndentation(20);
  setRootIsDecorated(false);  // no expand buttons, at any level
  setStyleSheet("QTreeView::branch { image: none; border-image: none; }");
  setTextElideMode(Qt::ElideNone);  // deep trees scroll sideways instead of cutting names
  header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  header()->setStretchLastSection(false);
  setItemsExpandable(false);  // nothing can be collapsed
  setExpandsOnDoubleClick(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setMouseTracking(true);     // hot tracking
  setMinimumWidth(130);
  setItemDelegate(new SelectionDelegate(this));
  setContextMenuPolicy(Qt::PreventContextMenu);
  // A collapse that slips through (keyboard, code) is undone at once.
  connect(this, &QTreeWidget::itemCollapsed, this, [](QTreeWidgetItem* item) { item->setExpanded(true); });
}

std::pair<int, int> DeviceTreeView::NodeOf(const QTreeWidgetItem* item) {
  if (item == nullptr) return {0, 0};
  return {item->data(0, kDeviceRole).toInt(), item->data(0, kChannelRole).toInt()};
}

QTreeWidgetItem* DeviceTreeView::AddNode(const DeviceTreeNode& node, QTreeWidgetItem* parent) {
  auto* item = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
  item->setText(0, QString::fromStdString(node.label));
  item->setIcon(0, TreeIcon(node.icon));
  item->setData(0, kDeviceRole, node.device);
  item->setData(0, kChannelRole, node.channel);
  for (const auto& child : node.children) AddNode(child, item);
  return item;
}

void DeviceTreeView::Rebuild(const std::vector<DeviceTreeNode>& roots, int currentDevice, int currentChannel) {
  const QSignalBlocker quiet(this);
  clear();
  for (const auto& root : roots) AddNode(root, nullptr);
  expandAll();
  if (QTreeWidgetItem* item = itemFor(currentDevice, currentChannel)) setCurrentItem(item);
}

QTreeWidgetItem* DeviceTreeView::itemFor(int device, int channel) const {
  if (device == 0) return nullptr;
  for (QTreeWidgetItemIterator it(const_cast<DeviceTreeView*>(this)); *it; ++it) {
    if (NodeOf(*it) == std::make_pair(device, channel)) return *it;
  }
  return nullptr;
}

void DeviceTreeView::AddTestNodes() {
  auto count = [this] {
    int n = 0;
    for (QTreeWidgetItemIterator it(this); *it; ++it) ++n;
    return n;
  };
  auto* top = new QTreeWidgetItem(this, {QString("123.%1").arg(count())});
  top->setIcon(0, TreeIcon(35));
  auto* child = new QTreeWidgetItem(top, {QString("test %1").arg(count())});
  child->setIcon(0, TreeIcon(7));
  auto* beside = new QTreeWidgetItem(this, {QString("test %1").arg(count())});
  beside->setIcon(0, TreeIcon(7));
  expandAll();
}

void DeviceTreeView::mousePressEvent(QMouseEvent* event) {
  QTreeWidgetItem* item = itemAt(event->position().toPoint());
  if (event->button() == Qt::RightButton) {
    if (item == nullptr) return;  // empty space: no menu, selection unchanged
    setCurrentItem(item);
    const auto [device, channel] = NodeOf(item);
    emit nodeClicked(device, channel);
    emit contextMenuAt(event->position().toPoint(), device, channel);
    return;
  }
  QTreeWidget::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) {
    // Like any click on the tree: whatever node is selected becomes current.
    const auto [device, channel] = NodeOf(currentItem());
    emit nodeClicked(device, channel);
  }
}

}  // namespace varnel::ui
