// The endpoint's port fallback and what the operator is told about it.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <vector>

#include "ui/main_window/status_panels.h"
#include "net_qt/udp_endpoint.h"
#include "wire/frame.h"
#include "ui_test_support.h"

using namespace varnel;
using namespace varnel::ui;
using namespace varnel::net;
using namespace varnel::ui::testing;

namespace {

// Holds ports the way another program would.
std::vector<std::unique_ptr<QUdpSocket>> Occupy(int first, int count) {
  std::vector<std::unique_ptr<QUdpSocket>> held;
  for (int p = first; p < first + count; ++p) {
    auto s = std::make_unique<QUdpSocket>();
    EXPECT_TRUE(s->bind(QHostAddress::AnyIPv4, static_cast<quint16>(p))) << "port " << p << " busy already";
    held.push_back(std::move(s));
  }
  return held;
}

QString Panel(WindowFixture& f, int i) { return f.window->findChild<StatusPanels*>("StatusPan")->panel(i); }

}  // namespace

// The configured port and up to three after it, never past 65535 nor a random one.
TEST(Endpoint, FallsBackToTheNextFreeOfFourPortsAndSaysSo) {
  struct Row {
    int first, busy, bound;  // bound: 0 for none
    const char* panel;
    const char* warning;
  };
  const Row rows[] = {
      {23120, 3, 23123, "UDP:23123->12348", "Настроенный порт занят, старт программы на порту: 23123"},
      {65534, 1, 65535, "UDP:65535->12348", "Настроенный порт занят, старт программы на порту: 65535"},
      {65534, 2, 0, "UDP:65534 занят", "Порты заняты 65534..65535"},
  };
  for (const Row& r : rows) {
    auto held = Occupy(r.first, r.busy);
    WindowFixture f(WindowFixture::Ini("127.0.0.1", r.first));
    EXPECT_EQ(Panel(f, 2), r.panel);
    EXPECT_EQ(f.dialogs.warnings, QStringList{r.warning});
    EXPECT_EQ(f.window->endpoint().isActive(), r.bound != 0);
    if (r.bound != 0) EXPECT_EQ(f.window->link().settings.serverPort, r.bound);
  }
  // Port 0 stands for the default and its three neighbours.
  EXPECT_EQ(UdpEndpoint::lastPortTried(0), 12350);
}

TEST(Endpoint, ABurstOfAnswersIsNeverDroppedWhileTheQueueIsFull) {
  const QHostAddress peer("127.0.0.182");
  QUdpSocket block;
  ASSERT_TRUE(block.bind(peer, kDevicePort));
  WindowFixture f(WindowFixture::Ini(peer.toString(), 23160), 150);
  constexpr int kBurst = 200;
  for (int i = 0; i < kBurst; ++i) {
    // Identity answers of a device nobody knows, each one different.
    const QByteArray answer = QByteArray::fromHex("80F0") + char(0x01) + char(i);
    block.writeDatagram(answer, QHostAddress::LocalHost, 23160);
  }
  auto dispatched = [&] {
    int n = 0;
    for (int i = 0; i < f.memo().lineCount(); ++i) n += f.memo().lineAt(i).contains("<< GET inf") ? 1 : 0;
    return n;
  };
  EXPECT_TRUE(WaitFor([&] { return dispatched() == kBurst; }, 5000)) << dispatched();
  EXPECT_FALSE(f.memoHas("Udp err ovfl"));
}

TEST(Endpoint, AllFourPortsBusyLeavesItInactiveButTheProgramRuns) {
  auto held = Occupy(23130, 4);
  WindowFixture f(WindowFixture::Ini("127.0.0.1", 23130));
  EXPECT_FALSE(f.window->endpoint().isActive());
  EXPECT_EQ(Panel(f, 2), "UDP:23130 занят");
  EXPECT_EQ(f.dialogs.warnings, QStringList{"Порты заняты 23130..23133"});

  // Sends still leave their trace line; nothing else happens.
  f.window->link().send.SendFrame({0x00, 0x0F});
  EXPECT_TRUE(f.memoHas(" >> 000FF0"));

  // Once a port is free again, the start/stop button brings the endpoint up.
  held.clear();
  f.window->StartEndpoint();
  EXPECT_TRUE(f.window->endpoint().isActive());
  EXPECT_EQ(Panel(f, 2), "UDP:23130->12348");
}

TEST(Endpoint, StartsOnTheConfiguredPortTogglesAndStopsWithTheWindow) {
  WindowFixture f(WindowFixture::Ini("127.0.0.1", 23140));
  EXPECT_EQ(f.window->link().settings.serverPort, 23140);
  EXPECT_EQ(Panel(f, 2), "UDP:23140->12348");
  EXPECT_TRUE(f.dialogs.warnings.isEmpty());
  EXPECT_EQ(f.window->findChild<QPushButton*>("ButIP")->text(), "127.0.0.1");
  f.window->setDebugMode(true);
  auto* toggle = f.window->findChild<QPushButton*>("ButStartStop");
  ASSERT_TRUE(toggle->isVisible());
  toggle->click();
  EXPECT_FALSE(f.window->endpoint().isActive());
  EXPECT_EQ(toggle->text(), "Остановлен");
  EXPECT_EQ(Panel(f, 2), "UDP сервер остановлен");
  toggle->click();
  EXPECT_TRUE(f.window->endpoint().isActive());
  EXPECT_EQ(toggle->text(), "Активен");
  f.window->close();
  EXPECT_FALSE(f.window->endpoint().isActive());
  QUdpSocket again;
  EXPECT_TRUE(again.bind(QHostAddress::AnyIPv4, 23140)) << "the port must be free after closing";
}

