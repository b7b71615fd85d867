#include "sim/scenario/termination_keys.h"

#include "sim/scenario/board_keys.h"
#include "sim/scenario/key_values.h"
#include "sim/scenario/list_text.h"
#include "sim/scenario/number.h"

namespace varnel::sim {

namespace {

constexpr unsigned kMaxLineRate = 6553500;  // 16 bits of 100 bit/s
constexpr unsigned kMaxByteRate = 25500;    // 8 bits of 100 bit/s
constexpr unsigned kMaxErrorsPerMinute = 600;
constexpr unsigned kMaxRestartSeconds = 600;

const BoardKeyFamily& Family() {
  static const BoardKeyFamily family(
      "sl", {1, 2, 3},
      {"version", "modules", "serial", "mode", "level", "voice", "codec", "line_rate",
       "service_rate", "tm_rate", "poe", "contacts", "faults", "error_rate", "config",
       "restart_s"});
  return family;
}

std::optional<std::pair<unsigned, unsigned>> LineRates(std::string_view text) {
  const std::vector<std::string_view> items = ListItems(text);
  if (items.empty() || items.size() > 2) return std::nullopt;
  const std::optional<unsigned> tx = RateValue(items.front(), kMaxLineRate);
  const std::optional<unsigned> rx = RateValue(items.back(), kMaxLineRate);
  if (!tx || !rx) return std::nullopt;
  return std::pair{*tx, *rx};
}

// Keys that take one value and store it as is.
template <typename Parse, typename Store>
void ReadEach(SectionReader& section, TerminationBoards& boards, std::string_view name,
              std::string_view expectation, Parse parse, Store store) {
  Family().Each(section, name, expectation, [&](std::size_t i, std::string_view text) {
    const auto value = parse(text);
    if (value) store(boards[i], *value);
    return value.has_value();
  });
}

void ReadIdentity(SectionReader& section, TerminationBoards& boards) {
  using S = TerminationSettings;
  ReadEach(section, boards, "version", "a version M.N, both 0..255", VersionValue,
           [](S& s, auto v) {
             s.version_major = v.first;
             s.version_minor = v.second;
           });
  ReadEach(
      section, boards, "modules", "three module type codes 0..15",
      [](std::string_view t) { return NumberList(t, 0, 15, 3, 3); },
      [](S& s, const auto& codes) {
        for (std::size_t m = 0; m < codes.size(); ++m) {
          s.modules[m] = static_cast<std::uint8_t>(codes[m]);
        }
      });
  ReadEach(
      section, boards, "serial", "a serial number 0..65535",
      [](std::string_view t) { return ParseNumber(t, 0, 65535); },
      [](S& s, unsigned v) { s.serial = static_cast<std::uint16_t>(v); });
  ReadEach(
      section, boards, "poe", "one of none, no_load, load, blocked",
      [](std::string_view t) {
        return NamedIndex(t, {"none", "no_load", "load", "blocked"});
      },
      [](S& s, std::size_t v) { s.poe = static_cast<PoeState>(v); });
  ReadEach(
      section, boards, "contacts", "a list of input, output",
      [](std::string_view t) {
        return NamedBits(t, {"input", "output"});
      },
      [](S& s, unsigned bits) {
        s.contact_input = (bits & 1) != 0;
        s.contact_output = (bits & 2) != 0;
      });
}

void ReadSubchannels(SectionReader& section, TerminationBoards& boards) {
  using S = TerminationSettings;
  ReadEach(
      section, boards, "mode", "digital or analog",
      [](std::string_view t) {
        return NamedIndex(t, {"digital", "analog"});
      },
      [](S& s, std::size_t v) { s.analog = v == 1; });
  ReadEach(
      section, boards, "level", "an analog level code 0..65535",
      [](std::string_view t) { return ParseNumber(t, 0, 65535); },
      [](S& s, unsigned v) { s.level = static_cast<std::uint16_t>(v); });
  ReadEach(
      section, boards, "voice",
      "up to two modules 0..3 carrying voice channels 1 and 2 (0 for none)",
      [](std::string_view t) { return NumberList(t, 0, 3, 0, 2); },
      [](S& s, const auto& m) {
        s.voice_modules = {static_cast<std::uint8_t>(m.size() > 0 ? m[0] : 0),
                           static_cast<std::uint8_t>(m.size() > 1 ? m[1] : 0)};
      });
  ReadEach(
      section, boards, "codec", "8000 or 6400",
      [](std::string_view t) {
        return NamedIndex(t, {"6400", "8000"});
      },
      [](S& s, std::size_t v) { s.codec_8000 = v == 1; });
  ReadEach(section, boards, "line_rate", "TX[,RX] in bit/s, multiples of 100 up to 6553500",
           LineRates, [](S& s, auto v) {
             s.line_tx = v.first;
             s.line_rx = v.second;
           });
  ReadEach(
      section, boards, "service_rate", "bit/s, a multiple of 100 up to 25500",
      [](std::string_view t) { return RateValue(t, kMaxByteRate); },
      [](S& s, unsigned v) { s.service_rate = v; });
  ReadEach(
      section, boards, "tm_rate", "bit/s, a multiple of 100 up to 25500 (0 for none)",
      [](std::string_view t) { return RateValue(t, kMaxByteRate); },
      [](S& s, unsigned v) { s.tm_rate = v; });
  ReadEach(
      section, boards, "faults", "a list of service_rx, service_tx, data_rx",
      [](std::string_view t) {
        return NamedBits(t, {"service_rx", "service_tx", "data_rx"});
      },
      [](S& s, unsigned bits) {
        s.faults = {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
      });
  ReadEach(
      section, boards, "error_rate", "errors per minute 0..600",
      [](std::string_view t) { return ParseNumber(t, 0, kMaxErrorsPerMinute); },
      [](S& s, unsigned v) { s.errors_per_minute = v; });
}

void ReadFlash(SectionReader& section, TerminationBoards& boards) {
  using S = TerminationSettings;
  ReadEach(
      section, boards, "config", "set or erased",
      [](std::string_view t) {
        return NamedIndex(t, {"set", "erased"});
      },
      [](S& s, std::size_t v) { s.config_erased = v == 1; });
  ReadEach(
      section, boards, "restart_s", "seconds 0..600",
      [](std::string_view t) { return ParseNumber(t, 0, kMaxRestartSeconds); },
      [](S& s, unsigned v) { s.restart_seconds = v; });
}

}  // namespace

const std::vector<std::string_view>& TerminationKeys() { return Family().Keys(); }

TerminationBoards ReadTerminationKeys(SectionReader& section, bool root) {
  TerminationBoards boards;
  const std::optional<std::vector<bool>> fitted = Family().Fitted(section);
  for (std::size_t i = 0; i < boards.size(); ++i) {
    boards[i].fitted = fitted ? (*fitted)[i] : root || i == 0;
  }
  ReadIdentity(section, boards);
  ReadSubchannels(section, boards);
  ReadFlash(section, boards);
  return boards;
}

}  // namespace varnel::sim
