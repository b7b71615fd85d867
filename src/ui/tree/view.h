#pragma once
// DevTree: the network as the PC sees it, drawn from the core's tree model.
// Always fully expanded; the selected node is bold blue on silver.

#include <QTreeWidget>
#include <vector>

#include "network/device_tree.h"

namespace varnel::ui {

class DeviceTreeView : public QTreeWidget {
  Q_OBJECT
 public:
  explicit DeviceTreeView(QWidget* parent = nullptr);

  // Replaces every node; selects (device, channel) when it is shown.
  void Rebuild(const std::vector<DeviceTreeNode>& roots, int currentDevice, int currentChannel);
  QTreeWidgetItem* itemFor(int device, int channel) const;
  // (device, channel) of an item; (0, 0) for none.
  static std::pair<int, int> NodeOf(const QTreeWidgetItem* item);
  // Diagnostic: nodes that belong to no device.
  void AddTestNodes();

 signals:
  // A click on the tree: the selected node, (0, 0) when none is.
  void nodeClicked(int device, int channel);
  void contextMenuAt(const QPoint& pos, int device, int channel);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QTreeWidgetItem* AddNode(const DeviceTreeNode& node, QTreeWidgetItem* parent);
};

}  // namespace varnel::ui
