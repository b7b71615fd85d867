// discover against the emulated small and demo networks: the printed tree
// must hold every device of the scenario, under the master's channel it
// hangs on, with its name, ID and ID Route.
#include <QJsonArray>
#include <map>
#include <tuple>

#include "cli_test_support.h"
#include "sim/wire/nibbles.h"

using namespace varnel;
using namespace varnel::cli::testing;

namespace {

// Per ID Route: name, ID, the parent's ID Route and its channel ("" and 0 at the top).
using Placement = std::tuple<std::string, int, std::string, int>;
using Tree = std::map<std::string, Placement>;

void Collect(const QJsonArray& devices, const std::string& parent, int channel, Tree& tree) {
  for (const QJsonValue& value : devices) {
    const QJsonObject d = value.toObject();
    const std::string route = d["id_route"].toString().toStdString();
    EXPECT_FALSE(tree.contains(route)) << route << " printed twice";
    tree[route] = {d["name"].toString().toStdString(), d["id"].toInt(), parent, channel};
    for (const QJsonValue& c : d["channels"].toArray()) {
      Collect(c.toObject()["devices"].toArray(), route, c.toObject()["channel"].toInt(), tree);
    }
  }
}

// Where the scenario puts each device. One sharing its master's Ethernet
// segment stands beside that master, on the same channel.
Tree Expected(const sim::Network& network) {
  const auto& devices = network.Devices();
  Tree tree;
  for (const sim::Device& d : devices) {
    std::string parent;
    int channel = 0;
    if (d.master) {
      const sim::Device* m = &devices[*d.master];
      channel = d.master_side;
      if (channel == 0 && m->master) {
        channel = m->master_side;
        m = &devices[*m->master];
      }
      parent = sim::NibblesText(m->id_route);
    }
    tree[sim::NibblesText(d.id_route)] = {d.name, d.block.Id(), parent, channel};
  }
  return tree;
}

class DiscoverSmall : public EmulatedNetwork {
 protected:
  DiscoverSmall() : EmulatedNetwork("small.ini", "127.0.0.130", 20130) {}
};

class DiscoverDemo : public EmulatedNetwork {
 protected:
  DiscoverDemo() : EmulatedNetwork("demo.ini", "127.0.0.131", 20131) {}
};

}  // namespace

TEST_F(DiscoverSmall, JsonTreeMatchesTheScenarioAndTextNamesEveryDevice) {
  const CliRun json = Run("discover", {"--json"});
  ASSERT_EQ(json.status, 0) << json.err.toStdString();
  EXPECT_EQ(json.err, "");
  Tree printed;
  Collect(json.json()["devices"].toArray(), "", 0, printed);
  EXPECT_EQ(printed, Expected(servers.NetworkAt(0)));

  const CliRun text = Run("discover", {});
  ASSERT_EQ(text.status, 0);
  for (const sim::Device& d : servers.NetworkAt(0).Devices()) {
    EXPECT_TRUE(text.out.contains(QString::fromStdString(d.name + "  (ID " + std::to_string(d.block.Id()))))
        << d.name;
    EXPECT_TRUE(text.out.contains(QString::fromStdString("ID Route " + sim::NibblesText(d.id_route) + ")")));
  }
  // Nested: a device found behind a channel is printed below its master.
  EXPECT_LT(text.out.indexOf("ПС Кедровая"), text.out.indexOf("    ПС Сосновая  "));
  EXPECT_LT(text.out.indexOf("    ПС Сосновая  "), text.out.indexOf("        Опора 5"));
}

TEST_F(DiscoverSmall, TheProbeLimitStopsExplorationEarly) {
  // Three probes of the root's sides find the first level only.
  const CliRun run = Run("discover", {"--json", "--autofind", "3"});
  ASSERT_EQ(run.status, 0);
  Tree printed;
  Collect(run.json()["devices"].toArray(), "", 0, printed);
  EXPECT_EQ(run.json()["probes"].toInt(), 3);
  EXPECT_EQ(printed.size(), 3u);  // the root and the two behind its channels
  EXPECT_FALSE(printed.contains(".1.1.0.4"));  // beside Сосновая: found by probing its Ethernet side
  EXPECT_FALSE(printed.contains(".1.1.3.0.5"));
}

TEST_F(DiscoverDemo, WholeDemoNetworkWithAHundredProbes) {
  const CliRun run = Run("discover", {"--json", "--autofind", "100"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  Tree printed;
  Collect(run.json()["devices"].toArray(), "", 0, printed);
  EXPECT_EQ(printed.size(), 24u);  // the root and the 23 below it
  EXPECT_EQ(printed, Expected(servers.NetworkAt(0)));
}
