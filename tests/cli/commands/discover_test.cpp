// discover against the emulated small network: every device of the scenario
// under the master's channel it hangs on, with its name, ID and ID Route. One
// sharing its master's Ethernet segment stands beside that master.
#include <QJsonArray>
#include <map>
#include <tuple>

#include "cli_test_support.h"

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

Tree Printed(const CliRun& run) {
  Tree tree;
  Collect(run.json()["devices"].toArray(), "", 0, tree);
  return tree;
}

class Discover : public EmulatedNetwork {
 protected:
  Discover() : EmulatedNetwork("small.ini", "127.0.0.130", 20130) {}
};

}  // namespace

TEST_F(Discover, TheWholeTreeAsJsonAndAsText) {
  const CliRun json = Run("discover", {"--json"});
  ASSERT_EQ(json.status, 0) << json.err.toStdString();
  EXPECT_EQ(json.err, "");
  const Tree expected = {{".1", {"ПС Кедровая", 1, "", 0}},
                         {".1.1.0.2", {"ПС Сосновая", 2, ".1", 1}},
                         {".1.1.0.4", {"ПС Сосновая, блок 2", 4, ".1", 1}},
                         {".1.1.3.0.5", {"Опора 5", 5, ".1.1.0.2", 3}},
                         {".1.2.0.3", {"КП Пихтовый", 3, ".1", 2}}};
  EXPECT_EQ(Printed(json), expected);

  const CliRun text = Run("discover", {});
  ASSERT_EQ(text.status, 0);
  EXPECT_EQ(text.out.toStdString(),
            "ПС Кедровая  (ID 1, type 1, up Eth, ID Route .1)\n"
            "  Канал 1\n"
            "    ПС Сосновая  (ID 2, type 1, up к.2, ID Route .1.1.0.2)\n"
            "      Канал 1\n"
            "      Канал 3\n"
            "        Опора 5  (ID 5, type 4, up к.1, ID Route .1.1.3.0.5)\n"
            "          Канал 2\n"
            "          Канал 3\n"
            "    ПС Сосновая, блок 2  (ID 4, type 3, up Eth, ID Route .1.1.0.4)\n"
            "      Канал 1\n"
            "      Канал 2\n"
            "      Канал 3\n"
            "  Канал 2\n"
            "    КП Пихтовый  (ID 3, type 2, up к.1, ID Route .1.2.0.3)\n"
            "      Канал 2\n"
            "      Канал 3\n"
            "  Канал 3\n");
}

TEST_F(Discover, TheProbeLimitStopsExplorationEarly) {
  // Three probes of the root's sides find the first level only: not the
  // device beside Сосновая, found by probing its Ethernet side.
  const CliRun run = Run("discover", {"--json", "--autofind", "3"});
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(run.json()["probes"].toInt(), 3);
  const Tree printed = Printed(run);
  EXPECT_EQ(printed.size(), 3u);
  EXPECT_TRUE(printed.contains(".1.1.0.2") && printed.contains(".1.2.0.3"));
}
