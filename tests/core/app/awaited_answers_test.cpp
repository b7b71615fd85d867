// A click of several requests on a lossy link: executed only when every
// answer came; otherwise, once the wait is over, the status names the
// missing ones and the channel page learns which rows were not refreshed.
#include "boards/modem/modem_view.h"
#include "boards/request_hub.h"
#include "core_fakes.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

class AwaitedAnswersTest : public LinkTest {
 protected:
  AwaitedAnswersTest() {
    link.request.currentDevice = device;
    link.request.selectedSlot = kModemSlot;
  }
  void Click(RequestSender sender, ModemPage page) {
    input.sender = sender;
    input.modem.page = page;
    ButRDClick(link, input, hooks);
  }
  // An answer of the root's modem board (address 4).
  void Answer(Bytes body) {
    Bytes frame{0x80, 0x41};
    frame.insert(frame.end(), body.begin(), body.end());
    Dispatch(frame);
  }
  void Pass(std::uint64_t ms) { clock.ms += ms; }
  bool Settle() { return link.dispatcher.SettleAwaited(); }
  std::string Status() const { return link.status.text(); }

  const int device = AddDevice(Route{1}, Route{1});
  BoardRequestInput input;
  RequestHooks hooks;
};

}  // namespace

TEST_F(AwaitedAnswersTest, AReadIsExecutedOnlyWithItsLastMissingAnswer) {
  Click(RequestSender::ButRD, ModemPage::Config);  // 10, 11, 12, 13
  ASSERT_EQ(sink.sent.size(), 4u);
  // The awaited code 13 first, a repeated 11, then the others out of order.
  for (const Bytes& body : {Bytes{0x13, 0}, Bytes{0x11, 0}, Bytes{0x11, 0}, Bytes{0x10, 0}}) {
    Answer(body);
    EXPECT_EQ(Status(), "[10:20:30] Команда отправлена...");
  }
  Answer({0x12, 0});
  EXPECT_EQ(std::pair(Status(), link.status.colour()), std::pair(std::string("[10:20:30] Команда чтения исполнена"),
                                                                 kColourGreen));
  Pass(AwaitedAnswers::kWaitMs);
  EXPECT_FALSE(Settle());  // nothing to name
  EXPECT_EQ(link.status.colour(), kColourGreen);
}

// The GUI's lost-answer tests name and grey what is missing over a lossy
// link; here the wait's edge, the single report and the late answers.
TEST_F(AwaitedAnswersTest, MissingAnswersAreNamedOnceTheWaitIsOver) {
  Click(RequestSender::ButRD, ModemPage::Channels);  // 15, 16, 17, 11, 12, 13
  ASSERT_EQ(sink.sent.size(), 6u);
  for (const Bytes& body : {Bytes{0x15, 0}, Bytes{0x17, 0}, Bytes{0x11, 0}, Bytes{0x13, 0}}) Answer(body);
  // Answers of another board or device do not stand in for the missing ones.
  Dispatch({0x80, 0x51, 0x16, 0x00});
  Pass(AwaitedAnswers::kWaitMs - 1);
  EXPECT_FALSE(Settle());
  EXPECT_EQ(ChannelsNotRefreshed(link.request.awaited, device), (std::array<bool, 3>{}));  // not yet
  Pass(1);
  EXPECT_TRUE(Settle());
  EXPECT_EQ(Status(), "[10:20:30] Команда чтения не исполнена: нет ответа на 16, 12");
  EXPECT_EQ(ChannelsNotRefreshed(link.request.awaited, device), (std::array<bool, 3>{false, true, false}));
  EXPECT_EQ(ChannelsNotRefreshed(link.request.awaited, device + 1), (std::array<bool, 3>{}));
  EXPECT_FALSE(Settle());  // said once
  // Late, but all there after all: executed, nothing left greyed.
  Answer({0x16, 0});
  EXPECT_EQ(link.status.colour(), kColourMaroon);
  Answer({0x12, 0});
  EXPECT_EQ(Status(), "[10:20:30] Команда чтения исполнена");
  EXPECT_EQ(ChannelsNotRefreshed(link.request.awaited, device), (std::array<bool, 3>{}));
  // The next click starts afresh.
  Click(RequestSender::ButRD, ModemPage::Channels);
  EXPECT_EQ(ChannelsNotRefreshed(link.request.awaited, device), (std::array<bool, 3>{}));
}

TEST_F(AwaitedAnswersTest, AWriteIsDoneOnlyWhenEveryAcknowledgementCame) {
  Click(RequestSender::ButCRCall, ModemPage::Channels);  // 14 01, 14 02, 14 03
  ASSERT_EQ(sink.sent.size(), 3u);
  // Each reset is acknowledged by its own request: two of the same do not make three.
  Answer({0x14, 0x01});
  Answer({0x14, 0x03});
  Answer({0x14, 0x01});
  EXPECT_EQ(Status(), "[10:20:30] Команда отправлена...");
  Pass(AwaitedAnswers::kWaitMs);
  EXPECT_TRUE(Settle());
  EXPECT_EQ(Status(), "[10:20:30] Команда записи не исполнена: нет ответа на 14 02");
}
