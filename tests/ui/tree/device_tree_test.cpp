// The device tree as the operator uses it: clicks open blocks and channels,
// the context menu hides channels and deletes devices, nothing collapses.
// What the requests and texts hold is the navigation rules' own test; here
// they reach the wire and the window.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QNetworkDatagram>
#include <QPushButton>
#include <QTreeWidget>
#include <QUdpSocket>

#include "ui/main_window/status_panels.h"
#include "ui_test_support.h"
#include "wire/cp1251.h"
#include "wire/frame.h"

using namespace varnel;
using namespace varnel::ui;
using namespace varnel::ui::testing;

namespace {

// A window whose peer is a bare socket standing in for the block, and a
// registry with a root (ID 1) and one device (ID 7) behind its channel 2.
class TreeTest : public ::testing::Test {
 protected:
  static constexpr const char* kPeer = "127.0.0.170";
  TreeTest() : f(WindowFixture::Ini(kPeer, 23510)) {
    EXPECT_TRUE(block.bind(QHostAddress(kPeer), kDevicePort));
    Identify(1, Route{1}, 0, "Корень");
    Identify(7, Route{1, 2, 0, 7}, 1, "Ветка");
    tree = f.window->findChild<QTreeWidget*>("DevTree");
  }
  void Identify(std::uint8_t id, const Route& r, std::uint8_t up, const QByteArray& utf8Name) {
    Bytes body{up, 3};
    const std::string name = Utf8ToCp1251(utf8Name.toStdString());
    body.insert(body.end(), name.begin(), name.end());
    f.window->program().discovery.IdentityAnswer(id, r, f.window->link().registry.FindByIDRoute(r), body);
  }
  QTreeWidgetItem* Node(const QString& text) {
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
  }
  void Click(QTreeWidgetItem* item, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(tree->viewport(), button, {}, tree->visualItemRect(item).center());
  }
  // Datagrams the stand-in block has received, checksum left off.
  QStringList Received() {
    QStringList frames;
    QTest::qWait(50);
    while (block.hasPendingDatagrams()) frames << block.receiveDatagram().data().chopped(1).toHex().toUpper();
    return frames;
  }
  QString Text(const char* name) { return f.window->findChild<QLabel*>(name)->text(); }

  WindowFixture f;
  QUdpSocket block;
  QTreeWidget* tree = nullptr;
};

}  // namespace

TEST_F(TreeTest, ClickOnADeviceOpensItAndItsAnswerFillsTheView) {
  Click(Node("Корень"));
  EXPECT_EQ(Received(), QStringList{"0001"});  // ID Route 1, then 0
  EXPECT_TRUE(Text("PanelDEV").endsWith(" Команда открытия блока \"Корень\" отправлена"));
  EXPECT_EQ(f.window->findChild<QPushButton*>("ButExplor")->text(), "Открыть блок Корень");
  EXPECT_EQ(f.window->findChild<QLineEdit*>("EditRoute")->text(), "0001");
  EXPECT_EQ(f.window->findChild<StatusPanels*>("StatusPan")->panel(0), "Устройство: 1 Корень");
  EXPECT_FALSE(f.window->findChild<QWidget*>("PanDevPar")->isVisible());

  // The block answers its identity (ID 1, Ethernet, type 5, a new name); the
  // name's other places are the block settings' test.
  Bytes answer{0x80, 0x01, 0x00, 0x05, 0xCD, 0xEE, 0xE2, 0xFB, 0xE9};  // "Новый"
  answer.push_back(FrameChecksum(answer));
  f.window->link().dispatcher.DispatchAnswer(answer);
  EXPECT_TRUE(f.window->findChild<QWidget*>("PanDevPar")->isVisible());
  EXPECT_TRUE(f.window->findChild<QWidget*>("PanButsRW")->isVisible());
  EXPECT_TRUE(Text("LabRWstat").endsWith(" Атрибуты прочитаны"));
  EXPECT_EQ(Text("PanelDEV"), "[Новый]");
  EXPECT_NE(Node("Новый"), nullptr);
}

