#include "boards/termination/config_record.h"

#include <gtest/gtest.h>

#include <tuple>

#include "boards/termination/config_validation.h"

using namespace varnel;

namespace {

using Types = std::array<std::uint8_t, 3>;
constexpr Types k4W_FO_FS = {13, 7, 9};

// Every byte and bit in use, and set bits beside the fields.
constexpr ConfigBytes kRecord = {0x5A, 0xA5, 0x07, 0xA2, 0x0A, 0x24, 0x5A, 0xCB,  // 0..7
                                 0x3D, 0xA0, 0xFE, 0x33,                          // 4W01: rx 5, АДАСЭ, locked
                                 0xF3, 0x44, 0x81, 0x00,                          // FO: -7, tone
                                 0x01, 0x1F, 0xFF, 0x1F,                          // FS: -7
                                 10,   0,    1,    2,    255,  255,  255,  0,    10, 0, 1, 1};

TerminationConfig Decode(const ConfigBytes& bytes, const Types& types = k4W_FO_FS) {
  return DecodeTerminationConfig(bytes, types).value();
}

ConfigBytes With(ConfigBytes b, std::size_t at, std::uint8_t v) {
  b[at] = v;
  return b;
}

// Every setting changed to another valid value.
void ChangeEverything(TerminationConfig& c) {
  c.stream = !c.stream;
  c.streamRate = c.streamRate == 3 ? 4 : 3;
  for (bool& on : c.alarmChannels) on = !on;
  c.transparentEthernet = !c.transparentEthernet;
  c.serviceWidth = c.serviceWidth == 300 ? 400 : 300;
  c.rsRate = (c.rsRate + 1) % 3, c.rsParity = (c.rsParity + 1) % 3, c.rsCodeIndependent = !c.rsCodeIndependent;
  c.analogMode = !c.analogMode, c.codec8k = !c.codec8k, c.ethernetBlocked = !c.ethernetBlocked;
  c.twoVoiceChannels = !c.twoVoiceChannels, c.poeEnabled = !c.poeEnabled, c.limiter = !c.limiter;
  for (bool& on : c.echoCanceller) on = !on;
  c.bandSplit = (c.bandSplit + 1) % 6;
  for (ModuleSettings& m : c.modules) {
    m.txLevel = m.type == 13 ? (m.txLevel + 1) % 16 : 1 - m.txLevel;
    m.rxLevel = (m.rxLevel + 1) % 16, m.mode = 1 - m.mode, m.locked = !m.locked;
  }
  c.ip = "1.2.3.4", c.mask = "255.0.0.0", c.gateway = "1.2.3.1";
}

}  // namespace

TEST(ConfigRecord, DecodesEveryFieldAndWritesTheSameBytesBack) {
  const TerminationConfig c = Decode(kRecord);
  EXPECT_EQ(std::tuple(c.stream, c.streamRate, c.alarmChannels, c.transparentEthernet, c.serviceWidth),
            std::tuple(true, 7, std::array{false, true, false}, false, 1000));
  EXPECT_EQ(std::tuple(c.rsRate, c.rsParity, c.rsCodeIndependent), std::tuple(4, 2, false));
  EXPECT_EQ(std::tuple(c.analogMode, c.codec8k, c.echoCanceller, c.ethernetBlocked, c.twoVoiceChannels, c.poeEnabled),
            std::tuple(false, true, std::array{false, true, true}, false, true, true));
  EXPECT_EQ(std::tuple(c.bandSplit, c.limiter), std::tuple(3, true));
  const auto module = [&](int n) {
    const ModuleSettings& m = c.modules[n];
    return std::tuple(int{m.type}, m.txLevel, m.rxLevel, m.mode, m.locked);
  };
  EXPECT_EQ(module(0), std::tuple(13, 9, 5, 1, true));
  EXPECT_EQ(module(1), std::tuple(7, 1, 0, 1, false));
  EXPECT_EQ(module(2), std::tuple(9, 1, 0, 0, false));
  EXPECT_EQ(std::tuple(c.ip, c.mask, c.gateway), std::tuple("10.0.1.2", "255.255.255.0", "10.0.1.1"));
  EXPECT_EQ(EncodeTerminationConfig(c, 2, 9), kRecord);
  // From firmware 2.10 stream mode is written as 1.
  EXPECT_EQ(EncodeTerminationConfig(c, 2, 10), With(kRecord, 2, 0x01));
  EXPECT_EQ(EncodeTerminationConfig(c, 3, 0), With(kRecord, 2, 0x01));
}

