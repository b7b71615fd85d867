#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>

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
  int requests = 0;
  void SendBoardCommand(int device, int slot, const Bytes& payload) override {
    ++requests;
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

TEST_F(FlashProgressWindowTest, AWriteRunsToTheEndAndTheWindowClosesByItself) {
  StartWrite(3);
  FlashProgressWindow window(session);
  bool timedOut = false;
  QTimer::singleShot(5000, &window, [&] {
    timedOut = true;
    window.reject();
  });
  window.Run();
  EXPECT_FALSE(timedOut);
  EXPECT_TRUE(session.finished());
  EXPECT_EQ(board.requests, 3);
  EXPECT_FALSE(window.isVisible());
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
