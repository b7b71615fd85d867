// Root block answers, byte for byte, and the requests it must leave unanswered.

#include <gtest/gtest.h>

#include "sim_emulator.h"

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
  const Outcome outcome = emulator.Handle(Bytes{0x00, 0x0F, 0xF0});
  ASSERT_TRUE(outcome.answer);
  EXPECT_EQ(*outcome.answer, (Bytes{0x80, 0x01, 0x00, 0x01, 0xC1, 0xEB, 0xEE, 0xEA, 0xF5}));
}

TEST(SimEmulator, NameGoesOutInWindows1251) {
  const Emulator emulator = MakeEmulator(7, "Ёж №3", 5);
  const Outcome outcome = emulator.Handle(Bytes{0x00, 0x0F, 0xF0});
  ASSERT_TRUE(outcome.answer);
  EXPECT_EQ(*outcome.answer,
            (Bytes{0x80, 0x07, 0x00, 0x05, 0xA8, 0xE6, 0x20, 0xB9, 0x33, 0xD6}));
}

TEST(SimEmulator, OpenBlockIsAnsweredOnlyForItsOwnId) {
  const Emulator emulator = MakeEmulator(12, "", 3);
  const Outcome own = emulator.Handle(Bytes{0x00, 0x0C, 0xF3});
  ASSERT_TRUE(own.answer);
  EXPECT_EQ(*own.answer, (Bytes{0x80, 0x0C, 0x00, 0x03, 0x70}));
  EXPECT_FALSE(emulator.Handle(Bytes{0x00, 0x01, 0xFE}).answer);
  EXPECT_FALSE(emulator.Handle(Bytes{0x00, 0x02, 0xFD}).answer);
}

TEST(SimEmulator, EveryIdAnswersWithOneAddressByte) {
  for (std::uint8_t id = 1; id <= 15; ++id) {
    const Emulator emulator = MakeEmulator(id, "A", 0);
    const Outcome outcome = emulator.Handle(Bytes{0x00, 0x0F, 0xF0});
    ASSERT_TRUE(outcome.answer) << "ID " << int(id);
    // Nibbles ID, 0 pack into the single byte ID; the body follows at once.
    EXPECT_EQ(outcome.answer->size(), 6u);
    EXPECT_EQ((*outcome.answer)[1], id);
    EXPECT_EQ((*outcome.answer)[2], 0x00) << "up-connection must be Ethernet";
    EXPECT_EQ((*outcome.answer)[4], 'A');
  }
}

TEST(SimEmulator, IgnoresMalformedRequests) {
  const Emulator emulator = MakeEmulator(1, "Блок", 1);
  const Outcome bad_checksum = emulator.Handle(Bytes{0x00, 0x0F, 0xF1});
  EXPECT_FALSE(bad_checksum.answer);
  EXPECT_NE(bad_checksum.note.find("checksum"), std::string::npos);
  // An answer-direction frame with a correct checksum.
  EXPECT_FALSE(emulator.Handle(Bytes{0x80, 0x0F, 0x70}).answer);
  EXPECT_FALSE(emulator.Handle(Bytes{}).answer);
  EXPECT_FALSE(emulator.Handle(Bytes{0xFF}).answer);
  // Two bytes that check to 0 but leave no address byte.
  EXPECT_FALSE(emulator.Handle(Bytes{0x00, 0xFF}).answer);
}

TEST(SimEmulator, LeavesCommandsAndProbesUnanswered) {
  const Emulator emulator = MakeEmulator(1, "Блок", 1);
  // Network settings read: ID, 0 then command 0x11 is not an identity request.
  EXPECT_FALSE(emulator.Handle(Bytes{0x00, 0x01, 0x11, 0xED}).answer);
  // Version request to the modem board.
  EXPECT_FALSE(emulator.Handle(Bytes{0x00, 0x41, 0x01, 0xBD}).answer);
  // Side probe of channel 2: nibbles 1, 2, 0, 15, 0.
  EXPECT_FALSE(emulator.Handle(Bytes{0x00, 0x21, 0xF0, 0x00, 0xED}).answer);
}

}  // namespace
}  // namespace varnel::sim
