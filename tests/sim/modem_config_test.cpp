// Modem board versions and configuration: the layouts of each MCU version range,
// defaults, and writes that change what the next read returns.

#include "modem_test_support.h"

namespace varnel::sim {
namespace {

TEST(SimModemConfig, VersionsAnswerCarriesMcuAndFpga) {
  TestModem modem(Version(8, 2));
  EXPECT_EQ(modem.Ask({0x01}), (Bytes{0x01, 0x08, 0x02}));
}

TEST(SimModemConfig, CommonAnswerHasAggregationFromVersion8) {
  // -2.4 dB = 6 steps of 0.4 in bits 1..6 (0x0C), -10.0 dB (50), -2.0 dB (10).
  TestModem v7(Version(7));
  EXPECT_EQ(v7.Ask({0x10}), (Bytes{0x10, 0x0C, 0x32, 0x0A}));
  TestModem v8(Version(8));
  EXPECT_EQ(v8.Ask({0x10}), (Bytes{0x10, 0x0C, 0x32, 0x0A, 0x00}));
}

TEST(SimModemConfig, ChannelAnswersAreSevenBytesUpToVersion10AndEightFrom11) {
  // Device 1: channel c sends at 100 + 40(c-1) kHz and receives 10 kHz higher;
  // modes master, slave, analog; the digital ones with EOC, noise margin 26 dB
  // (31 - 26 = 5 in bits 0..4); minimum rate 9.6 (96), maximum 24.0 (128 + 56).
  TestModem v8(Version(8));
  EXPECT_EQ(v8.Ask({0x11}), (Bytes{0x11, 0x64, 0x80, 0x6E, 0x00, 0xA5, 0x60}));
  EXPECT_EQ(v8.Ask({0x12}), (Bytes{0x12, 0x8C, 0x80, 0x96, 0x00, 0xE5, 0x60}));
  EXPECT_EQ(v8.Ask({0x13}), (Bytes{0x13, 0xB4, 0x80, 0xBE, 0x00, 0x05, 0x60}));
  TestModem v10(Version(10));
  EXPECT_EQ(v10.Ask({0x11}), (Bytes{0x11, 0x64, 0x80, 0x6E, 0x00, 0xA5, 0x60}));
  TestModem v11(Version(11));
  EXPECT_EQ(v11.Ask({0x11}), (Bytes{0x11, 0x64, 0x80, 0x6E, 0x00, 0xA5, 0x60, 0xB8}));
  EXPECT_EQ(v11.Ask({0x13}), (Bytes{0x13, 0xB4, 0x80, 0xBE, 0x00, 0x05, 0x60, 0xB8}));
}

TEST(SimModemConfig, DefaultsFollowTheSettingsAndTheDeviceId) {
  ModemSettings settings;
  settings.modes = {ChannelMode::Transit, ChannelMode::Analog, ChannelMode::Slave};
  settings.enabled = {true, false, true};
  // Device 7: frequencies 24 kHz up; transit without EOC is 0x40 | 5.
  TestModem modem(settings, 7);
  EXPECT_EQ(modem.Ask({0x11}), (Bytes{0x11, 0x7C, 0x80, 0x86, 0x00, 0x45, 0x60, 0xB8}));
  EXPECT_EQ(modem.Ask({0x12}), (Bytes{0x12, 0xA4, 0x00, 0xAE, 0x00, 0x05, 0x60, 0xB8}));
  EXPECT_EQ(modem.Ask({0x13}), (Bytes{0x13, 0xCC, 0x80, 0xD6, 0x00, 0xE5, 0x60, 0xB8}));
}

TEST(SimModemConfig, ChannelWriteIsAnsweredAndReadBack) {
  TestModem modem(Version(11));
  // TX 1000 kHz (0x3E8) enabled, RX 1023 kHz, transit with noise margin 21, rates.
  const Bytes write{0x12, 0xE8, 0x83, 0xFF, 0x03, 0x4A, 0x90, 0xC0};
  EXPECT_EQ(modem.Ask(write), write);
  EXPECT_EQ(modem.Ask({0x12}), write);
  // The other channels keep their configuration.
  EXPECT_EQ(modem.Ask({0x11}), (Bytes{0x11, 0x64, 0x80, 0x6E, 0x00, 0xA5, 0x60, 0xB8}));
}

TEST(SimModemConfig, ChannelWriteKeepsOnlyFrequencyAndEnableBits) {
  TestModem modem(Version(8));
  // Bits 2..6 of both high bytes set: the board keeps ten frequency bits.
  EXPECT_EQ(modem.Ask({0x11, 0x10, 0x7D, 0x20, 0xFE, 0xC0, 0x14}),
            (Bytes{0x11, 0x10, 0x01, 0x20, 0x02, 0xC0, 0x14}));
}

TEST(SimModemConfig, CommonWriteIsAnsweredAndReadBack) {
  TestModem modem(Version(8));
  // -25.2 dB (63 steps, 0x7E), -25.4 dB (127), -51.0 dB (255), channels 1, 2, 3 in TDM 1.
  const Bytes write{0x10, 0x7E, 0x7F, 0xFF, 0x03};
  EXPECT_EQ(modem.Ask(write), write);
  EXPECT_EQ(modem.Ask({0x10}), write);
  // Only two aggregation bits exist.
  EXPECT_EQ(modem.Ask({0x10, 0x00, 0x00, 0x00, 0x06}), (Bytes{0x10, 0x00, 0x00, 0x00, 0x02}));
}

TEST(SimModemConfig, WritesOfTheWrongLayoutAreIgnored) {
  TestModem v7(Version(7));
  EXPECT_EQ(v7.Ask({0x10, 0x02, 0x03, 0x04}), (Bytes{0x10, 0x02, 0x03, 0x04}));
  // Before version 8 there is no aggregation byte to write.
  EXPECT_EQ(v7.Ask({0x10, 0x06, 0x07, 0x08, 0x01}), std::nullopt);
  EXPECT_EQ(v7.Ask({0x10}), (Bytes{0x10, 0x02, 0x03, 0x04}));
  TestModem v8(Version(8));
  // The version-8 common write needs its aggregation byte.
  EXPECT_EQ(v8.Ask({0x10, 0x02, 0x03, 0x04}), std::nullopt);
  // A channel write with a maximum rate the version does not have.
  EXPECT_EQ(v8.Ask({0x11, 0x01, 0x80, 0x02, 0x00, 0x00, 0x10, 0x20}), std::nullopt);
  EXPECT_NE(v8.Note({0x11, 0x01, 0x80, 0x02, 0x00, 0x00, 0x10, 0x20}).find("MCU version 8"),
            std::string::npos);
  TestModem v11(Version(11));
  // And one without it to a version that has it.
  EXPECT_EQ(v11.Ask({0x13, 0x01, 0x80, 0x02, 0x00, 0x00, 0x10}), std::nullopt);
  EXPECT_EQ(v11.Ask({0x13, 0x01}), std::nullopt);
  // Nothing changed.
  EXPECT_EQ(v8.Ask({0x10}), (Bytes{0x10, 0x0C, 0x32, 0x0A, 0x00}));
  EXPECT_EQ(v8.Ask({0x11}), (Bytes{0x11, 0x64, 0x80, 0x6E, 0x00, 0xA5, 0x60}));
  EXPECT_EQ(v11.Ask({0x13}), (Bytes{0x13, 0xB4, 0x80, 0xBE, 0x00, 0x05, 0x60, 0xB8}));
}

}  // namespace
}  // namespace varnel::sim
