// Checksum and nibble packing as the block encodes them; a lone root block's answers,
// byte for byte, and the requests it leaves unanswered.

#include <gtest/gtest.h>

#include "sim/wire/checksum.h"
#include "test_support.h"

namespace varnel::sim {
namespace {

TEST(SimChecksum, MatchesHandComputedValues) {
  EXPECT_EQ(FrameChecksum(Bytes{}), 0xFF);
  EXPECT_EQ(FrameChecksum(Bytes(300, 0xFF)), 0x00);
  EXPECT_EQ(FrameChecksum(Bytes{0xFF, 0x01}), 0xFE);  // 0x100 folds back to 0x01
  EXPECT_EQ(FrameChecksum(Bytes{0x80, 0x01, 0x00, 0x01, 0xC1, 0xEB, 0xEE, 0xEA}), 0xF5);
}

TEST(SimNibbles, FirstNibbleGoesLowAndOddCountsArePadded) {
  EXPECT_EQ(PackNibbles({1, 2, 0, 15, 5}), (Bytes{0x21, 0xF0, 0x05}));
  EXPECT_EQ(PackNibbles({0x1F, 0x23}), (Bytes{0x3F}));  // only four bits each
  EXPECT_EQ(UnpackNibbles(Bytes{0x21, 0xF0}), (Nibbles{1, 2, 0, 15}));
}

Emulator MakeEmulator(std::uint8_t id, const std::string& name, std::uint8_t type) {
  std::string error;
  std::optional<Block> block = Block::Create({id, name, type}, error);
  EXPECT_EQ(error, "");
  return Emulator(std::move(block).value());
}

TEST(SimEmulator, RootAnswersIdentityAndItsModemBehindOneAddressByte) {
  struct Case {
    const char* what;
    std::uint8_t id;
    const char* name;
    std::uint8_t type;
    Bytes request;
    std::vector<Bytes> answers;
  };
  const Case cases[] = {
      {"broadcast", 1, "Блок", 1, {0x00, 0x0F, 0xF0},
       {{0x80, 0x01, 0x00, 0x01, 0xC1, 0xEB, 0xEE, 0xEA, 0xF5}}},
      {"name in Windows-1251", 7, "Ёж №3", 5, {0x00, 0x0F, 0xF0},
       {{0x80, 0x07, 0x00, 0x05, 0xA8, 0xE6, 0x20, 0xB9, 0x33, 0xD6}}},
      {"open by own ID", 12, "", 3, {0x00, 0x0C, 0xF3}, {{0x80, 0x0C, 0x00, 0x03, 0x70}}},
      {"open by another ID", 12, "", 3, {0x00, 0x02, 0xFD}, {}},
      {"ID 15 opens like a broadcast", 15, "", 3, {0x00, 0x0F, 0xF0},
       {{0x80, 0x0F, 0x00, 0x03, 0x6D}}},
      // Default modem, board 4: versions MCU 12, FPGA 3.
      {"modem versions", 1, "Блок", 1, {0x00, 0x41, 0x01, 0xBD},
       {{0x80, 0x41, 0x01, 0x0C, 0x03, 0x2E}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Frames(MakeEmulator(c.id, c.name, c.type).Handle(c.request)), c.answers);
  }
}

TEST(SimEmulator, MalformedRequestsCommandsAndEmptySidesStaySilentWithANote) {
  const Emulator emulator = MakeEmulator(1, "Блок", 1);
  const std::pair<Bytes, const char*> cases[] = {
      {{0x00, 0x0F, 0xF1}, "checksum"},
      {{0x80, 0x0F, 0x70}, "direction"},  // an answer with a correct checksum
      {{0x00, 0xFF}, "shorter"},  // checks to 0 but leaves no address byte
      // ID, 0 then a command is a device command, not an identity request.
      {{0x00, 0x01, 0x12, 0xEC}, "device command 12"},
      {{0x00, 0x81, 0x01, 0x7D}, "board 08 not fitted"},
      {{0x00, 0x41, 0xBE}, "board 04: no command"},  // the frame ends at the modem's address
      // Side probe of channel 2: nibbles 1, 2, 0, 15, 0.
      {{0x00, 0x21, 0xF0, 0x00, 0xED}, "nobody there"},
  };
  for (const auto& [request, note] : cases) {
    SCOPED_TRACE(HexText(request));
    const Outcome outcome = emulator.Handle(request);
    EXPECT_TRUE(outcome.answers.empty());
    EXPECT_NE(outcome.note.find(note), std::string::npos) << outcome.note;
  }
}

}  // namespace
}  // namespace varnel::sim