TEST(ConfigRecord, EditedSettingsGiveExactBytes) {
  TerminationConfig c = Decode(kRecord);
  c.stream = false, c.streamRate = 0;
  c.alarmChannels = {true, false, false}, c.transparentEthernet = true;
  c.serviceWidth = 6400;
  c.rsCodeIndependent = true, c.rsRate = 2, c.rsParity = 0;
  c.analogMode = true, c.codec8k = false, c.echoCanceller = {true, false, false}, c.ethernetBlocked = true;
  c.poeEnabled = false;  // two voice subchannels stay selected but analog mode has none
  c.bandSplit = 5, c.limiter = false;
  c.modules[0].txLevel = 15, c.modules[0].rxLevel = 10, c.modules[0].mode = 0, c.modules[0].locked = false;
  c.modules[1].txLevel = 0, c.modules[1].mode = 0, c.modules[1].locked = true;
  c.modules[2].txLevel = 0, c.modules[2].locked = true;
  c.ip = "192.168.001.010", c.mask = "255.255.0.0", c.gateway = "192.168.1.1";
  const ConfigBytes expected = {0x5A, 0xA5, 0x00, 0xA9, 0x40, 0x82, 0xA5, 0x4D, 0xB2, 0x40, 0xFF,
                                0x33, 0xF0, 0x44, 0x80, 0x00, 0x00, 0x1F, 0xFE, 0x1F, 192,  168,
                                1,    10,   255,  255,  0,    0,    192,  168,  1,    1};
  EXPECT_EQ(EncodeTerminationConfig(c, 2, 9), expected);
}

TEST(ConfigRecord, ErasedFlashGivesTheDefaults) {
  ConfigBytes erased;
  erased.fill(0xFF);
  const TerminationConfig c = Decode(erased, {13, 9, 7});
  EXPECT_EQ(std::tuple(c.serviceWidth, c.transparentEthernet, c.alarmChannels, c.stream, c.streamRate),
            std::tuple(200, false, std::array{true, true, true}, true, 255));
  EXPECT_EQ(std::tuple(c.rsCodeIndependent, c.rsRate, c.rsParity), std::tuple(true, 0, 0));
  EXPECT_EQ(std::tuple(c.analogMode, c.codec8k, c.twoVoiceChannels, c.poeEnabled, c.ethernetBlocked),
            std::tuple(true, true, true, false, false));
  EXPECT_EQ(std::tuple(c.bandSplit, c.limiter), std::tuple(5, true));
  EXPECT_EQ(std::tuple(c.modules[0].txLevel, c.modules[0].rxLevel, c.modules[0].mode), std::tuple(0, 15, 1));
  EXPECT_EQ(std::tuple(c.ip, c.mask, c.gateway), std::tuple("192.168.1.254", "255.255.0.0", "192.168.0.1"));
  // Written as shown: Ethernet unblocked, the default addresses, no voice subchannels in analog mode.
  const ConfigBytes expected = {0xFF, 0xFF, 0x01, 0xF7, 0x02, 0x80, 0x9F, 0xFD, 0xFF, 0xB8, 0xFF,
                                0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 192,  168,
                                1,    254,  255,  255,  0,    0,    192,  168,  0,    1};
  EXPECT_EQ(EncodeTerminationConfig(c, 2, 10), expected);
}

