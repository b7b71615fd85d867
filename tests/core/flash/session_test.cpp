#include <algorithm>

#include "core_fakes.h"
#include "flash/listing.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

constexpr int kDevice = 3;
constexpr int kSlot = 5;

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// n bytes counting up from first.
Bytes Counting(std::uint8_t first, int n) {
  Bytes out(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) out[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(first + i);
  return out;
}

// Read answers of a board, with their CRC-8 worked out by hand.
const Bytes kConfigLow = Join({{0x10, 0x0E, 0x00, 0x00}, Counting(0x30, 16), {0x2C}});
const Bytes kConfigHigh = Join({{0x10, 0x0E, 0x00, 0x10}, Counting(0x40, 16), {0x1E}});
const Bytes kAt100 = {0x10, 0x00, 0x01, 0x00, 0xDE, 0xAD, 0xBE, 0xEF, 0xB5};

class FlashSessionTest : public ::testing::Test {
 protected:
  FlashSessionTest() {
    trace.setSink(&lines);
    request.currentDevice = kDevice;
    request.selectedSlot = kSlot;
  }
  void Start(FlashMode mode, int blockSize, std::uint32_t first, std::uint32_t count) {
    session.Reset();
    ASSERT_TRUE(session.setBlockSize(blockSize));
    session.Want(first, count);
    session.setMode(mode);
    session.setSendingOn(true);
    session.Show(window);
  }
  // ms pass; the window's timer fires every tick that falls due meanwhile.
  void Pass(int ms) {
    while (window.due >= 0 && window.due <= ms) {
      ms -= window.due;
      window.due = window.interval;
      session.Tick();
    }
    if (window.due >= 0) window.due -= ms;
  }
  bool Answer(const Bytes& answer) { return session.OnFlashAnswer(answer, kDevice, kSlot); }
  Bytes LastSent() const { return boards.sent.empty() ? Bytes{} : boards.sent.back().payload; }
  void Fill(std::uint32_t address, const Bytes& bytes) {
    std::copy(bytes.begin(), bytes.end(), session.image().begin() + address);
  }
  Bytes Image(std::uint32_t address, std::size_t n) {
    const auto from = session.image().begin() + address;
    return Bytes(from, from + static_cast<std::ptrdiff_t>(n));
  }

  ManualClock clock = ClockAt(10, 20, 30);
  TraceLog trace{clock};
  RecordingTrace lines;
  RequestState request;
  RecordingBoardSender boards;
  FakeFlashWindow window;
  FlashSession session{trace, request, boards};
};

}  // namespace

TEST_F(FlashSessionTest, AConfigurationReadAsksBlockByBlockAndStoresTheData) {
  Start(FlashMode::Read, FlashSession::kConfigBlock, 0xE0000, 32);
  EXPECT_EQ(std::tuple(session.caption(), session.memoVisible(), session.windowHeight()),
            std::tuple("Чтение flash", false, 200));
  Pass(19);
  EXPECT_TRUE(boards.sent.empty());
  Pass(1);
  ASSERT_EQ(boards.sent.size(), 1u);
  EXPECT_EQ(std::tuple(boards.sent[0].device, boards.sent[0].slot), std::tuple(kDevice, kSlot));
  EXPECT_EQ(LastSent(), (Bytes{0x10, 0x0E, 0x00, 0x00, 0x03}));
  EXPECT_EQ(std::tuple(session.status(), session.progress(), session.gauge()),
            std::tuple("Запрос  0x0E0000", "Байт: 0/32", 0));

  ASSERT_TRUE(Answer(kConfigLow));
  EXPECT_EQ(window.memo, (Strings{" CMD Flash READ ADDR=0x0E0000 ",
                                  "5A0000 : 30 31 32 33 34 35 36 37 38 39 3A 3B 3C 3D 3E 3F  CRC=00", "________"}));
  EXPECT_EQ(window.due, 20);
  request.selectedSlot = 6;  // the slot is the one selected when a request leaves
  Pass(20);
  EXPECT_EQ(LastSent(), (Bytes{0x10, 0x0E, 0x00, 0x10, 0x03}));
  EXPECT_EQ(boards.sent.back().slot, 6);
  EXPECT_EQ(std::tuple(session.progress(), session.gauge()), std::tuple("Байт: 16/32", 50));

  ASSERT_TRUE(session.OnFlashAnswer(kConfigHigh, kDevice, 6));  // from there
  Pass(20);
  EXPECT_EQ(boards.sent.size(), 2u);
  EXPECT_TRUE(session.finished());
  EXPECT_EQ(std::tuple(session.status(), session.progress(), session.gauge()),
            std::tuple("Завершено.", "Байт: 32/32", 100));
  EXPECT_EQ(window.memo.back(), "ALL OK. timer off");
  EXPECT_TRUE(window.closed);  // outside debug mode
  EXPECT_EQ(window.due, -1);
  EXPECT_EQ(session.mode(), FlashMode::Stopped);
  EXPECT_EQ(Image(0xE0000, 32), Join({Counting(0x30, 16), Counting(0x40, 16)}));
  // A 512-byte block is asked for as 128 words.
  Start(FlashMode::Read, FlashSession::kFirmwareBlock, 0x20000, 1);
  Pass(20);
  EXPECT_EQ(LastSent(), (Bytes{0x10, 0x02, 0x00, 0x00, 0x7F}));
}

