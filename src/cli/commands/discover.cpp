#include <QJsonDocument>
#include <QJsonObject>

#include "cli/commands/commands.h"
#include "cli/output/device_tree_output.h"
#include "cli/run/explore.h"

namespace varnel::cli {

Outcome RunDiscover(Session& session, Progress& progress) {
  if (Explore(session, progress) == ExploreEnd::NoAnswer) {
    return Failed(kExitNoAnswer, "no answer from " + session.options().peer);
  }
  progress.Finish();
  DeviceRegistry& registry = session.link().registry;
  const std::vector<DeviceTreeNode> tree = BuildDeviceTree(registry);
  if (session.options().json) {
    const QJsonObject result{{"peer", QString::fromStdString(session.options().peer)},
                             {"probes", session.program().exploration.autoState()},
                             {"devices", DeviceTreeJson(registry, tree)}};
    PrintResult(QJsonDocument(result).toJson().toStdString());
  } else {
    PrintResult(DeviceTreeText(registry, tree));
  }
  return {};
}

}  // namespace varnel::cli
