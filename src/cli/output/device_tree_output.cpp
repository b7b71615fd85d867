#include "cli/output/device_tree_output.h"

#include <QJsonObject>

#include "cli/output/printable.h"
#include "wire/frame.h"

namespace varnel::cli {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

std::string DeviceLine(const TStructDev& dev) {
  return Printable(dev.name) + "  (ID " + std::to_string(dev.id) + ", type " + std::to_string(dev.blockType) +
         ", up " + ConnText(dev.upConn) + ", ID Route " + NibblesToText(dev.idRoute) + ")";
}

void AppendText(const DeviceRegistry& registry, const DeviceTreeNode& node, int depth, std::string& out) {
  const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
  out += indent + (node.channel == 0 ? DeviceLine(registry.device(node.device)) : Printable(node.label)) + "\n";
  for (const DeviceTreeNode& child : node.children) AppendText(registry, child, depth + 1, out);
}

QJsonObject DeviceJson(const DeviceRegistry& registry, const DeviceTreeNode& node) {
  const TStructDev& dev = registry.device(node.device);
  QJsonArray channels;
  for (const DeviceTreeNode& channel : node.children) {
    QJsonArray below;
    for (const DeviceTreeNode& child : channel.children) below.append(DeviceJson(registry, child));
    channels.append(QJsonObject{{"channel", channel.channel}, {"devices", below}});
  }
  return QJsonObject{{"name", Q(dev.name)},
                     {"id", dev.id},
                     {"type", dev.blockType},
                     {"up", dev.upConn},
                     {"id_route", Q(NibblesToText(dev.idRoute))},
                     {"send_route", Q(NibblesToText(dev.sendRoute))},
                     {"channels", channels}};
}

}  // namespace

std::string DeviceTreeText(const DeviceRegistry& registry, const std::vector<DeviceTreeNode>& tree) {
  std::string out;
  for (const DeviceTreeNode& node : tree) AppendText(registry, node, 0, out);
  return out;
}

QJsonArray DeviceTreeJson(const DeviceRegistry& registry, const std::vector<DeviceTreeNode>& tree) {
  QJsonArray devices;
  for (const DeviceTreeNode& node : tree) devices.append(DeviceJson(registry, node));
  return devices;
}

}  // namespace varnel::cli