TEST_F(FlashSessionTest, WritesSendImageBlocksWithTheirCrcAndMarkTheLastOne) {
  trace.setDebug(true);  // the CRC line is a debug line; the window then stays open
  Fill(0x12340, Counting(0x00, 32));
  Start(FlashMode::Write, FlashSession::kConfigBlock, 0x12340, 20);
  EXPECT_EQ(session.caption(), "Запись flash");
  Pass(20);
  EXPECT_EQ(LastSent(), Join({{0x10, 0x01, 0x23, 0x40}, Counting(0x00, 16), {0xE5}}));
  EXPECT_EQ(window.memo, Strings{"WR10012340000102030405060708090A0B0C0D0E0F"});
  EXPECT_TRUE(lines.Has(" Send WR flash CRC=0xE5"));
  ASSERT_TRUE(Answer({0x10, 0x01, 0x23, 0x40, 0xE5}));
  EXPECT_EQ(window.memo.back(), "  CMD Flash WRITE AnsCRC=E5 ADDR=0x012340");
  Pass(20);
  // Four wanted bytes are left: the last block, sent whole with the image bytes beyond them.
  EXPECT_EQ(LastSent(), Join({{0x10, 0x81, 0x23, 0x50}, Counting(0x10, 16), {0xE0}}));
  ASSERT_TRUE(Answer({0x10, 0x81, 0x23, 0x50, 0xE0}));  // the last-block bit is no address bit
  Pass(20);
  EXPECT_TRUE(session.finished());
  EXPECT_EQ(std::tuple(session.map().done(), boards.sent.size()), std::tuple(20u, 2u));
}

TEST_F(FlashSessionTest, ARefusedAcknowledgementLeavesTheBlockPendingAndItGoesAgain) {
  Fill(0x12340, Counting(0x00, 32));
  Start(FlashMode::Write, FlashSession::kConfigBlock, 0x12340, 20);
  Pass(20);
  const Bytes first = LastSent();
  const std::pair<Bytes, const char*> refused[] = {
      {{}, "  GetInf CMD FRW err0"},
      {{0x10, 0x01, 0x23, 0x40}, "  GetInf CMD FRW err2"},
      {{0x10, 0x01, 0x23, 0x40, 0xE4}, "  GetInf CMD FRW err6"},  // not the CRC sent
      {{0x10, 0x01, 0x23, 0x50, 0xE5}, "  GetInf CMD FRW err7"},  // not the block outstanding
      {{0x10, 0x01, 0x23, 0x40, 0x77, 0xF4}, "  GetInf CMD FRW err4"},  // sound read data while writing
  };
  for (const auto& [answer, error] : refused) {
    lines.lines.clear();
    Pass(5000);
    EXPECT_FALSE(Answer(answer));
    EXPECT_EQ(lines.messages(), (Strings{"    GetInf FRW 5", error}));
    Pass(20);
    EXPECT_EQ(LastSent(), first) << error;
    EXPECT_EQ(session.map().done(), 0u) << error;
  }
  EXPECT_EQ(boards.sent.size(), 1 + std::size(refused));
  EXPECT_EQ(Image(0x12340, 1), Bytes{0x00});
}

TEST_F(FlashSessionTest, OnlyTheBoardAskedIsHeard) {
  // A sound acknowledgement of the outstanding block, from the wrong board or device.
  Fill(0x12340, Counting(0x00, 32));
  Start(FlashMode::Write, FlashSession::kConfigBlock, 0x12340, 32);
  EXPECT_FALSE(Answer({0x10, 0x01, 0x23, 0x40, 0xE5}));  // nothing asked yet
  Pass(20);
  const Bytes ack{0x10, 0x01, 0x23, 0x40, LastSent().back()};
  Pass(3000);
  lines.lines.clear();
  EXPECT_FALSE(session.OnFlashAnswer(ack, kDevice, kSlot + 1));
  EXPECT_FALSE(session.OnFlashAnswer(ack, kDevice + 1, kSlot));
  EXPECT_EQ(lines.messages(), (Strings{"    GetInf FRW 6", "    GetInf FRW 5"}));
  EXPECT_EQ(session.map().done(), 0u);
  EXPECT_EQ(window.due, 7000);  // still waiting for the board asked
  EXPECT_TRUE(Answer(ack));
  EXPECT_EQ(std::tuple(session.map().done(), window.due), std::tuple(16u, 20));
}

