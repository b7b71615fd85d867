// The block's own pages against the emulated small network on loopback: its
// network settings refused, written and read back, its name written, and the
// peer button's menu switching to another root block.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>

#include "network_fixture.h"
#include "sim/net/emulator.h"
#include "sim/udp/server.h"

using namespace varnel;
using namespace varnel::ui;
using namespace varnel::ui::testing;

namespace {

constexpr const char* kRootAddress = "127.0.0.231";
constexpr const char* kOtherRootAddress = "127.0.0.232";

class BlockSettingsTest : public NetworkTest {
 protected:
  BlockSettingsTest() : NetworkTest(kRootAddress, 22231, 20) {}

  QLineEdit* Edit(const char* name) { return f.window->findChild<QLineEdit*>(name); }
  QTabWidget* Tabs() { return f.window->findChild<QTabWidget*>("TabsBlock"); }
  const sim::BlockSettings& Emulated() { return *servers.NetworkAt(0).Devices()[0].settings; }
  // Device-level requests the root received with a payload, checksum left off.
  std::vector<sim::Bytes> BlockCommands() {
    std::vector<sim::Bytes> out;
    for (const auto& e : servers.ServerAt(0).Record()) {
      if (e.direction == sim::Direction::Received && e.bytes.size() > 3 && e.bytes[1] == 0x01) {
        out.emplace_back(e.bytes.begin() + 2, e.bytes.end() - 1);
      }
    }
    return out;
  }
  void ShowNetworkPage() {
    Tabs()->setCurrentIndex(1);  // reads at once
    ASSERT_TRUE(WaitFor([&] { return !Edit("EditIP")->text().isEmpty(); }));
  }
  QString TreeText() {
    return f.window->findChild<QTreeWidget*>("DevTree")->topLevelItem(0)->text(0);
  }
};

// Which texts are refused is the request builder's own test; here the one
// message the operator sees, and that nothing goes out.
TEST_F(BlockSettingsTest, NetworkSettingsRefusedThenWrittenAndReadBack) {
  OpenRoot();
  ShowNetworkPage();
  EXPECT_EQ(Edit("EditIP")->text(), "192.168.0.101");
  EXPECT_EQ(Edit("EditMAC")->text(), "5A01");
  EXPECT_TRUE(f.window->findChild<QWidget*>("PanSNMP")->isVisible());
  EXPECT_FALSE(f.window->findChild<QCheckBox*>("chSNMPen")->isChecked());
  EXPECT_FALSE(f.window->findChild<QWidget*>("PanSnmp2")->isVisible());

  Edit("EditMAC")->setText("123456");
  Edit("EditVLAN")->setText("5000");
  Edit("EditIP")->setText("1.2.3");
  const auto before = BlockCommands();
  Press("ButWR");
  EXPECT_EQ(f.dialogs.warnings, QStringList{"Ошибка в параметрах:\nМАС-адрес\nVLAN ID\nIP адрес\n"});
  QTest::qWait(300);
  EXPECT_EQ(BlockCommands(), before);

  Edit("EditIP")->setText("10.1.2.3");
  Edit("EditMask")->setText("255.255.0.0");
  Edit("EditGW")->setText("10.1.0.1");
  Edit("EditVLAN")->setText("300");
  Edit("EditMAC")->setText("beef");
  f.window->findChild<QCheckBox*>("chSNMPen")->setChecked(true);
  EXPECT_TRUE(f.window->findChild<QWidget*>("PanSnmp2")->isVisible());
  Edit("EditSnmpIP")->setText("10.1.2.9");
  Edit("EditSnmpComm")->setText("сеть");
  Press("ButWR");
  EXPECT_EQ(f.dialogs.confirmations, QStringList(2, "Подтвердите запись"));
  ASSERT_TRUE(WaitFor([&] { return StatusEnds("Команда записи исполнена"); }));
  const sim::EthernetSettings written = Emulated().Ethernet();
  EXPECT_EQ(written.ip, (sim::Address4{10, 1, 2, 3}));
  EXPECT_EQ(written.vlan, 300);
  EXPECT_EQ(written.community, "\xF1\xE5\xF2\xFC");

  // Read back into emptied fields.
  for (const char* e : {"EditMAC", "EditVLAN", "EditMask", "EditGW", "EditSnmpIP", "EditSnmpComm"}) Edit(e)->clear();
  f.window->findChild<QCheckBox*>("chSNMPen")->setChecked(false);
  Press("ButRD");
  ASSERT_TRUE(WaitFor([&] { return Edit("EditIP")->text() == "10.1.2.3"; }));
  EXPECT_EQ(Edit("EditMAC")->text(), "BEEF");
  EXPECT_EQ(Edit("EditVLAN")->text(), "300");
  EXPECT_EQ(Edit("EditMask")->text(), "255.255.0.0");
  EXPECT_EQ(Edit("EditGW")->text(), "10.1.0.1");
  EXPECT_TRUE(f.window->findChild<QCheckBox*>("chSNMPen")->isChecked());
  EXPECT_EQ(Edit("EditSnmpIP")->text(), "10.1.2.9");
  EXPECT_EQ(Edit("EditSnmpComm")->text(), "сеть");

  // SNMP switched off: the manager address goes as 0.0.0.0.
  f.window->findChild<QCheckBox*>("chSNMPen")->setChecked(false);
  Press("ButWR");
  EXPECT_EQ(Edit("EditSnmpIP")->text(), "0.0.0.0");
  ASSERT_TRUE(WaitFor([&] { return Emulated().Ethernet().snmp_manager == sim::Address4{0, 0, 0, 0}; }));
}

// Another click on the block from its network page: the pages hide until the
// open-block answer, then come back on the attributes page.
TEST_F(BlockSettingsTest, ReopenedBlockShowsItsNameAndANewNameReachesTheTree) {
  OpenRoot();
  ASSERT_EQ(TreeText(), "ПС Кедровая");
  ShowNetworkPage();
  auto* tree = f.window->findChild<QTreeWidget*>("DevTree");
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(0)).center());
  ASSERT_TRUE(WaitFor([&] { return f.window->findChild<QWidget*>("PanDevPar")->isVisible(); }));
  EXPECT_EQ(Tabs()->currentIndex(), 0);
  ASSERT_TRUE(WaitFor([&] { return Edit("EditName")->text() == "ПС Кедровая"; }));
  EXPECT_EQ(f.window->findChild<QComboBox*>("cbID")->currentText(), "1");

  Edit("EditName")->setText("ПС Новая");
  Press("ButWR");
  ASSERT_TRUE(WaitFor([&] { return TreeText() == "ПС Новая"; }));
  EXPECT_TRUE(StatusEnds(" Атрибуты записаны"));
  EXPECT_EQ(Edit("EditName")->text(), "ПС Новая");
  EXPECT_EQ(f.window->findChild<QPushButton*>("ButIP")->text(), "ПС Новая");
  EXPECT_EQ(Emulated().WireName(), "\xCF\xD1 \xCD\xEE\xE2\xE0\xFF");
}

