// The flash of a termination board (command 10): the configuration record at
// 0xE0000, writes checked by CRC-8 and read back, requests of hostile lengths and
// addresses, the firmware descriptor at 0x7E000 and the restart (04) that brings up
// a new version on the test's clock. The CRC bytes below were computed apart from
// the emulator.

#include "board_test_support.h"

namespace varnel::sim {
namespace {

Bytes Joined(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Default board, device 1, slot 1: RS-232 packets, far end, service 10 (1000 bit/s),
// 9600 async, options 0x86 (codec 8.0, echo canceller on module 1 with the voice
// channel, PoE off), modules 7 (tone), 9, 13 (0 dB both ways), 192.168.1.11/24 via
// 192.168.1.1.
const Bytes kSetLow = {0x1F, 0x1F, 0x00, 0x00, 0x0A, 0x04, 0x86, 0x00,
                       0x02, 0x1F, 0xFF, 0x1F, 0x00, 0x1F, 0xFF, 0x1F};
const Bytes kSetHigh = {0x9A, 0xA0, 0xFF, 0x1F, 0xC0, 0xA8, 0x01, 0x0B,
                        0xFF, 0xFF, 0xFF, 0x00, 0xC0, 0xA8, 0x01, 0x01};
const Bytes kErased16(16, 0xFF);

TEST(SimTerminationFlash, ConfigurationRecordReadsSetOrErased) {
  const struct {
    const char* what;
    TerminationSettings settings;
    std::uint8_t device;
    unsigned slot;
    Bytes answer;
  } cases[] = {
      {"set", {}, 1, 1, Joined({{0x10, 0x0E, 0x00, 0x00}, kSetLow, kSetHigh, {0x57}})},
      {"erased", {.config_erased = true}, 1, 1,
       Joined({{0x10, 0x0E, 0x00, 0x00}, kErased16, kErased16, {0x4F}})},
      // Analog, 6400, voice on modules 1 and 2 (echo bits 2, 3; the second voice
      // subchannel cleared in analog mode), PoE on, service 800; modules none, 13, 9;
      // device 3, slot 2.
      {"set, analog board",
       {.modules = {0, 13, 9}, .analog = true, .voice_modules = {1, 2}, .codec_8000 = false,
        .service_rate = 800, .poe = PoeState::Load},
       3, 2,
       {0x10, 0x0E, 0x00, 0x00, 0x1F, 0x1F, 0x00, 0x00, 0x08, 0x04, 0x0D, 0x00, 0x1F, 0x1F,
        0xFF, 0x1F, 0x9A, 0xA0, 0xFF, 0x1F, 0x00, 0x1F, 0xFF, 0x1F, 0xC0, 0xA8, 0x03, 0x0C,
        0xFF, 0xFF, 0xFF, 0x00, 0xC0, 0xA8, 0x03, 0x01, 0xAE}},
  };
  for (const auto& c : cases) {
    TestTermination board(c.settings, c.device, c.slot);
    EXPECT_EQ(board.Ask({0x10, 0x0E, 0x00, 0x00, 0x07}), c.answer) << c.what;  // all 32 bytes
  }
}

// 16 bytes at 0x10000 with their CRC-8; a read answers the same bytes.
const Bytes kWrite = Joined({{0x10, 0x00, 0x01, 0x00},
                             {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA,
                              0xAB, 0xAC, 0xAD, 0xAE, 0xAF},
                             {0x3D}});

TEST(SimTerminationFlash, WriteWithItsCrcIsStoredAndReadBackTheLastBlockBitOnlyEchoed) {
  const Bytes rising = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77,
                        0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
  const struct {
    const char* what;
    Bytes write;
    Bytes ack;
    Bytes read;
    Bytes answer;
  } cases[] = {
      {"0x10000", kWrite, {0x10, 0x00, 0x01, 0x00, 0x3D}, {0x10, 0x00, 0x01, 0x00, 0x03}, kWrite},
      // The second half of the configuration record, sent last.
      {"0xE0010, last", Joined({{0x10, 0x8E, 0x00, 0x10}, rising, {0x37}}),
       {0x10, 0x8E, 0x00, 0x10, 0x37}, {0x10, 0x0E, 0x00, 0x10, 0x03},
       Joined({{0x10, 0x0E, 0x00, 0x10}, rising, {0x06}})},
      // 0x800000 would lie past the flash.
      {"0x00000, last", {0x10, 0x80, 0x00, 0x00, 0xC1, 0xC2, 0xC3, 0xC4, 0x71},
       {0x10, 0x80, 0x00, 0x00, 0x71}, {0x10, 0x00, 0x00, 0x00, 0x00},
       {0x10, 0x00, 0x00, 0x00, 0xC1, 0xC2, 0xC3, 0xC4, 0xE6}},
  };
  TestTermination board;
  for (const auto& c : cases) {
    EXPECT_EQ(board.Ask(c.write), c.ack) << c.what;
    EXPECT_EQ(board.Ask(c.read), c.answer) << c.what;
  }
  // The bytes either side of the first write are still erased.
  EXPECT_EQ(board.Ask({0x10, 0x00, 0xFF, 0xFC, 0x00})->at(7), 0xFF);
  EXPECT_EQ(board.Ask({0x10, 0x00, 0x01, 0x10, 0x00})->at(4), 0xFF);
}

TEST(SimTerminationFlash, WriteWithAWrongCrcGetsTheComputedOneAndIsNotStored) {
  Bytes crc_off = kWrite;
  crc_off.back() = 0x3C;
  Bytes changed = kWrite;
  changed[4] = 0x00;  // 0xA0 was meant
  TestTermination board;
  EXPECT_EQ(board.Ask(crc_off), (Bytes{0x10, 0x00, 0x01, 0x00, 0x3D}));
  EXPECT_EQ(board.Ask(changed), (Bytes{0x10, 0x00, 0x01, 0x00, 0x6D}));
  EXPECT_EQ(board.Ask({0x10, 0x00, 0x01, 0x00, 0x03}),
            Joined({{0x10, 0x00, 0x01, 0x00}, kErased16, {0x70}}));
}

TEST(SimTerminationFlash, HostileLengthsAndAddressesGoUnanswered) {
  const Bytes past_end = Joined({{0x10, 0x0F, 0xFF, 0xFC}, Bytes(8, 0x55), {0x27}});
  const Bytes unit_too_many = Joined({{0x10, 0x00, 0x00, 0x00}, Bytes(1028, 0), {0x00}});
  const Bytes huge = Joined({{0x10, 0x00, 0x00, 0x00}, Bytes(65000, 0)});
  const struct {
    const char* what;
    Bytes request;
  } silent[] = {
      {"command alone", {0x10}},
      {"two bytes", {0x10, 0x00}},
      {"address cut short", {0x10, 0x00, 0x00}},
      {"address without length", {0x10, 0x00, 0x00, 0x00}},
      {"one data byte", {0x10, 0x00, 0x00, 0x00, 0xAB, 0x00}},
      {"three data bytes", {0x10, 0x00, 0x00, 0x00, 0xAB, 0xAB, 0xAB, 0x00}},
      {"read of 8 from 0xFFFFC", {0x10, 0x0F, 0xFF, 0xFC, 0x01}},
      {"read at 0x100000", {0x10, 0x10, 0x00, 0x00, 0x00}},
      {"read at 0xFFFFFF of 1024", {0x10, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"write of 8 from 0xFFFFC", past_end},
      {"write at 0x7FFFFC, last block", {0x10, 0xFF, 0xFF, 0xFC, 0xE1, 0xE2, 0xE3, 0xE4, 0x37}},
      {"block of 1028", unit_too_many},
      {"65004 bytes", huge},
  };
  TestTermination board;
  for (const auto& c : silent) {
    const CommandReply reply = board.board.Handle(c.request);
    EXPECT_FALSE(reply.body) << c.what;
    EXPECT_NE(reply.note.find("no answer"), std::string::npos) << reply.note;
    EXPECT_LT(reply.note.size(), 200u) << c.what;
  }
  // Nothing of the refused write landed; the last four bytes still take one.
  EXPECT_EQ(board.Ask({0x10, 0x0F, 0xFF, 0xFC, 0x00}),
            (Bytes{0x10, 0x0F, 0xFF, 0xFC, 0xFF, 0xFF, 0xFF, 0xFF, 0x18}));
  EXPECT_EQ(board.Ask({0x10, 0x0F, 0xFF, 0xFC, 0xE1, 0xE2, 0xE3, 0xE4, 0x73}),
            (Bytes{0x10, 0x0F, 0xFF, 0xFC, 0x73}));
  EXPECT_EQ(board.Ask({0x10, 0x0F, 0xFF, 0xFC, 0x00}),
            (Bytes{0x10, 0x0F, 0xFF, 0xFC, 0xE1, 0xE2, 0xE3, 0xE4, 0x73}));
  // The longest read: 1024 erased bytes from 0.
  EXPECT_EQ(board.Ask({0x10, 0x00, 0x00, 0x00, 0xFF}),
            Joined({{0x10, 0x00, 0x00, 0x00}, Bytes(1024, 0xFF), {0xC0}}));
}

TEST(SimTerminationFlash, MemoryIsTakenOnlyForPagesWritten) {
  FlashMemory flash;
  EXPECT_EQ(flash.BytesHeld(), 0u);
  EXPECT_EQ(flash.Read(0xFFFFF, 1), (Bytes{0xFF}));
  EXPECT_TRUE(flash.Write(0x0FFE, Bytes{1, 2, 3, 4}));  // across a page boundary
  EXPECT_EQ(flash.BytesHeld(), 2u * 4096);
  EXPECT_EQ(flash.Read(0x0FFD, 6), (Bytes{0xFF, 1, 2, 3, 4, 0xFF}));
  EXPECT_FALSE(flash.Write(0xFFFFF, Bytes{1, 2}));
  EXPECT_EQ(flash.Read(0xFFFFF, 2), Bytes{});
  EXPECT_EQ(flash.BytesHeld(), 2u * 4096);
}

// Two blocks of 512 bytes, i x 7 + 3; CRC-16 0x4759 (0x50DD over the first alone).
Bytes ImageBlock(unsigned block) {
  Bytes request{0x10, 0x00, static_cast<std::uint8_t>(2 * block), 0x00};
  for (unsigned i = 512 * block; i < 512 * (block + 1); ++i) {
    request.push_back(static_cast<std::uint8_t>(i * 7 + 3));
  }
  request.push_back(block == 0 ? 0xFC : 0x92);
  return request;
}

// A 16-byte descriptor block at 0x7E000, last block: version, 0, blocks, 0, 0, CRC-16.
Bytes Descriptor(const char (&version)[4], std::uint16_t blocks, std::uint16_t crc,
                 std::uint8_t block_crc) {
  auto byte = [](auto value) { return static_cast<std::uint8_t>(value); };
  Bytes request{0x10, 0x87, 0xE0, 0x00, byte(version[0]), byte(version[1]), byte(version[2]),
                0x00, byte(blocks >> 8), byte(blocks), 0x00, 0x00, byte(crc >> 8), byte(crc)};
  request.resize(20, 0x00);
  request.push_back(block_crc);
  return request;
}

TEST(SimTerminationFlash, RestartRunsTheNewVersionOnlyWhenTheImageChecksOut) {
  const struct {
    const char* what;
    Bytes descriptor;
    const char* note;
    std::uint8_t major, minor;
  } cases[] = {
      {"digits", Descriptor("210", 2, 0x4759, 0xDE), "checks out", 2, 10},
      {"with a dot", Descriptor("2.4", 2, 0x4759, 0x69), "checks out", 2, 4},
      {"wrong CRC-16", Descriptor("210", 2, 0x4758, 0xE3), "CRC-16 0x4759", 2, 3},
      {"one block", Descriptor("210", 1, 0x4759, 0xB8), "CRC-16 0x50DD", 2, 3},
      {"no blocks", Descriptor("210", 0, 0x4759, 0x6D), "0 blocks do not fit", 2, 3},
      {"into the descriptor", Descriptor("210", 1009, 0x4759, 0xEE), "1009 blocks do not fit", 2,
       3},
      {"version unreadable", Descriptor("2x1", 2, 0x4759, 0x1D), "\"2x1\"", 2, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TestTermination board;
    ASSERT_EQ(board.Ask(ImageBlock(0)), (Bytes{0x10, 0x00, 0x00, 0x00, 0xFC}));
    ASSERT_EQ(board.Ask(ImageBlock(1)), (Bytes{0x10, 0x00, 0x02, 0x00, 0x92}));
    const CommandReply written = board.board.Handle(c.descriptor);
    EXPECT_EQ(written.body, (Bytes{0x10, 0x87, 0xE0, 0x00, c.descriptor.back()}));
    EXPECT_NE(written.note.find(c.note), std::string::npos) << written.note;
    EXPECT_FALSE(board.Ask({0x04}));
    board.clock.At(3);
    // Back with no uptime yet.
    EXPECT_EQ(board.Ask({0x01}), (Bytes{0x01, c.major, c.minor, 0x07, 0x09, 0x0D, 0x10, 0x11,
                                       0, 0, 0, 0, 0, 0, 0, 0}));
  }
}

TEST(SimTerminationFlash, ImageChangedAfterTheDescriptorKeepsTheOldVersion) {
  TestTermination board;
  board.Ask(ImageBlock(0));
  board.Ask(ImageBlock(1));
  ASSERT_EQ(board.Ask(Descriptor("210", 2, 0x4759, 0xDE))->back(), 0xDE);
  Bytes other = ImageBlock(0);
  other[4] = 0x04;  // was 0x03; its CRC-8 follows
  other.back() = 0x7A;
  ASSERT_EQ(board.Ask(other), (Bytes{0x10, 0x00, 0x00, 0x00, 0x7A}));
  const std::string note = board.Note({0x04});
  EXPECT_NE(note.find("firmware image bad"), std::string::npos) << note;
  EXPECT_NE(note.find("runs version 2.3"), std::string::npos) << note;
  board.clock.At(3);
  EXPECT_EQ(board.Ask({0x01})->at(2), 3);
}

TEST(SimTerminationFlash, RestartIsSilentForItsTimeOnTheClock) {
  const struct {
    const char* what;
    std::optional<unsigned> configured;
    unsigned seconds;
  } cases[] = {{"default", std::nullopt, 3}, {"ten", 10, 10}, {"none", 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TerminationSettings settings;
    if (c.configured) settings.restart_seconds = *c.configured;
    TestTermination board(settings);
    board.clock.At(50);
    EXPECT_FALSE(board.Ask({0x04, 0x00})) << "04 takes no argument";
    EXPECT_TRUE(board.Ask({0x01}));
    EXPECT_FALSE(board.Ask({0x04}));
    if (c.seconds > 0) {
      board.clock.At(50 + c.seconds - 1);
      EXPECT_FALSE(board.Ask({0x01}));
      EXPECT_FALSE(board.Ask({0x10, 0x0E, 0x00, 0x00, 0x03}));
      EXPECT_FALSE(board.Ask({0x07, 0x55}));
    }
    board.clock.At(50 + c.seconds + 7);
    // Seven seconds up, still at 2.3; the flash kept the record.
    EXPECT_EQ(board.Ask({0x01}), (Bytes{0x01, 0x02, 0x03, 0x07, 0x09, 0x0D, 0x10, 0x11, 0, 0,
                                       0, 7, 0, 0, 0, 0}));
    EXPECT_EQ(board.Ask({0x10, 0x0E, 0x00, 0x00, 0x03}),
              Joined({{0x10, 0x0E, 0x00, 0x00}, kSetLow, {0xA5}}));
  }
}

}  // namespace
}  // namespace varnel::sim
