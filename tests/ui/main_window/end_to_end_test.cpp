// The program and the emulator on loopback, as an operator would use them:
// debug mode on, a frame typed into the test sender, the block's answer in
// the trace and in the answer label (whose format is the dispatcher's test).
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUdpSocket>

#include "sim/block/block.h"
#include "sim/net/emulator.h"
#include "sim/udp/server.h"
#include "ui_test_support.h"

using namespace varnel;
using namespace varnel::ui;
using namespace varnel::ui::testing;

namespace {

constexpr const char* kBlockAddress = "127.0.0.150";

struct EmulatedBlock {
  std::shared_ptr<sim::Emulator> emulator;
  sim::UdpServer server;

  explicit EmulatedBlock(const char* address, std::uint8_t id = 3)
      : emulator(MakeEmulator(id)), server([e = emulator](sim::ByteView r) { return e->Handle(r); }) {
    const std::string error = server.Start(address, sim::kDevicePort);
    EXPECT_EQ(error, "");
  }
  static std::shared_ptr<sim::Emulator> MakeEmulator(std::uint8_t id) {
    std::string error;
    auto block = sim::Block::Create({id, "Блок 1", 2}, error);
    EXPECT_TRUE(block.has_value()) << error;
    return std::make_shared<sim::Emulator>(*block);
  }
};

void TypeAndSend(WindowFixture& f, const QString& route, const QString& data) {
  f.window->findChild<QLineEdit*>("EditRoute")->setText(route);
  f.window->findChild<QLineEdit*>("EditData")->setText(data);
  QTest::mouseClick(f.window->findChild<QPushButton*>("ButSend"), Qt::LeftButton);
}

// Sends raw bytes to the program's port from a socket of the test's choosing.
void SendFrom(const QString& ip, quint16 fromPort, quint16 toPort, const QByteArray& bytes) {
  QUdpSocket s;
  ASSERT_TRUE(s.bind(QHostAddress(ip), fromPort));
  s.writeDatagram(bytes, QHostAddress(ip), toPort);
  s.waitForBytesWritten(1000);
}

}  // namespace

TEST(EndToEnd, BroadcastTypedInTheTestSenderIsAnsweredByTheBlock) {
  EmulatedBlock block(kBlockAddress);
  WindowFixture f(WindowFixture::Ini(kBlockAddress, 23310));
  f.window->setDebugMode(true);

  TypeAndSend(f, "000F", "");
  EXPECT_TRUE(f.memoHas(" >> 000FF0"));
  // ID 3, up-connection 0, type 2, "Блок 1" in Windows-1251, checksum.
  const QString answer = "80030002C1EBEEEA2031";
  ASSERT_TRUE(WaitFor([&] { return f.memoHas("<< GET inf [11] " + answer); }));
  // The label follows within a moment: it is redrawn at most every 40 ms.
  EXPECT_TRUE(WaitFor([&] { return f.window->findChild<QLabel*>("LabAns")->text().contains(answer); }));

  const auto record = block.server.Record();
  ASSERT_GE(record.size(), 1u);
  EXPECT_EQ(record.front().bytes, (sim::Bytes{0x00, 0x0F, 0xF0}));
}

TEST(EndToEnd, AnswersAreDispatchedWithoutWaitingForTheReceiveTick) {
  EmulatedBlock block("127.0.0.151");
  // A receive tick that never comes within the test: only the drain posted
  // right after the receive event can dispatch the answer.
  WindowFixture f(WindowFixture::Ini("127.0.0.151", 23320), 3'600'000);
  f.window->link().send.SendFrame({0x00, 0x03});  // open block 3
  EXPECT_TRUE(WaitFor([&] { return f.memoHas("<< GET inf [11]"); }));
}

// Which senders count as foreign is the receive rule's own test; here the
// senders the socket reports reach it.
TEST(EndToEnd, ForeignSendersAreDroppedAndTracedWithTheirAddress) {
  WindowFixture f(WindowFixture::Ini("127.0.0.152", 23330));
  f.window->setDebugMode(true);
  const QByteArray good("\x80\x03\x00\x02\x7A", 5);
  SendFrom("127.0.0.153", 12348, 23330, good);  // another block
  SendFrom("127.0.0.152", 40001, 23330, good);  // right address, wrong port
  ASSERT_TRUE(WaitFor([&] { return f.memoHas("  <<Remote 127.0.0.152:40001"); }));
  EXPECT_TRUE(f.memoHas("  <<Remote 127.0.0.153:12348"));
  EXPECT_FALSE(f.memoHas("<< GET inf"));
  EXPECT_TRUE(f.window->findChild<QLabel*>("LabAns")->text().isEmpty());
}
