#include "firmware/modem_session.h"

#include <gtest/gtest.h>

#include <deque>

#include "core_fakes.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

constexpr int kDevice = 3;
constexpr int kModem = 4;

Bytes Pattern(std::size_t n) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  return b;
}

Bytes Answer(std::uint8_t code, std::uint16_t n, bool block) {
  return {code, static_cast<std::uint8_t>(n & 0xFF), static_cast<std::uint8_t>((n >> 8) | (block ? 0x80 : 0))};
}

class ModemSessionTest : public ::testing::Test {
 protected:
  ModemSessionTest() : trace(clock), session(trace, clock, request, sender, [this] { return NextRandom(); }) {
    trace.setSink(&lines);
    request.currentDevice = kDevice;
    request.selectedSlot = kModem;
    clock.ms = 1000;
  }

  std::uint16_t NextRandom() {
    const std::uint16_t r = randoms.front();
    randoms.pop_front();
    return r;
  }

  // Prepared, shown, start request sent on the first tick and answered.
  void Started(std::size_t bytes, ModemFirmwareKind kind = ModemFirmwareKind::Mcu) {
    image = Pattern(bytes);
    session.Prepare(kind, image);
    session.Show();
    session.Tick();
    ASSERT_EQ(sender.sent.size(), 1u);
    session.OnAnswer(kDevice, kModem, Answer(TargetCode(kind), session.sessionNumber(), false));
  }
  void Ack(std::uint16_t n, int afterMs = 0) {
    clock.ms += static_cast<std::uint64_t>(afterMs);
    session.OnAnswer(kDevice, kModem, Answer(0x02, n, true));
  }
  const Bytes& Last() const { return sender.sent.back().payload; }
  void TickAt(std::uint64_t ms) {
    clock.ms = ms;
    session.Tick();
  }

  ManualClock clock;
  TraceLog trace;
  RecordingTrace lines;
  RequestState request;
  RecordingBoardSender sender;
  std::deque<std::uint16_t> randoms{0x1234};
  ModemFirmwareSession session;
  Bytes image;
};

TEST_F(ModemSessionTest, StartRequestCarriesAFifteenBitNonZeroSessionNumber) {
  randoms = {0x8000, 0xFFFF};  // the first clears to 0 and is drawn again
  session.Prepare(ModemFirmwareKind::Fpga, Pattern(10));
  session.Show();
  EXPECT_EQ(session.caption(), "Запись программы FPGA");
  EXPECT_TRUE(sender.sent.empty());
  session.Tick();
  ASSERT_EQ(sender.sent.size(), 1u);
  EXPECT_EQ(sender.sent[0].device, kDevice);
  EXPECT_EQ(sender.sent[0].slot, kModem);
  EXPECT_EQ(Last(), (Bytes{0x03, 0xFF, 0x7F}));
  EXPECT_EQ(session.sessionNumber(), 0x7FFF);
  EXPECT_EQ(session.progress(), "Запрос на запись ПО");
  // A start answer lost on the way: the same request again once the first
  // timeout has passed, and the late answer of either is taken once.
  const std::uint64_t sentAt = clock.ms;
  TickAt(sentAt + ModemFirmwareSession::kFirstTimeoutMs - 50);
  EXPECT_EQ(sender.sent.size(), 1u);
  TickAt(sentAt + ModemFirmwareSession::kFirstTimeoutMs);
  ASSERT_EQ(sender.sent.size(), 2u);
  EXPECT_EQ(Last(), (Bytes{0x03, 0xFF, 0x7F}));
  EXPECT_EQ(session.state(), ModemFirmwareState::Starting);
  EXPECT_EQ(session.repeatCount(), 1);
  session.OnAnswer(kDevice, kModem, Answer(0x03, 0x7FFF, false));
  session.OnAnswer(kDevice, kModem, Answer(0x03, 0x7FFF, false));
  EXPECT_EQ(session.state(), ModemFirmwareState::Sending);
  ASSERT_EQ(sender.sent.size(), 3u);
  EXPECT_EQ(Last(), (Bytes{0x03, 0x00, 0x80, 0, 7, 14, 21, 28, 35, 42, 49, 56, 63}));
}

