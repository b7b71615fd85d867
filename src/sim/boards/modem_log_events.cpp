#include "sim/boards/modem_log_events.h"

namespace varnel::sim {

namespace {

constexpr std::uint8_t kModem = 0x04;
constexpr std::uint8_t kFirstAmplifier = 0x0A;

// Board events; a channel's carry its number in bits 14..15.
constexpr std::uint16_t kOff = 0;
constexpr std::uint16_t kOn = 1;
constexpr std::uint16_t kUnknown = 0x0077;
constexpr std::uint16_t kNotActivated = 0;
constexpr std::uint16_t kActivated = 1;
constexpr std::uint16_t kNoTransit = 2;
constexpr std::uint16_t kTransit = 3;
constexpr std::uint16_t kFirstErrorClass = 8;
constexpr std::uint16_t kErrorClasses = 6;
constexpr std::uint16_t kFirstLevel = 32;
constexpr std::uint16_t kLevels = 18;
constexpr std::uint16_t kFirstRate = 128;  // kbit/s
constexpr std::uint16_t kRates = 39;

// Amplifier alarm bits: 1 line break (A1), 3 no input signal (A3), 4 high temperature (A4).
const std::vector<std::uint16_t> kAlarms{0x02, 0x08, 0x10, 0x0A};

std::vector<std::uint16_t> Run(std::uint16_t channel_bits, std::uint16_t first,
                               std::uint16_t count) {
  std::vector<std::uint16_t> codes;
  for (std::uint16_t e = first; e < first + count; ++e) codes.push_back(channel_bits | e);
  return codes;
}

void AddChannel(std::vector<EventKind>& cycle, std::size_t c, ChannelMode mode) {
  const auto k = static_cast<std::uint16_t>((c + 1) << 14);
  if (IsDigital(mode)) {
    cycle.push_back({kModem, {static_cast<std::uint16_t>(k | kNotActivated)}});
    cycle.push_back({kModem, {static_cast<std::uint16_t>(k | kActivated)}});
    cycle.push_back({kModem, Run(k, kFirstErrorClass, kErrorClasses)});
  } else if (mode == ChannelMode::Transit) {
    cycle.push_back({kModem, {static_cast<std::uint16_t>(k | kNoTransit)}});
    cycle.push_back({kModem, {static_cast<std::uint16_t>(k | kTransit)}});
  }
  cycle.push_back({kModem, Run(k, kFirstLevel, kLevels)});
  if (IsDigital(mode)) cycle.push_back({kModem, Run(k, kFirstRate, kRates)});
}

void AddBoard(std::vector<EventKind>& cycle, std::uint8_t board) {
  // An amplifier raises alarms and clears them; other boards go off and on.
  if (board >= kFirstAmplifier) {
    cycle.push_back({board, kAlarms});
    cycle.push_back({board, {0}});
  } else {
    cycle.push_back({board, {kOff}});
    cycle.push_back({board, {kOn}});
  }
}

}  // namespace

std::vector<EventKind> EventCycle(const ModemSettings& settings) {
  std::vector<EventKind> cycle{{kModem, {kOff}}, {kModem, {kOn}}};
  for (std::size_t c = 0; c < kModemChannels; ++c) {
    if (settings.enabled[c]) AddChannel(cycle, c, settings.modes[c]);
  }
  for (std::uint8_t board : settings.log.boards) AddBoard(cycle, board);
  cycle.push_back({kModem, {kUnknown}});
  return cycle;
}

LogEntry MadeUpEvent(const std::vector<EventKind>& cycle, std::uint64_t n, std::uint8_t device_id) {
  const std::uint64_t position = n + device_id;
  const EventKind& kind = cycle[position % cycle.size()];
  const std::uint64_t pass = position / cycle.size();
  return {kind.board, 0, kind.codes[pass % kind.codes.size()]};
}

}  // namespace varnel::sim
