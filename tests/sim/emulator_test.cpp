// Root block answers, byte for byte, and the requests it must leave unanswered.

#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace varnel::sim {
namespace {

Emulator MakeEmulator(std::uint8_t id, const std::string& name, std::uint8_t type) {
  std::string error;
  std::optional<Block> block = Block::Create({id, name, type}, error);
  EXPECT_EQ(error, "");
  return Emulator(std::move(block).value());
}

TEST(SimEmulator, BroadcastIdentityGetsRootAnswer) {
  const Emulator emulator = MakeEmulator(1, "Блок", 1);
  EXPECT_EQ(Frames(emulator.Handle(Bytes{0x00, 0x0F, 0xF0})),
            (std::vector<Bytes>{{0x80, 0x01, 0x00, 0x01, 0xC1, 0xEB, 0xEE, 0xEA, 0xF5}}));
}

TEST(SimEmulator, NameGoesOutInWindows1251) {
  const Emulator emulator = MakeEmulator(7, "Ёж №3", 5);
  EXPECT_EQ(Frames(emulator.Handle(Bytes{0x00, 0x0F, 0xF0})),
            (std::vector<Bytes>{{0x80, 0x07, 0x00, 0x05, 0xA8, 0xE6, 0x20, 0xB9, 0x33, 0xD6}}));
}

TEST(SimEmulator, OpenBlockIsAnsweredOnlyForItsOwnId) {
  const Emulator emulator = MakeEmulator(12, "", 3);
  EXPECT_EQ(Frames(emulator.Handle(Bytes{0x00, 0x0C, 0xF3})),
            (std::vector<Bytes>{{0x80, 0x0C, 0x00, 0x03, 0x70}}));
  EXPECT_TRUE(emulator.Handle(Bytes{0x00, 0x01, 0xFE}).answers.empty());
  EXPECT_TRUE(emulator.Handle(Bytes{0x00, 0x02, 0xFD}).answers.empty());
}

TEST(SimEmulator, EveryIdAnswersWithOneAddressByte) {
  for (std::uint8_t id = 1; id <= 15; ++id) {
    const Emulator emulator = MakeEmulator(id, "A", 0);
    const std::vector<Bytes> frames = Frames(emulator.Handle(Bytes{0x00, 0x0F, 0xF0}));
    ASSERT_EQ(frames.size(), 1u) << "ID " << int(id);
    // Nibbles ID, 0 pack into the single byte ID; the body follows at once.
    EXPECT_EQ(frames[0].size(), 6u);
    EXPECT_EQ(frames[0][1], id);
    EXPECT_EQ(frames[0][2], 0x00) << "up-connection must be Ethernet";
    EXPECT_EQ(frames[0][4], 'A');
  }
}

TEST(SimEmulator, LoneBlockHasADefaultModemBoard) {
  const Emulator emulator = MakeEmulator(1, "Блок", 1);
  // Versions: MCU 12, FPGA 3, behind the nibbles 1, 4.
  EXPECT_EQ(Frames(emulator.Handle(Bytes{0x00, 0x41, 0x01, 0xBD})),
            (std::vector<Bytes>{{0x80, 0x41, 0x01, 0x0C, 0x03, 0x2E}}));
}

TEST(SimEmulator, IgnoresMalformedRequests) {
  const Emulator emulator = MakeEmulator(1, "Блок", 1);
  const Outcome bad_checksum = emulator.Handle(Bytes{0x00, 0x0F, 0xF1});
  EXPECT_TRUE(bad_checksum.answers.empty());
  EXPECT_NE(bad_checksum.note.find("checksum"), std::string::npos);
  // An answer-direction frame with a correct checksum.
  EXPECT_TRUE(emulator.Handle(Bytes{0x80, 0x0F, 0x70}).answers.empty());
  EXPECT_TRUE(emulator.Handle(Bytes{}).answers.empty());
  EXPECT_TRUE(emulator.Handle(Bytes{0xFF}).answers.empty());
  // Two bytes that check to 0 but leave no address byte.
  EXPECT_TRUE(emulator.Handle(Bytes{0x00, 0xFF}).answers.empty());
}

TEST(SimEmulator, LeavesCommandsAndProbesUnanswered) {
  const Emulator emulator = MakeEmulator(1, "Блок", 1);
  // Network settings read: ID, 0 then command 0x11 is not an identity request.
  const Outcome command = emulator.Handle(Bytes{0x00, 0x01, 0x11, 0xED});
  EXPECT_TRUE(command.answers.empty());
  EXPECT_NE(command.note.find("device command 11"), std::string::npos) << command.note;
  // Request to the receive filter (0x08), a board no block has emulated.
  const Outcome board = emulator.Handle(Bytes{0x00, 0x81, 0x01, 0x7D});
  EXPECT_TRUE(board.answers.empty());
  EXPECT_NE(board.note.find("board 08 not fitted"), std::string::npos) << board.note;
  // Side probe of channel 2: nibbles 1, 2, 0, 15, 0; a lone root has nothing there.
  EXPECT_TRUE(emulator.Handle(Bytes{0x00, 0x21, 0xF0, 0x00, 0xED}).answers.empty());
}

}  // namespace
}  // namespace varnel::sim