// A whole number of blocks ends with an empty one; an empty image is one.
TEST_F(ModemSessionTest, ImagesAreCutInto256ByteBlocksWithAShorterLastOne) {
  const std::pair<std::size_t, std::vector<std::size_t>> cases[] = {
      {600, {256, 256, 88}}, {512, {256, 256, 0}}, {0, {0}}};
  for (const auto& [size, expected] : cases) {
    sender.sent.clear();
    randoms = {0x0102};
    Started(size);
    // Every acknowledgement sends the next block at once, without a tick.
    while (session.state() == ModemFirmwareState::Sending) Ack(static_cast<std::uint16_t>(sender.sent.size() - 2));
    std::vector<std::size_t> lengths;
    Bytes sent;
    for (std::size_t i = 1; i < sender.sent.size(); ++i) {
      const Bytes& p = sender.sent[i].payload;
      lengths.push_back(p.size() - 3);
      sent.insert(sent.end(), p.begin() + 3, p.end());
    }
    EXPECT_EQ(lengths, expected) << size;
    EXPECT_TRUE(sent == image) << size;
    TickAt(clock.ms + ModemFirmwareSession::kFinishDelayMs);
    EXPECT_TRUE(session.closeRequested());
  }
}

TEST_F(ModemSessionTest, ProgressCountsDoneBlocks) {
  Started(600);
  EXPECT_EQ(session.progress(), "Запись блока 1. Записано блоков: 0/3");
  Ack(0);
  EXPECT_EQ(session.progress(), "Запись блока 2. Записано блоков: 1/3");
  EXPECT_EQ(session.gauge(), 33);
  EXPECT_EQ(session.closeCaption(), "Отмена");
}

TEST_F(ModemSessionTest, UnansweredBlockIsRepeatedAfterFourRoundTrips) {
  Started(2000);
  EXPECT_EQ(session.timeoutMs(), ModemFirmwareSession::kFirstTimeoutMs);
  Ack(0, 120);
  EXPECT_EQ(session.timeoutMs(), 480u);
  const std::size_t sends = sender.sent.size();
  const std::uint64_t sentAt = clock.ms;
  TickAt(sentAt + 470);
  EXPECT_EQ(sender.sent.size(), sends);
  EXPECT_EQ(session.timeText(), "Ожидание ответа 0 сек");
  TickAt(sentAt + 480);
  ASSERT_EQ(sender.sent.size(), sends + 1);
  EXPECT_EQ(Last()[1], 1);  // block 1 again
  TickAt(sentAt + 480 + 10);
  EXPECT_EQ(session.timeText(), "Ожидание ответа 0 сек(повторный запрос №1)");
  TickAt(sentAt + 960);
  EXPECT_EQ(session.repeatCount(), 2);
  // The repeat's answer counts its round trip from the last sending.
  Ack(1, 30);
  EXPECT_EQ(session.timeoutMs(), 120u);
  EXPECT_EQ(session.repeatCount(), 0);
  EXPECT_EQ(Last()[1], 2);
}

TEST_F(ModemSessionTest, FastLinkKeepsTheTimeoutAtOneTick) {
  Started(2000);
  Ack(0, 0);
  Ack(1, 1);
  EXPECT_EQ(session.timeoutMs(), std::uint32_t{ModemFirmwareSession::kTickMs});
  const std::size_t sends = sender.sent.size();
  // A tick right after the sending must not send the block in flight again.
  TickAt(clock.ms + 1);
  EXPECT_EQ(sender.sent.size(), sends);
  EXPECT_EQ(session.timeText(), "Ожидание ответа 49 мсек");
  TickAt(clock.ms + 49);
  EXPECT_EQ(sender.sent.size(), sends + 1);
}