TEST_F(TreeTest, ChannelNodesSendOnlyWhenRefreshed) {
  QTreeWidgetItem* channel = Node("Ветка")->child(0);  // its channel 1 faces the root: 2 and 3 remain
  ASSERT_EQ(channel->text(0), "Канал 2");
  Click(channel);
  EXPECT_TRUE(Received().isEmpty());
  auto* explore = f.window->findChild<QPushButton*>("ButExplor");
  EXPECT_EQ(explore->text(), "Обновить");
  EXPECT_TRUE(Text("PanelDEV").endsWith("к.2---к.1 [Ветка] канал 2"));
  explore->click();
  // Send Route 1, 2, then side 2, 0, 15, 0.
  EXPECT_EQ(Received(), QStringList{"0021020F"});
  EXPECT_TRUE(Text("PanelDEV").endsWith(" Команда в канал 2 блока \"Ветка\" отправлена"));
}

TEST_F(TreeTest, ContextMenuFitsTheNode) {
  Click(Node("Ветка"), Qt::RightButton);
  auto* menu = f.window->findChild<QMenu*>("ContMenu");
  ASSERT_TRUE(WaitFor([&] { return menu->isVisible(); }));
  auto action = [&](const char* name) { return menu->findChild<QAction*>(name); };
  EXPECT_EQ(action("ExplorCh")->text(), "Открыть блок 2");
  EXPECT_FALSE(action("MenuShowCh1")->isEnabled());  // the channel towards the root
  EXPECT_EQ(action("MenuShowCh1")->text(), "Показать канал 1");
  EXPECT_EQ(action("MenuShowCh2")->text(), "Скрыть канал 2");
  EXPECT_TRUE(action("MenuDelDev")->isVisible());
  EXPECT_EQ(Received(), QStringList{"00217000"});  // the right click opened the block too
  menu->close();

  Click(Node("Ветка")->child(0), Qt::RightButton);
  ASSERT_TRUE(WaitFor([&] { return menu->isVisible(); }));
  EXPECT_EQ(action("ExplorCh")->text(), "Обновить");
  EXPECT_FALSE(action("MenuShowCh1")->isVisible());
  EXPECT_FALSE(action("MenuDelDev")->isVisible());
  menu->close();

  // Empty space: no menu and the selection stays.
  QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, QPoint(5, tree->viewport()->height() - 5));
  QTest::qWait(50);
  EXPECT_FALSE(menu->isVisible());
  EXPECT_EQ(tree->currentItem()->text(0), "Канал 2");
}

TEST_F(TreeTest, HidingAChannelHidesEverythingBehindIt) {
  Click(Node("Корень"));
  f.window->ToggleChannel(2);
  EXPECT_EQ(Node("Ветка"), nullptr);
  f.window->ToggleChannel(2);
  ASSERT_NE(Node("Ветка"), nullptr);
  EXPECT_EQ(Node("Ветка")->parent()->text(0), "Канал 2");
}

TEST_F(TreeTest, DeletingAsksAndFreesTheDeviceWithItsDependants) {
  Identify(9, Route{1, 2, 2, 0, 9}, 3, "Лист");  // behind Ветка's channel 2
  Click(Node("Ветка"));
  f.dialogs.answer = false;
  f.window->DeleteCurrentDevice();
  EXPECT_EQ(f.dialogs.confirmations, QStringList{"Удалить устройство Ветка?\nК этому устройству подключены:\nЛист"});
  EXPECT_TRUE(f.window->link().registry.inUse(3));

  // Found behind Лист while the question is open: goes with the rest, and
  // nothing is left pointing at a freed master.
  f.dialogs.answer = true;
  f.dialogs.whileAsking = [&] {
    Identify(11, Route{1, 2, 2, 1, 0, 11}, 2, "Почка");
    EXPECT_EQ(f.window->link().registry.device(4).rootNumber, 3);
  };
  f.window->DeleteCurrentDevice();
  ASSERT_EQ(f.dialogs.confirmations.size(), 2);
  for (int d = 2; d <= 4; ++d) EXPECT_FALSE(f.window->link().registry.inUse(d)) << d;
  EXPECT_EQ(Node("Почка"), nullptr);
  EXPECT_EQ(Node("Ветка"), nullptr);
  EXPECT_EQ(f.window->link().request.currentDevice, 0);
  EXPECT_FALSE(f.window->findChild<QPushButton*>("ButExplor")->isVisible());
}

TEST_F(TreeTest, NothingCollapses) {
  QTreeWidgetItem* root = Node("Корень");
  tree->collapseItem(root);
  QTest::keyClick(tree, Qt::Key_Left);
  for (QTreeWidgetItemIterator it(tree); *it; ++it) {
    if ((*it)->childCount() > 0) {
      EXPECT_TRUE((*it)->isExpanded()) << (*it)->text(0).toStdString();
    }
  }
}
