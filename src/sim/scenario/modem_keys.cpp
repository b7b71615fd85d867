#include "sim/scenario/modem_keys.h"

#include "sim/scenario/key_values.h"
#include "sim/scenario/list_text.h"
#include "sim/scenario/number.h"

namespace varnel::sim {

namespace {

constexpr unsigned kMaxErrorsPerMinute = 6000;
constexpr unsigned kMaxLogPerMinute = 600;
constexpr unsigned kMaxRestartSeconds = 600;
// Block numbers of the largest program, 2,097,151 bytes in 256-byte blocks.
constexpr unsigned kLastProgramBlock = 8191;

std::optional<ChannelMode> ModeNamed(std::string_view name) {
  static constexpr std::pair<std::string_view, ChannelMode> kNames[] = {
      {"analog", ChannelMode::Analog},
      {"transit", ChannelMode::Transit},
      {"master", ChannelMode::Master},
      {"slave", ChannelMode::Slave}};
  for (const auto& [text, mode] : kNames) {
    if (name == text) return mode;
  }
  return std::nullopt;
}

void ReadModes(SectionReader& section, ModemSettings& modem) {
  const std::optional<std::string> text = section.Text("modem_modes", false);
  if (!text) return;
  const std::vector<std::string_view> items = ListItems(*text);
  bool good = items.size() == kModemChannels;
  for (std::size_t c = 0; good && c < kModemChannels; ++c) {
    const std::optional<ChannelMode> mode = ModeNamed(items[c]);
    good = mode.has_value();
    if (good) modem.modes[c] = *mode;
  }
  if (!good) {
    section.Fail("modem_modes=" + *text +
                 ": give three modes, one per channel, each analog, transit, master or slave");
  }
}

void ReadOff(SectionReader& section, ModemSettings& modem) {
  const std::optional<std::string> text = section.Text("modem_off", false);
  if (!text) return;
  for (std::string_view item : ListItems(*text)) {
    const std::optional<unsigned> channel = ParseNumber(item, 1, kModemChannels);
    if (!channel) {
      return section.Fail("modem_off=" + *text + ": a list of channel numbers 1..3");
    }
    modem.enabled[*channel - 1] = false;
  }
}

void ReadLog(SectionReader& section, ModemLogSettings& log) {
  const auto entries =
      section.Number("modem_log", 0, kLogCapacity, "entries in the event log", false);
  const auto first = section.Number("modem_log_first", 0, kLogSlots - 1,
                                    "the ring index of the first log entry", false);
  const auto rate =
      section.Number("modem_log_rate", 0, kMaxLogPerMinute, "new log entries per minute", false);
  if (entries) log.entries = *entries;
  if (first) log.first = *first;
  if (rate) log.per_minute = *rate;
  const std::optional<std::string> clock = section.Text("modem_log_clock", false);
  if (!clock) return;
  const std::optional<std::size_t> kind = NamedIndex(*clock, {"set", "unset", "error"});
  if (!kind) return section.Fail("modem_log_clock=" + *clock + ": set, unset or error");
  log.clock = static_cast<LogClock>(*kind);
}

void ReadFirmware(SectionReader& section, ModemFirmwareSettings& firmware) {
  firmware.break_at = section.Number("modem_fw_break", 0, kLastProgramBlock,
                                     "the program block answered 0x7FFE", false);
  firmware.stop_at = section.Number("modem_fw_stop", 0, kLastProgramBlock,
                                    "the program block answered 0x7FFF", false);
  const auto restart = section.Number("modem_restart_s", 0, kMaxRestartSeconds,
                                      "seconds the modem board stays silent after a restart", false);
  if (restart) firmware.restart_seconds = *restart;
  if (const std::optional<std::string> save = section.Text("modem_fw_save", false)) firmware.save_prefix = *save;
  const std::optional<std::string> last = section.Text("modem_fw_last", false);
  if (!last) return;
  const std::optional<std::size_t> kind = NamedIndex(*last, {"number", "end"});
  if (!kind) return section.Fail("modem_fw_last=" + *last + ": number or end");
  firmware.last_as_end = *kind == 1;
}

}  // namespace

ModemSettings ReadModemKeys(SectionReader& section) {
  ModemSettings modem;
  const auto mcu = section.Number("modem_mcu", 0, 255, "the modem MCU version", false);
  const auto fpga = section.Number("modem_fpga", 0, 255, "the modem FPGA version", false);
  const auto rate = section.Number("modem_error_rate", 0, kMaxErrorsPerMinute,
                                   "errors per minute on a digital channel", false);
  if (mcu) modem.mcu = static_cast<std::uint8_t>(*mcu);
  if (fpga) modem.fpga = static_cast<std::uint8_t>(*fpga);
  if (rate) modem.errors_per_minute = *rate;
  ReadModes(section, modem);
  ReadOff(section, modem);
  ReadLog(section, modem.log);
  ReadFirmware(section, modem.firmware);
  return modem;
}

}  // namespace varnel::sim