TEST_F(FlashSessionTest, AReadAnswerThatFailsACheckStoresAndMarksNothing) {
  Start(FlashMode::Read, FlashSession::kConfigBlock, 0xE0000, 32);
  Pass(20);
  Bytes corrupted = kConfigLow;
  corrupted[9] ^= 0x01;
  Bytes crcOff = kConfigLow;
  crcOff.back() ^= 0x80;
  const std::pair<Bytes, const char*> refused[] = {
      {corrupted, "  GetInf CMD FRW err3"},
      {crcOff, "  GetInf CMD FRW err3"},
      {{0x10, 0x0E, 0x00, 0x00, 0x2C}, "  GetInf CMD FRW err4"},  // an acknowledgement while reading
      {{0x10, 0x0E, 0x00}, "  GetInf CMD FRW err2"},
  };
  for (const auto& [answer, error] : refused) {
    lines.lines.clear();
    EXPECT_FALSE(Answer(answer));
    EXPECT_EQ(lines.messages(), (Strings{"    GetInf FRW 5", error}));
    Pass(20);
    EXPECT_EQ(LastSent(), (Bytes{0x10, 0x0E, 0x00, 0x00, 0x03})) << error;
  }
  EXPECT_EQ(Image(0xE0000, 16), Bytes(16, 0x00));
  EXPECT_EQ(session.map().done(), 0u);
  EXPECT_FALSE(session.map().isDone(0xE0000));
  // Sound data for another address is stored where it says, without counting for the job.
  EXPECT_TRUE(Answer(kAt100));
  EXPECT_EQ(Image(0x100, 4), (Bytes{0xDE, 0xAD, 0xBE, 0xEF}));
  EXPECT_TRUE(session.map().isDone(0x103) && !session.map().isDone(0x104));
  EXPECT_EQ(session.map().pending(), 32u);
}

TEST_F(FlashSessionTest, NothingPastTheEndOfFlashIsStoredOrConfirmed) {
  // Read data that would run past 0xFFFFF is refused whole.
  Start(FlashMode::Read, FlashSession::kConfigBlock, 0xFFFF8, 8);
  Pass(20);
  EXPECT_EQ(LastSent(), (Bytes{0x10, 0x0F, 0xFF, 0xF8, 0x03}));
  EXPECT_FALSE(Answer(Join({{0x10, 0x0F, 0xFF, 0xF8}, Bytes(16, 0x55), {0x83}})));
  EXPECT_TRUE(lines.Has("  GetInf CMD FRW err5"));
  EXPECT_EQ(Image(0xFFFF8, 8), Bytes(8, 0x00));
  EXPECT_EQ(session.map().done(), 0u);
  // A write block there is padded as erased flash; its acknowledgement cannot confirm it.
  Fill(0xFFFF8, Counting(0xA0, 8));
  Start(FlashMode::Write, FlashSession::kConfigBlock, 0xFFFF8, 8);
  Pass(20);
  EXPECT_EQ(LastSent(), Join({{0x10, 0x8F, 0xFF, 0xF8}, Counting(0xA0, 8), Bytes(8, 0xFF), {0x66}}));
  EXPECT_FALSE(Answer({0x10, 0x8F, 0xFF, 0xF8, 0x66}));
  EXPECT_TRUE(lines.Has("  GetInf CMD FRW err9"));
  EXPECT_EQ(session.map().done(), 0u);
}

TEST_F(FlashSessionTest, FirmwareProgressCountsWholeBlocks) {
  Start(FlashMode::Write, FlashSession::kFirmwareBlock, 0x20000, 1024);
  Pass(20);
  EXPECT_EQ(std::tuple(session.progress(), LastSent().size(), LastSent()[1]), std::tuple("Блок: 0/2", 517u, 0x02));
  ASSERT_TRUE(Answer({0x10, 0x02, 0x00, 0x00, LastSent().back()}));
  Pass(20);
  EXPECT_EQ(std::tuple(session.progress(), session.gauge(), session.status()),
            std::tuple("Блок: 1/2", 50, "Запрос  0x020200"));
  EXPECT_EQ(LastSent()[1], 0x82);  // exactly one block's worth remains: the last
}

