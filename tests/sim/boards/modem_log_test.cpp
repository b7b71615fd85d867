// The modem board's event log: the open answer, batches up to LastN, the wrap of
// the ring, clearing, growth with the clock, clock marks in the stamps, and the
// events a block's boards and channel modes give. Fields are little-endian.

#include "board_test_support.h"
#include "sim/boards/block_behaviour.h"

namespace varnel::sim {
namespace {

// The board is made at kNewYear2026, a cycle start, so its made-up past ends the
// previous cycle (0x07861F80): entry n of N lies 5400(N - n) s before it, plus
// (7n + 3 ID) mod 60 minutes. Device 1's events start with "modem on".
ModemSettings Log(unsigned entries, unsigned first, unsigned per_minute = 2,
                  LogClock clock = LogClock::Set) {
  ModemSettings settings;
  settings.log = {.entries = entries, .first = first, .per_minute = per_minute, .clock = clock};
  return settings;
}

std::size_t EntryCount(const Bytes& answer) { return (answer.size() - 4) / 6; }
Bytes Head(const Bytes& answer) {
  return {answer.begin(), answer.begin() + std::min<std::size_t>(answer.size(), 4)};
}
// Empty when the answer is too short to hold entry i.
Bytes EntryAt(const Bytes& answer, std::size_t i) {
  if (answer.size() < 10 + 6 * i) return {};
  return {answer.begin() + 4 + 6 * i, answer.begin() + 10 + 6 * i};
}

// The open answer: index 0xFFF, then LastN with its low nibble above the index's high one.
TEST(SimModemLog, AnEmptyLogOpensWithLastNAtItsFirstIndex) {
  TestModem modem(Log(0, 100));
  EXPECT_EQ(modem.Ask({0x09, 0xFF, 0x0F}), (Bytes{0x09, 0xFF, 0x4F, 0x06}));
}

TEST(SimModemLog, BatchesCarryTheEntriesFromTheIndexAsked) {
  TestModem modem;
  // The newest, index 39, alone: termination board 2 (address 6) on.
  EXPECT_EQ(modem.Ask({0x09, 0x27, 0x00}),
            (Bytes{0x09, 0x27, 0x80, 0x02, 0xD8, 0x12, 0x86, 0x67, 0x01, 0x00}));
  const Bytes batch = modem.Ask({0x09, 0x00, 0x50}).value();  // 2^5 from index 0
  ASSERT_EQ(EntryCount(batch), 32u);
  EXPECT_EQ(Head(batch), (Bytes{0x09, 0x00, 0x80, 0x02}));
  const std::pair<std::size_t, Bytes> entries[] = {
      // Modem (4) on, stamp 0x07861F80 - 216000 + 180 = 0x0782D474.
      {0, {0x74, 0xD4, 0x82, 0x47, 0x01, 0x00}},
      {1, {0x30, 0xEB, 0x82, 0x47, 0x00, 0x40}},   // channel 1 (bits 14..15) not activated
      {31, {0x08, 0x6B, 0x85, 0x47, 0x01, 0x80}},  // channel 2 activated
  };
  for (const auto& [i, expected] : entries) EXPECT_EQ(EntryAt(batch, i), expected) << i;
}

TEST(SimModemLog, BatchesStopAtLastNAndSlotsWithoutEntriesGiveNone) {
  TestModem modem;  // indices 0..39 hold entries, LastN 40
  const struct {
    Bytes request;
    std::size_t count;
    Bytes head;
  } cases[] = {
      {{0x09, 0x08, 0x60}, 32, {0x09, 0x08, 0x80, 0x02}},  // 64 asked, 32 left up to LastN
      {{0x09, 0x07, 0x50}, 32, {0x09, 0x07, 0x80, 0x02}},  // 32 asked, 33 there
      {{0x09, 0x27, 0x70}, 1, {0x09, 0x27, 0x80, 0x02}},
      {{0x09, 0x28, 0x70}, 0, {0x09, 0x28, 0x80, 0x02}},  // LastN itself
      {{0x09, 0x29, 0x00}, 0, {0x09, 0x29, 0x80, 0x02}},  // never written
      {{0x09, 0x00, 0x01}, 0, {0x09, 0x00, 0x81, 0x02}},  // index 0x100
      {{0x09, 0xFF, 0x1F}, 0, {0x09, 0xFF, 0x8F, 0x02}},  // 4095, just before the first
  };
  for (const auto& c : cases) {
    const Bytes answer = modem.Ask(c.request).value();
    EXPECT_EQ(EntryCount(answer), c.count) << HexText(c.request);
    EXPECT_EQ(Head(answer), c.head) << HexText(c.request);
  }
}

TEST(SimModemLog, ReadsCrossFrom4095To0AndAFullRingOverwritesItsOldest) {
  TestModem modem(Log(10, 4090));  // 4090..4095, 0..3; LastN 4
  const Bytes across = modem.Ask({0x09, 0xFA, 0x3F}).value();
  ASSERT_EQ(EntryCount(across), 8u);
  EXPECT_EQ(Head(across), (Bytes{0x09, 0xFA, 0x4F, 0x00}));
  EXPECT_EQ(EntryAt(across, 5), (Bytes{0xF0, 0xBE, 0x85, 0x47, 0x80, 0x40}));  // at 4095
  EXPECT_EQ(EntryAt(across, 6), (Bytes{0xAC, 0xD5, 0x85, 0x47, 0x00, 0x80}));  // at 0
  const Bytes to_last = modem.Ask({0x09, 0xFE, 0x7F}).value();
  ASSERT_EQ(EntryCount(to_last), 6u);
  EXPECT_EQ(EntryAt(to_last, 5), (Bytes{0xD0, 0x0B, 0x86, 0x47, 0x20, 0x80}));  // at 3
  EXPECT_EQ(modem.Ask({0x09, 0xF9, 0x7F}), (Bytes{0x09, 0xF9, 0x4F, 0x00}));

  TestModem full(Log(4095, 0));  // 0..4094; LastN 4095
  EXPECT_EQ(EntryCount(full.Ask({0x09, 0x00, 0x00}).value()), 1u);
  full.At(30);  // the next entry goes into 4095 and the oldest, at 0, is gone
  EXPECT_EQ(full.Ask({0x09, 0x00, 0x70}), (Bytes{0x09, 0x00, 0x00, 0x00}));
  EXPECT_EQ(EntryCount(full.Ask({0x09, 0x01, 0x00}).value()), 1u);
  // Entry 4095 is termination board 2 on, stamped 30 s into the cycle.
  EXPECT_EQ(full.Ask({0x09, 0xFF, 0x7F}),
            (Bytes{0x09, 0xFF, 0x0F, 0x00, 0x1E, 0x00, 0x00, 0x60, 0x01, 0x00}));
}

TEST(SimModemLog, ClearKeepsLastNAndNewEntriesContinueThere) {
  TestModem modem;
  EXPECT_EQ(modem.Ask({0x09, 0xFF, 0xFF}), (Bytes{0x09, 0xFF, 0x8F, 0x02}));
  EXPECT_EQ(modem.Ask({0x09, 0x00, 0x70}), (Bytes{0x09, 0x00, 0x80, 0x02}));
  EXPECT_EQ(modem.Ask({0x09, 0x27, 0x00}), (Bytes{0x09, 0x27, 0x80, 0x02}));
  modem.At(30);
  // Entry 40 at index 40: termination board 3 (address 7) off, stamp 30.
  EXPECT_EQ(modem.Ask({0x09, 0x28, 0x70}),
            (Bytes{0x09, 0x28, 0x90, 0x02, 0x1E, 0x00, 0x00, 0x70, 0x00, 0x00}));
  EXPECT_EQ(modem.Ask({0x09, 0x27, 0x70}), (Bytes{0x09, 0x27, 0x90, 0x02}));
}

TEST(SimModemLog, EntriesArriveAtTheRateEachStampedAtItsOwnSecond) {
  TestModem modem(Log(40, 0, 7));  // due at 60/7, 120/7, 180/7 s: 9, 18, 26 whole
  modem.At(8);
  EXPECT_EQ(modem.Ask({0x09, 0xFF, 0x0F}), (Bytes{0x09, 0xFF, 0x8F, 0x02}));
  modem.At(26);
  // Board 7 off, on, then amplifier 0x0A with A3 (its second pass through the alarms).
  EXPECT_EQ(modem.Ask({0x09, 0x28, 0x20}),
            (Bytes{0x09, 0x28, 0xB0, 0x02, 0x09, 0x00, 0x00, 0x70, 0x00, 0x00, 0x12,
                   0x00, 0x00, 0x70, 0x01, 0x00, 0x1A, 0x00, 0x00, 0xA0, 0x08, 0x00}));

  // A day unread at 600 a minute: LastN (40 + 864000) mod 4096 = 0xF28, 4095 kept.
  TestModem busy(Log(40, 0, 600));
  busy.At(86400);
  const std::pair<Bytes, Bytes> reads[] = {
      {{0x09, 0x27, 0x0F}, {0x09, 0x27, 0x8F, 0xF2, 0x80, 0x51, 0x01, 0x60, 0x01, 0x00}},
      {{0x09, 0x29, 0x0F}, {0x09, 0x29, 0x8F, 0xF2, 0xE7, 0x4F, 0x01, 0x40, 0x00, 0x40}},
      {{0x09, 0x28, 0x7F}, {0x09, 0x28, 0x8F, 0xF2}},
  };
  for (const auto& [request, expected] : reads) {
    EXPECT_EQ(busy.Ask(request), expected) << HexText(request);
  }
}

TEST(SimModemLog, StampsCarryTheClockMarksUntilTheProgramSetsTheClock) {
  const struct {
    LogClock clock;
    Bytes first_stamp;
    Bytes after_set;  // entry 40 (board 7) once 08 has set the clock to 0x1000
  } cases[] = {
      {LogClock::Unset, {0x00, 0x00, 0xE0, 0x47}, {0x1E, 0x10, 0x00, 0x70}},
      {LogClock::Error, {0x00, 0x00, 0xC0, 0x47}, {0x00, 0x00, 0xC0, 0x77}},
  };
  for (const auto& c : cases) {
    TestModem modem(Log(40, 0, 2, c.clock));
    const Bytes first = EntryAt(modem.Ask({0x09, 0x00, 0x00}).value(), 0);
    ASSERT_EQ(first.size(), 6u);
    EXPECT_EQ(Bytes(first.begin(), first.begin() + 4), c.first_stamp);
    modem.Ask({0x08, 0x00, 0x10, 0x00, 0x00});
    modem.At(30);
    const Bytes later = EntryAt(modem.Ask({0x09, 0x28, 0x00}).value(), 0);
    ASSERT_EQ(later.size(), 6u);
    EXPECT_EQ(Bytes(later.begin(), later.begin() + 4), c.after_set);
  }
}

TEST(SimModemLog, WrongLengthsAndBatchCodesAreIgnored) {
  TestModem modem;
  for (const Bytes& request :
       {Bytes{0x09}, Bytes{0x09, 0xFF}, Bytes{0x09, 0xFF, 0x0F, 0x00},
        Bytes{0x09, 0xFF, 0xFF, 0x00}, Bytes{0x09, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
        Bytes{0x09, 0x00, 0x80}, Bytes{0x09, 0xFF, 0xEF}}) {
    EXPECT_EQ(modem.Ask(request), std::nullopt) << HexText(request);
    EXPECT_NE(modem.Note(request).find("ignored"), std::string::npos) << HexText(request);
  }
  EXPECT_EQ(EntryCount(modem.Ask({0x09, 0x00, 0x00}).value()), 1u) << "not cleared by 09 FF FF 00";
}

// Device 3: channel 1 transit, 2 off, 3 slave; termination board 2 and amplifier 8
// alone. Fifteen kinds of event, the cycle shifted by the ID.
TEST(SimModemLog, EventsFollowTheChannelModesAndTheBoardsFitted) {
  BoardSettings settings;
  settings.modem.modes = {ChannelMode::Transit, ChannelMode::Master, ChannelMode::Slave};
  settings.modem.enabled = {true, false, true};
  settings.termination[0].fitted = settings.termination[2].fitted = false;
  settings.amplifiers = {AmplifierSettings{.fitted = false}, AmplifierSettings{}};
  TestClock clock;
  const auto block = MakeBlockBehaviour(settings, 3, clock.Clock());
  const Bytes batch = block->BoardCommand(4, Bytes{0x09, 0x00, 0x40}).body.value();
  ASSERT_EQ(EntryCount(batch), 16u);
  const std::pair<int, int> expected[] = {{4, 0x4003}, {4, 0x4020}, {4, 0xC000}, {4, 0xC001},
                                          {4, 0xC008}, {4, 0xC020}, {4, 0xC080}, {6, 0x0000},
                                          {6, 0x0001}, {0xC, 0x02}, {0xC, 0x00}, {4, 0x0077},
                                          {4, 0x0000}, {4, 0x0001}, {4, 0x4002}, {4, 0x4003}};
  for (std::size_t i = 0; i < 16; ++i) {
    const Bytes entry = EntryAt(batch, i);
    EXPECT_EQ(std::make_pair(entry[3] >> 4, entry[4] | entry[5] << 8), expected[i]) << i;
  }
  // Each pass takes the next code of a kind: error ratio class 9 at entry 19.
  const Bytes next = EntryAt(block->BoardCommand(4, Bytes{0x09, 0x13, 0x00}).body.value(), 0);
  ASSERT_EQ(next.size(), 6u);
  EXPECT_EQ(next[4] | next[5] << 8, 0xC009);
}

}  // namespace
}  // namespace varnel::sim
