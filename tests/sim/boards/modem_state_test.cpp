// Modem channel states: the short and long forms, what changes with time, resets and
// data loops. The clock starts at kNewYear2026, where the level triangle of channel c
// (0-based) is at phase 3c and the KO minute at second 0.

#include "board_test_support.h"

namespace varnel::sim {
namespace {

TEST(SimModemState, RateAndErrorRatioFollowTheVersion) {
  // Before version 11 the link runs at the minimum rate, 9.6 kbit/s (0x60); 6 errors a
  // minute are 1.04e-5 per bit, -10 log10 = 49.8, so 50 (0x32).
  TestModem v8({.mcu = 8});
  EXPECT_EQ(v8.Ask({0x15}), (Bytes{0x15, 0x60, 0x26, 0x60, 0x60, 0xD4, 0x00, 0x00, 0x32}));
  // Rate byte 0xFF: 25.5 kbit/s up to version 8, 12.8 + 127 x 0.2 = 38.2 from 9.
  // 0.1 errors a second: -10 log10 (0.1 / 25500) = 54.1, -10 log10 (0.1 / 38200) = 55.8.
  const Bytes write{0x11, 0x64, 0x80, 0x6E, 0x00, 0xA5, 0xFF};
  v8.Ask(write);
  EXPECT_EQ(v8.Ask({0x15})->at(3), 0xFF);
  EXPECT_EQ(v8.Ask({0x15})->at(8), 54);
  TestModem v10({.mcu = 10});
  v10.Ask(write);
  EXPECT_EQ(v10.Ask({0x15})->at(8), 56);
}

TEST(SimModemState, TransitChannelHasKoDataForThreeQuartersOfEachMinute) {
  ModemSettings settings;
  settings.modes[0] = ChannelMode::Transit;
  TestModem modem(settings);
  EXPECT_EQ(modem.Ask({0x15}), (Bytes{0x15, 0x63, 0x26}));
  modem.At(44);  // level phase 11 mod 8 = 3: 40 + 1
  EXPECT_EQ(modem.Ask({0x15}), (Bytes{0x15, 0x63, 0x29}));
  modem.At(45);
  EXPECT_EQ(modem.Ask({0x15}), (Bytes{0x15, 0x62, 0x29}));
  modem.At(60);  // level phase 15 mod 8 = 7: 40 - 1
  EXPECT_EQ(modem.Ask({0x15}), (Bytes{0x15, 0x63, 0x27}));
}

TEST(SimModemState, DisabledChannelHasNoSignalAndCountsNoErrors) {
  ModemSettings settings;
  settings.enabled = {false, true, false};
  settings.modes[2] = ChannelMode::Transit;
  TestModem modem(settings);
  modem.At(600);
  // No signal (bits 5..7 clear), level 255, the best error ratio with its "below" bit.
  EXPECT_EQ(modem.Ask({0x15}), (Bytes{0x15, 0x00, 0xFF, 0xB8, 0xB8, 0xD4, 0x00, 0x00, 0xDA}));
  // Transit without KO data. Channel 2 meanwhile counted 60 errors.
  EXPECT_EQ(modem.Ask({0x17}), (Bytes{0x17, 0x02, 0xFF}));
  EXPECT_EQ(modem.Ask({0x16})->at(6), 60);
  // Disabled by a write, a channel loses its signal too.
  TestModem written;
  written.Ask({0x11, 0x64, 0x00, 0x6E, 0x00, 0xA5, 0x60, 0xB8});
  EXPECT_EQ(written.Ask({0x15})->at(1), 0x00);
}

// From version 11 digital channels run at the maximum rate, 24.0 kbit/s (0xB8); noise
// margin 26 dB + 0.5 in eighths is 212 (0xD4); 6 errors a minute at 24 kbit/s is
// 4.17e-6 per bit, -10 log10 = 53.8, so 54 (0x36).
TEST(SimModemState, ErrorCountsGrowAtTheSetRateLittleEndianAndStopAt65535) {
  TestModem modem;
  modem.At(95);  // 9.5 errors at 6 a minute
  EXPECT_EQ(modem.Ask({0x15}), (Bytes{0x15, 0x60, 0x27, 0xB8, 0xB8, 0xD4, 0x09, 0x00, 0x36}));
  modem.At(2570);
  EXPECT_EQ(modem.Ask({0x16})->at(6), 0x01);  // 257
  EXPECT_EQ(modem.Ask({0x16})->at(7), 0x01);
  modem.At(700000);
  EXPECT_EQ(modem.Ask({0x15})->at(7), 0xFF);
  EXPECT_EQ(modem.Ask({0x15})->at(6), 0xFF);

  // No errors at all: no logarithm of zero, the best ratio instead.
  TestModem quiet({.errors_per_minute = 0});
  quiet.At(3000);
  EXPECT_EQ(quiet.Ask({0x15})->at(6), 0);
  EXPECT_EQ(quiet.Ask({0x15})->at(8), 0xDA);
}

TEST(SimModemState, ResetZeroesOneChannelsErrorsAndLoopsShowUntilCleared) {
  TestModem modem;
  modem.At(95);
  EXPECT_EQ(modem.Ask({0x14, 0x01}), (Bytes{0x14, 0x01}));
  EXPECT_EQ(modem.Ask({0x15})->at(6), 0);
  modem.At(155);
  EXPECT_EQ(modem.Ask({0x15})->at(6), 6);
  EXPECT_EQ(modem.Ask({0x16})->at(6), 15) << "channel 2 was not reset";
  EXPECT_EQ(modem.Ask({0x14, 0x02}), (Bytes{0x14, 0x02}));
  EXPECT_EQ(modem.Ask({0x16})->at(6), 0);
  // Loops for KO 1 and 3 set bit 3; 14 04 clears them all.
  EXPECT_EQ(modem.Ask({0x14, 0x05}), (Bytes{0x14, 0x05}));
  EXPECT_EQ(modem.Ask({0x16})->at(1), 0x60);
  modem.Ask({0x14, 0x07});
  EXPECT_EQ(modem.Ask({0x17})->at(1), 0x68);
  EXPECT_EQ(modem.Ask({0x15})->at(1), 0x68) << "setting one loop keeps the others";
  EXPECT_EQ(modem.Ask({0x14, 0x04}), (Bytes{0x14, 0x04}));
  EXPECT_EQ(modem.Ask({0x15})->at(1), 0x60);
  EXPECT_EQ(modem.Ask({0x17})->at(1), 0x60);
}

TEST(SimModemState, ReconfiguredDigitalChannelActivatesForTenSecondsAndKeepsItsCount) {
  TestModem modem({.mcu = 8});
  modem.At(95);
  // Channel 2 turns from slave into master; 9 errors so far.
  modem.Ask({0x12, 0x8C, 0x80, 0x96, 0x00, 0xA5, 0x60});
  modem.At(104);
  EXPECT_EQ(modem.Ask({0x16})->at(1), 0x40);
  modem.At(105);
  EXPECT_EQ(modem.Ask({0x16})->at(1), 0x60);
  modem.At(195);  // 9 + 100 s at 6 a minute
  EXPECT_EQ(modem.Ask({0x16})->at(6), 19);
  // Made analog, the channel answers in short form and its count stands still.
  modem.Ask({0x12, 0x8C, 0x80, 0x96, 0x00, 0x05, 0x60});
  EXPECT_EQ(modem.Ask({0x16}), (Bytes{0x16, 0x60, 0x38})) << "an analog channel does not activate";
  modem.At(205);
  modem.Ask({0x12, 0x8C, 0x80, 0x96, 0x00, 0xE5, 0x60});
  EXPECT_EQ(modem.Ask({0x16})->at(6), 19);
}

}  // namespace
}  // namespace varnel::sim
