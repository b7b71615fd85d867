#pragma once
// The modem board's configuration as last read: the common settings and one
// record per HF channel. The Valid flags say an answer was stored, the Shown
// flags that the editors were loaded from it since the last read.

#include <cstdint>
#include <string>

namespace varnel {

// MCU versions from which the configuration carries the aggregation byte
// and the maximum receiver rate.
constexpr std::uint8_t kAggregationVersion = 8;
constexpr std::uint8_t kMaxRateVersion = 11;

enum ModemMode : std::uint8_t { kModeAnalog = 0, kModeTransit = 1, kModeMaster = 2, kModeSlave = 3 };

struct ModemChannelConfig {
  std::uint8_t CfgValid = 0;
  std::uint8_t CfgShown = 0;
  std::uint8_t TxEnabled = 0;
  std::uint16_t TxFreqKHz = 0;  // 0..1023
  std::uint16_t RxFreqKHz = 0;  // 0..1023
  std::uint8_t Mode = kModeAnalog;
  std::string ModeName;         // "ведущий" / "ведомый" / empty
  std::uint8_t NoiseMargin = 0;  // dB, 0..31
  double RxRateMin = 0.0;        // kbit/s
  double RxRateMax = 0.0;        // kbit/s, MCU version 11 and above
  std::uint8_t EocMonitor = 0;
};

struct ModemCommonConfig {
  std::uint8_t CommonValid = 0;
  std::uint8_t CommonShown = 0;
  double TxLevelDb = 0.0;
  double RxLevelDb = 0.0;
  double AgcDb = 0.0;
  std::uint8_t AggrValid = 0;  // the answer carried the aggregation byte
  std::uint8_t Aggr = 0;       // 0..3
};

}  // namespace varnel
