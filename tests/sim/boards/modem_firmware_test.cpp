// A program written into the modem board: sessions, block acknowledgements,
// the endings a scenario asks for, the received image, and the restart that
// runs it.

#include "board_test_support.h"
#include "test_support.h"

namespace varnel::sim {
namespace {

Bytes Image(std::size_t n) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(i * 13 + 5);
  return b;
}

Bytes Block(std::uint8_t code, unsigned n, const Bytes& image) {
  const std::size_t from = std::min<std::size_t>(n * 256u, image.size());
  const std::size_t to = std::min<std::size_t>(from + 256, image.size());
  Bytes request(3 + to - from);
  request[0] = code;
  request[1] = static_cast<std::uint8_t>(n & 0xFF);
  request[2] = static_cast<std::uint8_t>(n >> 8 | 0x80);
  std::copy(image.begin() + from, image.begin() + to, request.begin() + 3);
  return request;
}

Bytes Acked(std::uint8_t code, unsigned n) {
  return {code, static_cast<std::uint8_t>(n & 0xFF), static_cast<std::uint8_t>(n >> 8 | 0x80)};
}

// The default board with its firmware settings changed.
template <typename Change>
ModemSettings Firmware(Change change) {
  ModemSettings settings;
  change(settings.firmware);
  return settings;
}

TEST(SimModemFirmware, ReceivesAndSavesTheImageBlockByBlock) {
  const TempDir dir;
  const std::string prefix = dir.Path() + "/image";
  TestModem modem(Firmware([&](ModemFirmwareSettings& f) { f.save_prefix = prefix; }));
  const Bytes image = Image(600);
  EXPECT_EQ(modem.Ask({0x02, 0x34, 0x12}), (Bytes{0x02, 0x34, 0x12}));
  EXPECT_EQ(modem.Ask(Block(0x02, 0, image)), Acked(0x02, 0));
  // The answer to block 0 was lost: the repeat is answered again, not stored twice.
  EXPECT_EQ(modem.Ask(Block(0x02, 0, image)), Acked(0x02, 0));
  EXPECT_EQ(modem.Ask(Block(0x02, 1, image)), Acked(0x02, 1));
  EXPECT_EQ(modem.Ask(Block(0x02, 2, image)), Acked(0x02, 2));
  EXPECT_EQ(FileBytes(prefix + ".mcu"), image);
  EXPECT_EQ(modem.Ask(Block(0x02, 2, image)), Acked(0x02, 2));  // its answer lost too
}

TEST(SimModemFirmware, AMultipleOf256EndsWithAnEmptyBlock) {
  TestModem modem;
  const Bytes image = Image(512);
  modem.Ask({0x03, 0x01, 0x00});
  EXPECT_EQ(modem.Ask(Block(0x03, 0, image)), Acked(0x03, 0));
  EXPECT_EQ(modem.Ask(Block(0x03, 1, image)), Acked(0x03, 1));
  const Bytes empty = Block(0x03, 2, image);
  EXPECT_EQ(empty.size(), 3u);
  const CommandReply last = modem.board.Handle(empty);
  EXPECT_EQ(last.body, Acked(0x03, 2));
  EXPECT_NE(last.note.find("FPGA program received in session 1: 512 bytes in 3 blocks"), std::string::npos);
}

TEST(SimModemFirmware, OutOfSequenceBlocksBreakTheSession) {
  TestModem modem;
  const Bytes image = Image(2000);
  // No session yet: nothing is taken.
  EXPECT_EQ(modem.Ask(Block(0x02, 0, image)), std::nullopt);
  modem.Ask({0x02, 0x05, 0x00});
  EXPECT_EQ(modem.Ask(Block(0x03, 0, image)), std::nullopt);  // the other kind has no session
  EXPECT_EQ(modem.Ask(Block(0x02, 0, image)), Acked(0x02, 0));
  EXPECT_EQ(modem.Ask(Block(0x02, 2, image)), Acked(0x02, 0x7FFE));
  EXPECT_EQ(modem.Ask(Block(0x02, 1, image)), std::nullopt);  // the session is over
  // A block longer than 256 bytes breaks it too.
  modem.Ask({0x02, 0x06, 0x00});
  Bytes tooLong = Block(0x02, 0, image);
  tooLong.push_back(0);
  EXPECT_EQ(modem.Ask(tooLong), Acked(0x02, 0x7FFE));
}

TEST(SimModemFirmware, EndingsTheScenarioAsksFor) {
  const Bytes image = Image(600);
  TestModem breaks(Firmware([](ModemFirmwareSettings& f) { f.break_at = 1; }));
  breaks.Ask({0x02, 0x01, 0x00});
  breaks.Ask(Block(0x02, 0, image));
  EXPECT_EQ(breaks.Ask(Block(0x02, 1, image)), Acked(0x02, 0x7FFE));

  TestModem stops(Firmware([](ModemFirmwareSettings& f) { f.stop_at = 1; }));
  stops.Ask({0x02, 0x01, 0x00});
  stops.Ask(Block(0x02, 0, image));
  EXPECT_EQ(stops.Ask(Block(0x02, 1, image)), Acked(0x02, 0x7FFF));
  EXPECT_EQ(stops.Ask(Block(0x02, 2, image)), std::nullopt);

  TestModem endsLast(Firmware([](ModemFirmwareSettings& f) { f.last_as_end = true; }));
  endsLast.Ask({0x02, 0x01, 0x00});
  EXPECT_EQ(endsLast.Ask(Block(0x02, 0, image)), Acked(0x02, 0));
  EXPECT_EQ(endsLast.Ask(Block(0x02, 1, image)), Acked(0x02, 1));
  EXPECT_EQ(endsLast.Ask(Block(0x02, 2, image)), Acked(0x02, 0x7FFF));
}

TEST(SimModemFirmware, RestartIsSilentThenRunsTheNewProgram) {
  TestModem modem(Firmware([](ModemFirmwareSettings& f) { f.restart_seconds = 5; }));
  // A restart with nothing received keeps the versions.
  EXPECT_EQ(modem.Ask({0x04}), std::nullopt);
  modem.At(5);
  EXPECT_EQ(modem.Ask({0x01}), (Bytes{0x01, 12, 3}));

  const Bytes image = Image(300);
  modem.Ask({0x02, 0x09, 0x00});
  modem.Ask(Block(0x02, 0, image));
  modem.Ask(Block(0x02, 1, image));
  EXPECT_EQ(modem.Ask({0x01}), (Bytes{0x01, 12, 3}));  // runs only after a restart
  EXPECT_EQ(modem.Ask({0x04}), std::nullopt);
  modem.At(9);
  EXPECT_EQ(modem.Ask({0x01}), std::nullopt);
  EXPECT_EQ(modem.Ask({0x02, 0x01, 0x00}), std::nullopt);
  modem.At(10);
  EXPECT_EQ(modem.Ask({0x01}), (Bytes{0x01, 13, 3}));
}

}  // namespace
}  // namespace varnel::sim
