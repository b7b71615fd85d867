#pragma once
// A window talking to the emulated small network over loopback: the root
// block found and opened, and the requests each board received.

#include <algorithm>

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "sim/net/builder.h"
#include "sim/udp/network_servers.h"
#include "ui_test_support.h"

namespace varnel::ui::testing {

// The small scenario with its root moved to the given loopback address;
// rootKeys (lines "key=value\n") are added to the root's section.
inline std::vector<sim::Network> SmallNetworkOn(const char* address, const QString& rootKeys = {}) {
  QFile file(QString(VARNEL_SIM_SCENARIO_DIR) + "/small.ini");
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(file.readAll())
                           .replace("address=127.0.0.1", QString("address=") + address + "\n" + rootKeys);
  sim::NetworksBuilt built = sim::NetworksFromIni(text.toStdString());
  EXPECT_EQ(built.error, "");
  return std::move(built.networks);
}

class NetworkTest : public ::testing::Test {
 protected:
  NetworkTest(const char* address, int port, int commonIntervalMs = 100, const QString& rootKeys = {})
      : NetworkTest(SmallNetworkOn(address, rootKeys), address, port, commonIntervalMs) {}
  // networks: a scenario of the test's own, its root on address; seed: of its faults, if any.
  NetworkTest(std::vector<sim::Network> networks, const char* address, int port, int commonIntervalMs,
              std::uint32_t seed = 0)
      : servers(std::move(networks), {}, seed), f(WindowFixture::Ini(address, port), 150, commonIntervalMs) {
    EXPECT_EQ(servers.Start(), "");
  }

  // The broadcast finds the root; a click on it opens it.
  void OpenRoot() {
    f.window->link().send.SendFrame({0x00, 0x0F});
    ASSERT_TRUE(WaitFor([&] { return f.window->link().registry.inUse(1); }));
    auto* tree = f.window->findChild<QTreeWidget*>("DevTree");
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(0)).center());
    ASSERT_TRUE(WaitFor([&] { return f.window->findChild<QWidget*>("PanDevPar")->isVisible(); }));
  }
  void Press(const QString& button) { f.window->findChild<QPushButton*>(button)->click(); }
  // The root opened and one of its boards selected by its button; ready: its page is up.
  void SelectBoard(const QString& button, const std::function<bool()>& ready) {
    OpenRoot();
    Press(button);
    ASSERT_TRUE(WaitFor(ready));
  }

  // Payloads the root received for one of its boards (address nibble after
  // the root's ID 1), checksum left off, in order.
  std::vector<sim::Bytes> RequestsTo(std::uint8_t board) {
    std::vector<sim::Bytes> payloads;
    const std::uint8_t address = static_cast<std::uint8_t>(0x01 | (board << 4));
    for (const auto& e : servers.ServerAt(0).Record()) {
      if (e.direction == sim::Direction::Received && e.bytes.size() > 3 && e.bytes[1] == address) {
        payloads.emplace_back(e.bytes.begin() + 2, e.bytes.end() - 1);
      }
    }
    return payloads;
  }
  std::vector<int> CommandsTo(std::uint8_t board) {
    std::vector<int> codes;
    for (const auto& p : RequestsTo(board)) codes.push_back(p[0]);
    return codes;
  }
  QString Text(const char* label) { return f.window->findChild<QLabel*>(label)->text(); }
  bool StatusEnds(const char* text) { return Text("LabRWstat").endsWith(text); }
  // From now on, every text the status line shows, in order: under automatic
  // reading the next answer can replace a status before a poll sees it.
  void RecordStatuses() {
    auto show = f.window->link().status.onChange;
    f.window->link().status.onChange = [this, show] {
      show();
      statusesShown << Text("LabRWstat");
    };
  }
  bool StatusShownEnding(const char* text) {
    return std::any_of(statusesShown.begin(), statusesShown.end(), [&](const QString& s) { return s.endsWith(text); });
  }
  QStringList statusesShown;

  sim::NetworkServers servers;
  WindowFixture f;
};

}  // namespace varnel::ui::testing