TEST(ConfigRecord, BitsNoSettingCoversSurviveAnyEdit) {
  // 1 where no setting writes: reserved bytes, bits 4..7 of byte 3, bits 3..6 of byte 7, module bytes by type.
  const ConfigBytes common = {0xFF, 0xFF, 0, 0xF0, 0, 0, 0, 0x78};
  const std::tuple<Types, std::array<std::uint8_t, 12>> layouts[] = {
      {k4W_FO_FS, {0x60, 0x00, 0xFE, 0xFF, 0xFC, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF}},
      {{0, 5, 15}, {0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF}}};
  std::array<ConfigBytes, 4> images{};  // 0x00, erased, 0x5A, kRecord
  images[1].fill(0xFF), images[2].fill(0x5A), images[3] = kRecord;
  for (const auto& [types, modules] : layouts) {
    ConfigBytes mask{};
    std::copy(common.begin(), common.begin() + 8, mask.begin());
    std::copy(modules.begin(), modules.end(), mask.begin() + 8);
    for (const ConfigBytes& image : images) {
      TerminationConfig c = Decode(image, types);
      ChangeEverything(c);
      const ConfigBytes out = EncodeTerminationConfig(c, 2, 9);
      for (std::size_t i = 0; i < kConfigBytes; ++i) EXPECT_EQ(out[i] & mask[i], image[i] & mask[i]) << i;
    }
  }
}

TEST(ConfigRecord, ValuesWithoutAListEntryAndLengths) {
  EXPECT_FALSE(DecodeTerminationConfig(ByteView(kRecord).first(31), k4W_FO_FS));
  EXPECT_FALSE(DecodeTerminationConfig(Bytes(33, 0), k4W_FO_FS));
  // Rate 11 has no entry and is kept; 13 reads as 0. Parity is bits 4..6, also in code-independent mode.
  EXPECT_EQ(EncodeTerminationConfig(Decode(With(kRecord, 5, 0x0B)), 2, 9)[5], 0x0B);
  EXPECT_EQ(Decode(With(kRecord, 5, 0x0D)).rsRate, 0);
  const TerminationConfig ci = Decode(With(kRecord, 5, 0xA1));
  EXPECT_EQ(std::tuple(ci.rsCodeIndependent, ci.rsParity, ci.rsRate), std::tuple(true, 2, 1));
  // Bit 4 of a 4W01 module's first byte is always written.
  EXPECT_EQ(EncodeTerminationConfig(Decode(With(kRecord, 8, 0x00)), 2, 9)[8], 0x10);
  EXPECT_EQ(Decode(With(kRecord, 4, 0x00)).serviceWidth, 100);
  EXPECT_EQ(Decode(With(kRecord, 4, 0x41)).serviceWidth, 6400);
  EXPECT_EQ(Decode(With(kRecord, 4, 0xFF)).serviceWidth, 200);
  // Transparent mode never reads together with a blocked Ethernet.
  EXPECT_FALSE(Decode(With(With(kRecord, 3, 0x08), 6, 0x20)).transparentEthernet);
  EXPECT_TRUE(Decode(With(kRecord, 3, 0x08)).transparentEthernet);
  // No selection keeps what the board has.
  TerminationConfig c = Decode(With(With(kRecord, 9, 0xA5), 5, 0x5B));
  EXPECT_EQ(c.modules[0].txLevel, 8);
  c.modules[0].txLevel = kNoSelection, c.modules[0].rxLevel = kNoSelection, c.rsRate = kNoSelection;
  c.modules[0].mode = 0;
  const ConfigBytes out = EncodeTerminationConfig(c, 2, 9);
  EXPECT_EQ(std::tuple(out[8], out[9], out[5]), std::tuple(0x39, 0xA5, 0x0B));
}

