// A lone root block's answers, byte for byte, and the requests a block leaves
// unanswered: malformed frames, empty sides, boards without a command and a
// datagram as long as UDP carries.

#include <gtest/gtest.h>

#include "board_test_support.h"
#include "sim/boards/amplifier.h"
#include "sim/boards/power.h"
#include "test_support.h"

namespace varnel::sim {
namespace {

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
    EXPECT_EQ(Frames(Emulator(BlockOrFail(c.id, c.name, c.type)).Handle(c.request)), c.answers);
  }
}

TEST(SimEmulator, MalformedRequestsCommandsAndEmptySidesStaySilentWithANote) {
  const Emulator emulator(BlockOrFail(1, "Блок", 1));
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

// The network stops an empty command before any board; each board must still
// refuse one handed to it directly.
TEST(SimEmulator, EveryBoardLeavesARequestWithoutCommandUnanswered) {
  TestClock clock;
  ModemBoard modem({}, 1, clock.Clock());
  TerminationBoard termination({}, 1, 1, clock.Clock());
  AmplifierBoard amplifier({}, 0, false, clock.Clock());
  PowerBoard power;
  for (BoardEmulation* board : std::initializer_list<BoardEmulation*>{&modem, &termination, &amplifier, &power}) {
    const CommandReply reply = board->Handle(ByteView());
    EXPECT_FALSE(reply.body);
    EXPECT_EQ(reply.note, "no command, unanswered");
  }
}

TEST(SimEmulator, TheLongestDatagramIsRoutedByItsAddressAlone) {
  constexpr std::size_t kLargestDatagram = 65507;  // the largest UDP payload over IPv4
  const Emulator emulator(NetworksOrFail(std::string(
      "[root.r]\naddress=127.0.0.1\nid=1\nname=R\n"
      "[dev.a]\nmaster=r\nchannel=2\nup=1\nid=7\nname=A\n")).at(0));
  // A flash write of a's termination board 1 (address 5 behind send Route 1,2)
  // with a payload far too long: routed to that board, which refuses the
  // length, so nothing is answered and the note names the board.
  Bytes request{0x00, 0x21, 0x05, 0x10};
  request.resize(kLargestDatagram - 1, 0x5A);
  const Outcome flash = emulator.Handle(Sealed(request));
  EXPECT_TRUE(flash.answers.empty());
  EXPECT_EQ(flash.note.rfind("a (ID 7): ", 0), 0u) << flash.note.substr(0, 80);
  // No known address at all.
  Bytes nobody{0x00, 0x99};
  nobody.resize(kLargestDatagram - 1, 0x99);
  const Outcome lost = emulator.Handle(Sealed(nobody));
  EXPECT_TRUE(lost.answers.empty());
  EXPECT_EQ(lost.note.rfind("no device or board at .9.9.9", 0), 0u);
}

}  // namespace
}  // namespace varnel::sim
