#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <vector>

#include "flash/session.h"
#include "ui/boards/termination/flash_window.h"
#include "ui_test_support.h"
#include "wire/time_utils.h"

using namespace varnel;
using namespace varnel::ui;
using varnel::ui::testing::WaitFor;

namespace {

// A board that acknowledges every write request from the event loop, as
// answers arrive in the program: address and CRC echoed back.
struct AcknowledgingBoard : BoardCommandSender {
  FlashSession* session = nullptr;
  std::vector<PreciseTimer::Clock::time_point> sentAt;
  void SendBoardCommand(int device, int slot, const Bytes& payload) override {
    sentAt.push_back(PreciseTimer::Clock::now());
    const Bytes ack{payload[0], payload[1], payload[2], payload[3], payload.back()};
    QTimer::singleShot(0, [this, ack, device, slot] { session->OnFlashAnswer(ack, device, slot); });
  }
};

class FlashProgressWindowTest : public ::testing::Test {
 protected:
  FlashProgressWindowTest() {
    request.currentDevice = 1;
    request.selectedSlot = 5;
    board.session = &session;
  }
  void StartWrite(int blocks) {
    session.Reset();
    ASSERT_TRUE(session.setBlockSize(FlashSession::kFirmwareBlock));
    session.Want(0, static_cast<std::uint32_t>(blocks * FlashSession::kFirmwareBlock));
    session.setMode(FlashMode::Write);
    session.setSendingOn(true);
  }

  SystemClock clock;
  TraceLog trace{clock};
  RequestState request;
  AcknowledgingBoard board;
  FlashSession session{trace, request, board};
};

// A write runs to the end and the window closes by itself. An answer that
// waited in the event loop does not lengthen the pause: it runs from the
// answer's arrival, and never ends before 20 ms from then.
TEST_F(FlashProgressWindowTest, AWriteRunsToTheEndPausingFromEachAnswersArrival) {
  using namespace std::chrono_literals;
  constexpr auto kWaited = 19ms;
  StartWrite(5);
  std::vector<PreciseTimer::Clock::time_point> arrivals;
  FlashProgressWindow window(session, nullptr, [&] {
    arrivals.push_back(PreciseTimer::Clock::now() - kWaited);
    return arrivals.back();
  });
  bool timedOut = false;
  QTimer::singleShot(5000, &window, [&] {
    timedOut = true;
    window.reject();
  });
  window.Run();
  EXPECT_FALSE(timedOut);
  ASSERT_TRUE(session.finished());
  ASSERT_EQ(board.sentAt.size(), 5u);
  ASSERT_GE(arrivals.size(), 4u);
  std::chrono::nanoseconds quickest = 1h;
  for (std::size_t k = 0; k + 1 < board.sentAt.size(); ++k) {
    const auto sinceArrival = board.sentAt[k + 1] - arrivals[k];
    EXPECT_GE(sinceArrival, 20ms) << "block " << k + 1 << " followed its answer too soon";
    quickest = std::min<std::chrono::nanoseconds>(quickest, sinceArrival - kWaited);
  }
  // Counted from the handling instead, no gap could be under 20 ms.
  EXPECT_LT(quickest, 15ms);
}

// The texts are shown late rather than after every block: the last state
// must still reach the labels when the window stays open (debug mode).
TEST_F(FlashProgressWindowTest, AWindowLeftOpenShowsTheFinalStateAndItsMemo) {
  trace.setDebug(true);
  StartWrite(4);
  FlashProgressWindow window(session);
  bool shown = false;
  QTimer::singleShot(0, &window, [&] {
    shown = WaitFor([&] { return window.status->text() == "Завершено."; }, 5000);
    window.reject();
  });
  window.Run();
  ASSERT_TRUE(shown) << window.status->text().toStdString();
  EXPECT_TRUE(session.finished());
  EXPECT_EQ(window.progress->text(), "Блок: 4/4");
  EXPECT_EQ(window.gauge->value(), 100);
  EXPECT_EQ(window.windowTitle(), "Запись flash");
  const QString memo = window.memo->toPlainText();
  EXPECT_EQ(memo.count("\nWR"), 3) << "four write requests, the first on the first line";
  EXPECT_TRUE(memo.startsWith("WR"));
  EXPECT_TRUE(memo.endsWith("ALL OK. timer off"));
}

}  // namespace
