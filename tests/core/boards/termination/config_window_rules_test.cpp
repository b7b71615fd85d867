#include "boards/termination/config_window_rules.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace varnel;

namespace {

using Strings = std::vector<std::string>;

ConfigGates Gates(int ver1, int ver2, std::uint32_t poe = 0) {
  return ConfigGatesOf(static_cast<std::uint8_t>(ver1), static_cast<std::uint8_t>(ver2), poe);
}

std::string VersionText(int ver1, int ver2) { return std::to_string(ver1) + "." + std::to_string(ver2); }

}  // namespace

TEST(ConfigWindowRules, VersionThresholds) {
  struct Row {
    int ver1, ver2;
    bool contacts, limiter, stream, wholeBand, moduleLock, transparent, dialMode, streamFlag;
  };
  const Row rows[] = {
      {1, 7, false, false, false, false, false, false, false, false},
      {1, 8, true, false, true, false, false, false, false, false},
      {1, 9, true, true, true, false, false, false, false, false},
      {1, 11, true, true, true, false, false, false, false, false},
      {1, 12, true, true, true, true, false, false, false, false},
      {1, 16, true, true, true, true, true, false, false, false},
      {2, 0, true, true, true, true, true, false, false, false},
      {2, 5, true, true, true, true, true, false, false, false},
      {2, 6, true, true, true, true, true, true, false, false},
      {2, 7, true, true, true, true, true, true, false, false},
      {2, 8, true, true, true, true, true, true, true, false},
      {2, 9, true, true, true, true, true, true, true, false},
      {2, 10, true, true, true, true, true, true, true, true},
      {3, 0, true, true, true, true, true, true, true, true},
      // The 1.x features ask the minor alone once the major is below 2.
      {0, 16, true, true, true, true, true, false, false, false},
  };
  for (const Row& r : rows) {
    const ConfigGates g = Gates(r.ver1, r.ver2);
    EXPECT_EQ(std::tuple(g.contacts, g.analog, g.limiter, g.stream, g.wholeBand, g.moduleLock),
              std::tuple(r.contacts, r.contacts, r.limiter, r.stream, r.wholeBand, r.moduleLock))
        << VersionText(r.ver1, r.ver2);
    EXPECT_EQ(std::tuple(g.transparent, g.dialMode, g.streamFlag), std::tuple(r.transparent, r.dialMode, r.streamFlag))
        << VersionText(r.ver1, r.ver2);
  }
}

TEST(ConfigWindowRules, PoeBoxFollowsTheSupportBitOnly) {
  const std::pair<std::uint32_t, bool> rows[] = {{0, false}, {1, true}, {2, false}, {3, true}};
  for (auto [bits, shown] : rows) EXPECT_EQ(Gates(2, 3, bits).poe, shown) << bits;

  TBRDS board;
  board.Ver1 = 2;
  board.Ver2 = 6;
  board.Values[2] = 3;  // where the parser stores the PoE bits
  board.Values[1] = 1;  // contact bits, not PoE
  EXPECT_EQ(ConfigGatesOf(board), Gates(2, 6, 3));
  board.Values[2] = 0;
  EXPECT_FALSE(ConfigGatesOf(board).poe);
}