TEST_F(ModemSessionTest, TheBoardEndingTheTransfer) {
  // 0x7FFF with more than the current block pending: the board gave up.
  Started(600);
  Ack(0);
  Ack(kBoardEndsTransfer);
  EXPECT_EQ(session.progress(), "Ошибка: сеанс закончен.\rОстановлено.");
  EXPECT_EQ(std::tuple(session.failure(), session.closeCaption()),
            std::tuple(ModemFirmwareState::BoardEnded, "Закрыть"));
  const std::size_t sends = sender.sent.size();
  TickAt(clock.ms + 100000);
  EXPECT_EQ(sender.sent.size(), sends);
  EXPECT_FALSE(session.finished());

  // 0x7FFF on the last pending block acknowledges it.
  sender.sent.clear();
  randoms = {8};
  Started(300);
  Ack(0);
  Ack(kBoardEndsTransfer);
  TickAt(clock.ms + ModemFirmwareSession::kFinishDelayMs);
  EXPECT_TRUE(session.finished());
  EXPECT_EQ(session.progress(), "Завершено.");
  // A new start forgets the last session's error.
  EXPECT_EQ(session.failure(), ModemFirmwareState::Stopped);
}

TEST_F(ModemSessionTest, AnswersNotMeantForTheSessionAreIgnored) {
  trace.setDebug(true);  // the trace of what was ignored
  Started(600);
  const std::size_t sends = sender.sent.size();
  session.OnAnswer(kDevice + 1, kModem, Answer(0x02, 0, true));            // another device
  session.OnAnswer(kDevice, 1, Answer(0x02, 0, true));                     // another board
  session.OnAnswer(kDevice, kModem, Answer(0x03, 0, true));                // the other kind
  session.OnAnswer(kDevice, kModem, Answer(0x02, 5, true));                // another block
  session.OnAnswer(kDevice, kModem, Answer(0x02, session.sessionNumber() ^ 1, false));  // another session
  EXPECT_EQ(sender.sent.size(), sends);
  EXPECT_EQ(session.doneBlocks(), 0u);
  EXPECT_EQ(session.state(), ModemFirmwareState::Sending);
  EXPECT_TRUE(lines.Has("!!! FW VK N_BL = 5"));
}

TEST_F(ModemSessionTest, StartAnswerOfAnotherSessionDoesNotStartSending) {
  randoms = {0x0305};
  session.Prepare(ModemFirmwareKind::Mcu, Pattern(10));
  session.Show();
  session.Tick();
  session.OnAnswer(kDevice, kModem, Answer(0x02, 0x0306, false));
  session.OnAnswer(kDevice, kModem, Answer(0x02, 0, true));  // no block was sent
  EXPECT_EQ(sender.sent.size(), 1u);
  EXPECT_EQ(session.state(), ModemFirmwareState::Starting);
  session.OnAnswer(kDevice, kModem, Answer(0x02, 0x0305, false));
  EXPECT_EQ(session.state(), ModemFirmwareState::Sending);
  EXPECT_EQ(sender.sent.size(), 2u);
}

TEST_F(ModemSessionTest, ClosedOrStoppedSessionTakesNoMoreAnswers) {
  Started(600);
  Ack(kBlockSequenceBroken);
  EXPECT_EQ(std::pair(session.state(), session.failure()),
            std::pair(ModemFirmwareState::Stopped, ModemFirmwareState::SequenceBroken));
  const std::string shown = "Ошибка: нарушена последовательность блоков.\rОстановлено.";
  EXPECT_EQ(session.progress(), shown);
  Ack(0);
  Ack(kBoardEndsTransfer);
  EXPECT_EQ(session.progress(), shown);
  session.Close();
  EXPECT_FALSE(session.active());
  const std::size_t sends = sender.sent.size();
  Ack(0);
  TickAt(clock.ms + 100000);
  EXPECT_EQ(sender.sent.size(), sends);
}

TEST_F(ModemSessionTest, DebugModeKeepsTheWindowOpenWhenDone) {
  trace.setDebug(true);
  Started(10);
  Ack(0);
  TickAt(clock.ms + ModemFirmwareSession::kFinishDelayMs);
  EXPECT_TRUE(session.finished());
  EXPECT_FALSE(session.closeRequested());
}

}  // namespace
