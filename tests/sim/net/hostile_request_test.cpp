// Requests no program should send, yet one might: a board address with no
// command behind it, and a datagram as long as UDP carries.

#include <gtest/gtest.h>

#include "board_test_support.h"
#include "sim/boards/amplifier.h"
#include "sim/boards/power.h"
#include "sim/wire/checksum.h"
#include "test_support.h"

namespace varnel::sim {
namespace {

// The largest UDP payload over IPv4.
constexpr std::size_t kLargestDatagram = 65507;

Bytes Sealed(Bytes frame) {
  frame.push_back(FrameChecksum(frame));
  return frame;
}

TEST(SimHostile, EveryBoardLeavesARequestWithoutCommandUnanswered) {
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
  // Through the network, to every fitted board of the small scenario's root.
  const Emulator emulator(NetworksOrFail(std::string(
      "[root.r]\naddress=127.0.0.1\nid=1\nname=R\nap_slots=6,8\n")).at(0));
  for (std::uint8_t board : {0x04, 0x05, 0x06, 0x07, 0x0A, 0x0C, 0x0E}) {
    const Outcome outcome = emulator.Handle(Sealed({0x00, static_cast<std::uint8_t>(0x01 | board << 4)}));
    EXPECT_TRUE(outcome.answers.empty()) << int(board);
  }
}

TEST(SimHostile, TheLongestDatagramIsRoutedByItsAddressAlone) {
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