TEST_F(FlashSessionTest, NothingWantedFinishesAtTheFirstTick) {
  Start(FlashMode::Read, FlashSession::kConfigBlock, 0, 0);
  Pass(20);
  EXPECT_TRUE(session.finished());
  EXPECT_EQ(std::tuple(session.status(), session.progress(), session.gauge()),
            std::tuple("Завершено.", "Байт: 0/0", 0));
  EXPECT_TRUE(boards.sent.empty());
  EXPECT_TRUE(window.closed);
  EXPECT_EQ(window.memo, Strings{"ALL OK. timer off"});
}

TEST_F(FlashSessionTest, AnUnansweredRequestGoesAgainEveryTenSeconds) {
  request.currentDevice = 0;  // none selected: the root block
  Start(FlashMode::Read, FlashSession::kConfigBlock, 0xE0000, 16);
  EXPECT_EQ(request.currentDevice, 1);
  Pass(20);
  Pass(9999);
  ASSERT_EQ(boards.sent.size(), 1u);
  Pass(1);
  Pass(30000);
  ASSERT_EQ(boards.sent.size(), 5u);
  for (const auto& s : boards.sent) EXPECT_EQ(std::tuple(s.device, s.payload), std::tuple(1, boards.sent[0].payload));
  // With sending off the ticks go on and show the address, but send nothing.
  session.setSendingOn(false);
  Pass(10000);
  EXPECT_EQ(boards.sent.size(), 5u);
  EXPECT_EQ(std::tuple(session.status(), window.due), std::tuple("Запрос  0x0E0000", 10000));
}

TEST_F(FlashSessionTest, InDebugModeTheFinishedWindowStaysOpen) {
  trace.setDebug(true);
  Start(FlashMode::Read, FlashSession::kConfigBlock, 0x100, 4);
  trace.setDebug(false);  // decided at reset and show
  EXPECT_EQ(std::tuple(session.memoVisible(), session.windowHeight()), std::tuple(true, 500));
  Pass(20);
  ASSERT_TRUE(Answer(kAt100));
  Pass(20);
  EXPECT_TRUE(session.finished());
  EXPECT_FALSE(window.closed);
  EXPECT_EQ(std::tuple(window.due, session.status()), std::tuple(-1, "Завершено."));
}

TEST_F(FlashSessionTest, AStoppedOrClosedSessionSendsAndTakesNothing) {
  EXPECT_FALSE(Answer(kConfigLow));  // before any session
  Start(FlashMode::Read, FlashSession::kConfigBlock, 0xE0000, 32);
  Pass(20);
  session.DebugStop();
  EXPECT_EQ(std::tuple(window.due, session.windowHeight(), session.memoVisible(), session.closeWhenFinished()),
            std::tuple(-1, 700, true, false));
  Pass(20000);
  lines.lines.clear();
  EXPECT_FALSE(Answer(kConfigLow));  // traced, then ignored
  EXPECT_EQ(lines.messages(), Strings{"    GetInf FRW 5"});
  EXPECT_EQ(window.due, -1);
  // Mode 4 set while the timer runs: the next tick stops it.
  Start(FlashMode::Read, FlashSession::kConfigBlock, 0xE0000, 32);
  Pass(20);
  session.setMode(FlashMode::Stopped);
  Pass(10000);
  EXPECT_EQ(window.due, -1);
  // An unknown mode stops at its first tick; a closed window takes no answer.
  Start(static_cast<FlashMode>(2), FlashSession::kConfigBlock, 0xE0000, 32);
  EXPECT_EQ(session.caption(), "Неизвестный режим");
  Pass(20);
  EXPECT_EQ(std::tuple(session.status(), window.due), std::tuple("Неизвестный режим", -1));
  Start(FlashMode::Read, FlashSession::kConfigBlock, 0xE0000, 32);
  session.Close();
  EXPECT_FALSE(Answer(kConfigLow));
  EXPECT_EQ(boards.sent.size(), 2u);
  EXPECT_EQ(Image(0xE0000, 16), Bytes(16, 0x00));
  EXPECT_EQ(session.map().done(), 0u);
}

TEST(FlashReadListingTest, SixteenBytesALineUnderTheBoardsAddress) {
  EXPECT_EQ(FlashReadListing(0x100, Counting(0x00, 17), 0x5E),
            (Strings{" CMD Flash READ ADDR=0x000100 ",
                     "4C0100 : 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F", "4C0110 : 10  CRC=5E", "________"}));
}
