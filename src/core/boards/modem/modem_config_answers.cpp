#include "boards/modem/modem_config_answers.h"

#include <string>

#include "boards/modem/modem_encoding.h"
#include "wire/cp1251.h"

namespace varnel {

namespace {

constexpr int kStageCommonShort = 4;
constexpr int kStageChannelShort = 5;
constexpr int kStageNoMaxRate = 6;
constexpr std::size_t kModeTextChars = 15;

std::string BandText(int centreKHz) {
  return std::to_string(centreKHz - 2) + "-" + std::to_string(centreKHz + 2) + " кГц";
}

std::string ModeNameOf(std::uint8_t mode) {
  if (mode == kModeMaster) return "ведущий";
  if (mode == kModeSlave) return "ведомый";
  return {};
}

}  // namespace

std::optional<int> StoreCommonConfig(TStructDev& dev, ByteView data) {
  if (data.size() < 4) return kStageCommonShort;
  ModemCommonConfig& c = dev.modemCommon;
  c.TxLevelDb = TxLevelFromByte(data[1]);
  c.RxLevelDb = RxLevelFromByte(data[2]);
  c.AgcDb = AgcFromByte(data[3]);
  c.AggrValid = data.size() >= 5 ? 1 : 0;
  if (c.AggrValid) c.Aggr = data[4] & 0x03;
  c.CommonValid = 1;
  return std::nullopt;
}

std::optional<int> StoreChannelConfig(TStructDev& dev, ByteView data, std::uint8_t ver1) {
  if (data.size() < 7) return kStageChannelShort;
  const int c = data[0] - 0x10;
  ModemChannelConfig& cfg = dev.modemChannel(c);
  cfg.TxFreqKHz = static_cast<std::uint16_t>((data[2] * 256 + data[1]) % 1024);
  cfg.TxEnabled = (data[2] >> 7) & 1;
  cfg.RxFreqKHz = static_cast<std::uint16_t>((data[4] * 256 + data[3]) % 1024);
  cfg.Mode = data[5] >> 6;
  cfg.ModeName = ModeNameOf(cfg.Mode);
  cfg.EocMonitor = (data[5] >> 5) & 1;
  cfg.NoiseMargin = static_cast<std::uint8_t>(31 - (data[5] & 0x1F));
  cfg.RxRateMin = RateFromByte(data[6], ver1);
  // A missing maximum rate leaves D1..D6 stored but the channel not valid.
  if (ver1 >= kMaxRateVersion) {
    if (data.size() < 8) return kStageNoMaxRate;
    cfg.RxRateMax = RateFromByte(data[7], ver1);
  }
  cfg.CfgValid = 1;
  T_MODULES& m = dev.board(kModemSlot).Modules.at(static_cast<std::size_t>(c - 1));
  m.Texts[3] = BandText(cfg.TxFreqKHz);
  m.Texts[4] = BandText(cfg.RxFreqKHz);
  return std::nullopt;
}

void ComposeModeTexts(TStructDev& dev) {
  for (int c = 1; c <= 3; ++c) {
    T_MODULES& m = dev.board(kModemSlot).Modules.at(static_cast<std::size_t>(c - 1));
    switch (m.Values[2]) {
      case 1: m.Texts[2] = Utf8Left("цифр." + dev.modemChannel(c).ModeName, kModeTextChars); break;
      case 2: m.Texts[2] = "аналоговый"; break;
      case 3: m.Texts[2] = "транзит"; break;
      default: break;
    }
  }
}

}  // namespace varnel
