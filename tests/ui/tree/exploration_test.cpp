// The program explores an emulated network by itself, over loopback, with a
// fast common timer: the registry, the tree and the order of the side probes
// must come out as the scenario and the placement rule say.
#include <gtest/gtest.h>

#include <QTreeWidget>

#include "network_fixture.h"

using namespace varnel;
using namespace varnel::ui;
using namespace varnel::ui::testing;

namespace {

// A common tick every 10 ms still counts 100 ms: a "second" passes in 0.1 s.
class ExplorationTest : public NetworkTest {
 protected:
  ExplorationTest() : NetworkTest("127.0.0.160", 23410, 10) {}
};

}  // namespace

TEST_F(ExplorationTest, FindsTheWholeSmallNetworkInProbeOrder) {
  DeviceRegistry& reg = f.window->link().registry;
  ASSERT_TRUE(WaitFor([&] { return f.window->program().exploration.autoState() == 15; }, 10000));
  ASSERT_TRUE(WaitFor([&] { return reg.inUse(5); }, 2000));
  QTest::qWait(300);  // nothing further may turn up

  struct Expected {
    const char* name;
    Route sendRoute, idRoute;
    int upConn, rootNumber, rootPort;
  };
  // Device numbers follow the order in which the probes found them. The
  // Ethernet neighbour of device 2 answers with the reply path through the
  // root's channel 1, so it is placed beside device 2, not below it.
  const Expected expected[] = {
      {"ПС Кедровая", {1}, {1}, 0, 0, 0},
      {"ПС Сосновая", {1, 1}, {1, 1, 0, 2}, 2, 1, 1},
      {"КП Пихтовый", {1, 2}, {1, 2, 0, 3}, 1, 1, 2},
      {"ПС Сосновая, блок 2", {1, 1, 0, 4}, {1, 1, 0, 4}, 0, 1, 1},
      {"Опора 5", {1, 1, 3}, {1, 1, 3, 0, 5}, 1, 2, 3},
  };
  for (int n = 1; n <= 5; ++n) {
    SCOPED_TRACE(n);
    const TStructDev& d = reg.device(n);
    const Expected& e = expected[n - 1];
    EXPECT_EQ(d.name, e.name);
    EXPECT_TRUE(d.sendRoute == e.sendRoute);
    EXPECT_TRUE(d.idRoute == e.idRoute);
    EXPECT_EQ(d.upConn, e.upConn);
    EXPECT_EQ(d.rootNumber, e.rootNumber);
    EXPECT_EQ(d.rootPort, e.rootPort);
  }
  EXPECT_FALSE(reg.inUse(6));

  // Side probes as the block saw them (broadcasts left out).
  std::vector<std::string> probes;
  for (const auto& entry : servers.ServerAt(0).Record()) {
    if (entry.direction == sim::Direction::Received && entry.bytes.size() > 3) {
      const QByteArray frame(reinterpret_cast<const char*>(entry.bytes.data()), entry.bytes.size() - 1);
      probes.push_back(frame.toHex().toUpper().toStdString());
    }
  }
  const std::vector<std::string> order = {
      "0011F000", "0021F000", "0031F000",                // root: channels 1..3
      "0011000F", "0011010F", "0011030F",                // device 2 (up 2): sides 0, 1, 3
      "0021000F", "0021020F", "0021030F",                // device 3 (up 1): sides 0, 2, 3
      "001140010F", "001140020F", "001140030F",          // device 4 (Ethernet): channels 1..3
      "001103F000", "001123F000", "001133F000",          // device 5 (up 1): sides 0, 2, 3
  };
  EXPECT_EQ(probes, order);

  // The tree: the root, its channels, device 2 first and its Ethernet
  // neighbour last under channel 1; device 5 under device 2's channel 3.
  auto* tree = f.window->findChild<QTreeWidget*>("DevTree");
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  QTreeWidgetItem* root = tree->topLevelItem(0);
  EXPECT_EQ(root->text(0), "ПС Кедровая");
  ASSERT_EQ(root->childCount(), 3);
  QTreeWidgetItem* ch1 = root->child(0);
  ASSERT_EQ(ch1->childCount(), 2);
  EXPECT_EQ(ch1->child(0)->text(0), "ПС Сосновая");
  EXPECT_EQ(ch1->child(1)->text(0), "ПС Сосновая, блок 2");
  EXPECT_EQ(root->child(1)->child(0)->text(0), "КП Пихтовый");
  QTreeWidgetItem* sosna = ch1->child(0);
  ASSERT_EQ(sosna->childCount(), 2);  // its channel 2 leads back to the root
  EXPECT_EQ(sosna->child(0)->text(0), "Канал 1");
  EXPECT_EQ(sosna->child(1)->text(0), "Канал 3");
  EXPECT_EQ(sosna->child(1)->child(0)->text(0), "Опора 5");
}