TEST(ConfigRecord, TransmitLevelCodes) {
  const std::uint8_t table[16] = {0xB8, 0xB7, 0xB6, 0xB5, 0xB4, 0xB3, 0xB2, 0xB1,
                                  0xB0, 0xA0, 0x90, 0x80, 0x70, 0x60, 0x50, 0x40};
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(TxLevelCode(i), table[i]);
    EXPECT_EQ(TxLevelIndex(table[i]), i);
  }
  const std::pair<std::uint8_t, int> between[] = {{0xFF, 0},  {0xB9, 0},  {0xA5, 8}, {0x41, 14},
                                                  {0x3F, 15}, {0x30, 16}, {0x00, 19}};
  for (const auto& [code, index] : between) EXPECT_EQ(TxLevelIndex(code), index) << int{code};
  EXPECT_EQ(TxLevelCode(19), 0x00);
  EXPECT_FALSE(TxLevelCode(20));
  EXPECT_FALSE(TxLevelCode(kNoSelection));
}

TEST(ConfigValidation, MessagesAreCollected) {
  const std::string m1 = "Сначала считайте конфигурацию.\r";
  const std::string m2 = "\r• Режим СК \"Авария от каналов 1..3\"\r    поддерживается только платой канала 1.";
  const std::string m3 = "Модуль 3 : невозможно установить режим \"АДАСЭ\"";
  TerminationConfig valid = Decode(kRecord, {13, 13, 7});
  valid.modules[0].mode = 1, valid.modules[1].mode = 1, valid.modules[2].mode = 1;  // allowed there
  TerminationConfig adase = valid;
  adase.modules[2].type = 13;
  TerminationConfig all = adase;
  all.ip = "1.2.3", all.mask = "255.255.0", all.gateway = "gw";
  const std::tuple<const TerminationConfig*, ConfigWriteContext, std::string> cases[] = {
      {&valid, {true, 1, 2, 0}, ""},
      {&valid, {true, 3, 1, 7}, ""},  // no alarm contact group before 1.8
      {&valid, {false, 1, 2, 0}, m1},
      {&valid, {true, 2, 1, 8}, m2},
      {&adase, {true, 1, 2, 0}, m3},
      {&adase, {false, 1, 2, 0}, m1 + m3},
      {&adase, {true, 2, 2, 0}, m2 + "\r" + m3},
      {&all, {false, 3, 2, 0}, m1 + m2 + "\r" + m3 + "\rIP адрес 1.2.3\rМаска подсети 255.255.0\rIP адрес шлюза gw"},
  };
  for (const auto& [config, context, error] : cases) {
    EXPECT_EQ(ValidateTerminationConfig(*config, context), error) << context.slot << " " << int{context.ver2};
  }

  // Settings outside the lists of the module's type: one message per module, nothing written.
  const std::string range = "Модуль 1 : значение вне допустимого диапазона";
  const TerminationConfig typed = Decode(kRecord);  // 4W01, FO, FS
  auto module = [&](std::size_t m, int tx, int rx, int mode) {
    TerminationConfig c = typed;
    c.modules[m].txLevel = tx, c.modules[m].rxLevel = rx, c.modules[m].mode = mode;
    return ValidateTerminationConfig(c, {true, 1, 2, 0});
  };
  EXPECT_EQ(module(0, 16, 0, 0), range);  // 4W01: 16 transmit levels
  EXPECT_EQ(module(0, 0, 16, 0), range);
  EXPECT_EQ(module(0, 0, 0, 2), range);
  EXPECT_EQ(module(0, -2, 0, 0), range);
  EXPECT_EQ(module(0, 15, 15, kNoSelection), "");
  EXPECT_EQ(module(1, 2, 0, 0), "Модуль 2 : значение вне допустимого диапазона");  // FO: two levels
  EXPECT_EQ(module(1, 1, 99, 1), "");  // FO has no receive level
  EXPECT_EQ(module(2, 1, 0, 5), "");   // FS has no mode
  EXPECT_EQ(module(2, 2, 0, 0), "Модуль 3 : значение вне допустимого диапазона");
  TerminationConfig twice = typed;
  twice.modules[0].txLevel = 20, twice.modules[2].txLevel = 3, twice.ip = "1.2";
  EXPECT_EQ(ValidateTerminationConfig(twice, {false, 1, 2, 0}),
            m1 + range + "\rМодуль 3 : значение вне допустимого диапазона\rIP адрес 1.2");
}