// Datagrams are read in batches; whatever a full queue leaves behind comes
// next time, in arrival order, with its sender, and nothing is lost.
TEST(Endpoint, HandsOnDatagramsInArrivalOrderAndKeepsWhatTheQueueHadNoRoomFor) {
  const QHostAddress sender("127.0.0.71");
  QUdpSocket block;
  ASSERT_TRUE(block.bind(sender, 20071));
  UdpEndpoint endpoint;
  ASSERT_EQ(endpoint.start(20072), 20072);
  constexpr int kSent = 3 * UdpEndpoint::kBatch + 5;
  for (int i = 0; i < kSent; ++i) {
    // Lengths 1 .. kSent, byte values the number: order and size both show.
    block.writeDatagram(QByteArray(i + 1, static_cast<char>(i)), QHostAddress::LocalHost, 20072);
  }
  std::vector<int> got;
  bool wrong = false;
  auto take = [&](const std::uint8_t* data, std::size_t n, std::string_view ip, std::uint16_t port) {
    const int number = n == 0 ? -1 : data[0];
    wrong |= n != static_cast<std::size_t>(number + 1) || ip != "127.0.0.71" || port != 20071;
    got.push_back(number);
  };
  ASSERT_TRUE(WaitFor([&] { return endpoint.hasPending(); }, 2000));
  // Room for three at a time: a batch is cut short and the rest kept.
  for (int round = 0; round < 200 && static_cast<int>(got.size()) < kSent; ++round) {
    int room = 3;
    const int taken = endpoint.readPending([&] { return room-- > 0; }, take);
    EXPECT_LE(taken, 3);
    if (taken == 0) QTest::qWait(5);
  }
  ASSERT_EQ(static_cast<int>(got.size()), kSent);
  for (int i = 0; i < kSent; ++i) EXPECT_EQ(got[static_cast<std::size_t>(i)], i);
  EXPECT_FALSE(wrong) << "a datagram came with the wrong size or sender";
  EXPECT_FALSE(endpoint.hasPending());
  // No room at all takes nothing off.
  block.writeDatagram(QByteArray(1, 0), QHostAddress::LocalHost, 20072);
  ASSERT_TRUE(WaitFor([&] { return endpoint.hasPending(); }, 2000));
  EXPECT_EQ(endpoint.readPending([] { return false; }, take), 0);
  EXPECT_TRUE(endpoint.hasPending());
  // Stopping forgets what was read and not handed on.
  endpoint.stop();
  EXPECT_FALSE(endpoint.hasPending());
  EXPECT_EQ(endpoint.readPending([] { return true; }, take), 0);
}

TEST(Endpoint, SendsToAnIPv4PeerAndIgnoresHostsThatAreNoAddress) {
  QUdpSocket block;
  ASSERT_TRUE(block.bind(QHostAddress("127.0.0.73"), 20073));
  UdpEndpoint endpoint;
  ASSERT_EQ(endpoint.start(20074), 20074);
  endpoint.sendTo({0x01, 0x02}, "no.such.host", 20073);
  endpoint.sendTo({0x03}, "::1", 20073);
  endpoint.sendTo({0x00, 0x0F, 0xF0}, "127.0.0.73", 20073);
  ASSERT_TRUE(WaitFor([&] { return block.hasPendingDatagrams(); }, 2000));
  const QNetworkDatagram d = block.receiveDatagram();
  EXPECT_EQ(d.data(), QByteArray::fromHex("000FF0"));
  EXPECT_EQ(d.senderPort(), 20074);
  QTest::qWait(50);
  EXPECT_FALSE(block.hasPendingDatagrams()) << "something was sent to a host that is no IPv4 address";
}

// More than the system's buffer holds arrives unread: what the system
// dropped is counted, and with what was read makes up all that was sent.
TEST(Endpoint, CountsWhatTheSystemDroppedWhenItsBufferOverflowed) {
  QUdpSocket sender;
  ASSERT_TRUE(sender.bind(QHostAddress("127.0.0.75"), 20075));
  UdpEndpoint endpoint;
  ASSERT_EQ(endpoint.start(20078), 20078);
  EXPECT_EQ(endpoint.lostInSystem(), 0u);
  const QByteArray datagram(1000, 'x');
  // 24 MB: over the largest buffer the system grants (twice 4 MB by default).
  constexpr int kSent = 24000;
  for (int i = 0; i < kSent; ++i) sender.writeDatagram(datagram, QHostAddress::LocalHost, 20078);
  int read = 0;
  auto readAll = [&] {
    while (endpoint.hasPending()) read += endpoint.readPending([] { return true; }, [](auto...) {});
  };
  readAll();
  EXPECT_GT(read, 0);
  // The count comes with the next datagram the system takes in.
  sender.writeDatagram(datagram, QHostAddress::LocalHost, 20078);
  ASSERT_TRUE(WaitFor([&] { return endpoint.hasPending(); }, 2000));
  readAll();
  EXPECT_GT(endpoint.lostInSystem(), 0u);
  EXPECT_EQ(read + static_cast<int>(endpoint.lostInSystem()), kSent + 1);
  endpoint.stop();
  EXPECT_EQ(endpoint.lostInSystem(), 0u);
}