TEST(ConfigWindowRules, ModuleRowsByTypeAndVersion) {
  struct Row {
    int row, type, ver1, ver2;
    const char* label;
    std::size_t tx, rx, modes;
    bool txShown, rxShown, modeShown, echoShown, lockShown, lockEnabled;
    std::uint32_t colour;
  };
  const Row rows[] = {
      {1, 0, 2, 10, "  [1]  Нет  ", 0, 0, 0, false, false, false, false, false, false, 0xC0C0C0},
      {2, 0, 2, 10, "  [2]  Нет  ", 0, 0, 0, false, false, false, false, false, false, 0xD0D0D0},
      {3, 9, 1, 15, "  [3]  FS   ", 2, 2, 0, true, false, false, true, true, false, 0xC0C0C0},
      {1, 9, 1, 16, "  [1]  FS   ", 2, 2, 0, true, false, false, true, true, true, 0xC0C0C0},
      {2, 7, 2, 7, "  [2]  FO   ", 2, 2, 2, true, false, false, true, true, true, 0xD0D0D0},
      {2, 7, 2, 8, "  [2]  FO   ", 2, 2, 2, true, false, true, true, true, true, 0xD0D0D0},
      {3, 13, 1, 8, "  [3]  4W01 ", 16, 16, 2, true, true, true, true, true, false, 0xC0C0C0},
      {1, 5, 2, 8, "  [1]  неизв.", 0, 0, 0, true, false, false, true, true, true, 0xC0C0C0},
  };
  for (const Row& r : rows) {
    const ModuleRowView v = ModuleRowOf(r.row, static_cast<std::uint8_t>(r.type), Gates(r.ver1, r.ver2));
    const std::string where = "row " + std::to_string(r.row) + " type " + std::to_string(r.type) + " on " +
                              VersionText(r.ver1, r.ver2);
    EXPECT_EQ(std::tuple(v.label, v.txLevels.size(), v.rxLevels.size(), v.modes.size(), v.colour),
              std::tuple(r.label, r.tx, r.rx, r.modes, r.colour))
        << where;
    EXPECT_EQ(std::tuple(v.txShown, v.rxShown, v.modeShown, v.echoShown, v.lockShown, v.lockEnabled),
              std::tuple(r.txShown, r.rxShown, r.modeShown, r.echoShown, r.lockShown, r.lockEnabled))
        << where;
  }
}

// The lists are constant; which type gets which list is the rule.
TEST(ConfigWindowRules, ModuleListsAndComputedLists) {
  const ModuleRowView w4 = ModuleRowOf(1, kModule4W, Gates(2, 8));
  EXPECT_EQ(std::tuple(w4.txLevels[5], w4.rxLevels[5], w4.modes[1]), std::tuple(" -7", " -8", "АДАСЭ"));
  EXPECT_EQ(ModuleRowOf(2, kModuleFO, Gates(2, 8)).modes, (Strings{"Импульсный", "Тональный"}));
  EXPECT_EQ(ModuleRowOf(3, kModuleFS, Gates(2, 8)).rxLevels, (Strings{"-3,5", "  -7"}));

  EXPECT_EQ(Rs232RateItems(0)[5], "4800");
  const Strings stream = StreamRateItems();
  ASSERT_EQ(stream.size(), 129u);
  EXPECT_EQ(std::tuple(stream[0], stream[1], stream[2], stream[10], stream[64], stream[128]),
            std::tuple("---", "0,8", "1,6", "8,0", "51,2", "102,4"));
}

TEST(ConfigWindowRules, EthernetRule) {
  struct Row {
    bool blocked, transparent, poe;
    bool transparentChecked, transparentEnabled, addressesEnabled, poeChecked, poeEnabled;
  };
  const Row rows[] = {
      {false, false, true, false, true, true, true, true},
      {false, true, true, true, true, false, true, true},
      {true, true, true, false, false, false, false, false},
  };
  for (const Row& r : rows) {
    const EthernetView v = EthernetRule(r.blocked, r.transparent, r.poe);
    EXPECT_EQ(std::tuple(v.transparentChecked, v.transparentEnabled, v.addressesEnabled, v.poeChecked, v.poeEnabled),
              std::tuple(r.transparentChecked, r.transparentEnabled, r.addressesEnabled, r.poeChecked, r.poeEnabled))
        << r.blocked << r.transparent << r.poe;
  }
}

TEST(ConfigWindowRules, ServiceWidthIsCutDownToHundreds) {
  const std::pair<int, int> rows[] = {{250, 200}, {200, 200}, {299, 200}, {100, 100}, {6400, 6400},
                                      {6499, 6400}, {99, 100}, {7000, 6400}};
  for (auto [in, out] : rows) EXPECT_EQ(RoundServiceWidth(in), out) << in;
}