TEST_F(BlockSettingsTest, AddressMenuSwitchesToAnotherRootAndBack) {
  std::string error;
  auto other = sim::Block::Create({9, "Блок 9", 1}, error);
  ASSERT_TRUE(other) << error;
  auto emulator = std::make_shared<sim::Emulator>(std::move(*other));
  sim::UdpServer server([emulator](sim::ByteView r) { return emulator->Handle(r); });
  ASSERT_EQ(server.Start(kOtherRootAddress, sim::kDevicePort), "");
  OpenRoot();

  auto* menu = f.window->findChild<QMenu*>("PopMenuIP");
  auto item = [&](int k) { return menu->actions().at(k); };
  // A wrong address: a warning, nothing else.
  f.dialogs.typed = "127.0.0";
  emit menu->aboutToShow();
  EXPECT_EQ(item(0)->text(), "Новый IP-адрес...");
  item(0)->trigger();
  EXPECT_EQ(f.dialogs.questions, (QStringList{"Ввод IP-адреса", QString("Введите IP-адрес блока|") + kRootAddress}));
  EXPECT_EQ(f.dialogs.warnings, QStringList{"Адрес введен неверно"});
  EXPECT_TRUE(f.window->link().registry.inUse(1));

  f.dialogs.typed = kOtherRootAddress;
  item(0)->trigger();
  EXPECT_EQ(f.window->link().settings.peerIp, kOtherRootAddress);
  EXPECT_EQ(f.window->link().request.currentDevice, 0);
  EXPECT_FALSE(f.window->findChild<QWidget*>("PanDevPar")->isVisible());
  // Exploration starts over there: the broadcast finds the other block.
  ASSERT_TRUE(WaitFor([&] { return f.window->link().registry.inUse(1); }));
  EXPECT_EQ(f.window->link().registry.device(1).id, 9);
  ASSERT_TRUE(WaitFor([&] { return TreeText() == "Блок 9"; }));

  // The list now holds the new address first, named by its block.
  emit menu->aboutToShow();
  EXPECT_TRUE(item(1)->isChecked());
  EXPECT_EQ(item(1)->text(), QString("127.0.0.232         Блок 9"));
  EXPECT_TRUE(item(2)->isVisible());
  EXPECT_FALSE(item(3)->isVisible());
  f.window->program().settings.ips[1] = kRootAddress;  // the start address, as listed
  item(2)->trigger();
  EXPECT_EQ(f.window->link().settings.peerIp, kRootAddress);
  ASSERT_TRUE(WaitFor([&] { return f.window->link().registry.inUse(1) && TreeText() == "ПС Кедровая"; }));
}

}  // namespace