TEST(ConfigWindowRules, Rs232ModeKeepsTheRateIndexWhileTheListHasIt) {
  struct Row {
    int mode, selected, kept;
    std::size_t entries;
    bool parity;
  };
  const Row rows[] = {
      {1, 5, -1, 3, false},  // "4800" has no place among three rates
      {1, 2, 2, 3, false},
      {1, 3, -1, 3, false},
      {0, 10, 10, 11, true},
  };
  for (const Row& r : rows) {
    const Rs232View v = Rs232ModeRule(r.mode, r.selected, Gates(2, 3));
    EXPECT_EQ(std::tuple(v.rates.size(), v.rate, v.parityShown), std::tuple(r.entries, r.kept, r.parity))
        << r.mode << " " << r.selected;
  }
}

TEST(ConfigWindowRules, StreamControlsByModeAndVersion) {
  struct Row {
    int mode, ver1, ver2;
    bool streamShown;
    int width;
    bool rateShown;
  };
  const Row rows[] = {
      {0, 1, 7, false, 73, false}, {0, 1, 8, true, 73, true},    {1, 1, 8, false, 73, false},
      {0, 2, 9, true, 73, true},   {0, 2, 10, true, 121, false}, {1, 2, 10, false, 121, false},
  };
  for (const Row& r : rows) {
    const Rs232View v = Rs232ModeRule(r.mode, 0, Gates(r.ver1, r.ver2));
    EXPECT_EQ(std::tuple(v.streamShown, v.streamWidth, v.streamRateShown),
              std::tuple(r.streamShown, r.width, r.rateShown))
        << r.mode << " on " << VersionText(r.ver1, r.ver2);
  }

  EXPECT_EQ(std::tuple(StreamRule(1, 7).enabled, StreamRule(1, 7).selected), std::tuple(true, 7));
  EXPECT_EQ(std::tuple(StreamRule(0, 7).enabled, StreamRule(0, 7).selected), std::tuple(false, 0));
}

TEST(ConfigWindowRules, BandLabel) {
  struct Row {
    int position, ver1, ver2;
    const char* text;
  };
  const Row rows[] = {
      {0, 1, 11, "[300..2000]         [2200..3400] Гц"},
      {5, 1, 11, "[300..3000]         [3200..3400] Гц"},
      {5, 1, 12, "[300..3400]         [---]"},
      {4, 2, 0, "[300..2800]         [3000..3400] Гц"},
  };
  for (const Row& r : rows) EXPECT_EQ(BandLabel(r.position, Gates(r.ver1, r.ver2)), r.text) << r.position;
}

TEST(ConfigWindowRules, ChannelModeAlarmModeAndModuleLock) {
  auto channel = [](int mode, int ver2) {
    const ChannelModeView v = ChannelModeRule(mode, Gates(1, ver2));
    return std::pair(v.digitalShown, v.analogShown);
  };
  EXPECT_EQ(channel(0, 8), std::pair(true, false));
  EXPECT_EQ(channel(1, 8), std::pair(false, true));
  EXPECT_EQ(channel(1, 7), std::pair(false, false));  // analog settings from 1.8 on
  EXPECT_EQ(std::pair(AlarmModeRule(0).channelsShown, AlarmModeRule(0).untick), std::pair(false, true));
  EXPECT_EQ(std::pair(AlarmModeRule(1).channelsShown, AlarmModeRule(1).untick), std::pair(true, false));
  EXPECT_EQ(std::pair(ModuleLockRule(true, true).applies, ModuleLockRule(true, true).controlsEnabled),
            std::pair(true, false));
  EXPECT_TRUE(ModuleLockRule(true, false).controlsEnabled);
  EXPECT_FALSE(ModuleLockRule(false, true).applies);
}
