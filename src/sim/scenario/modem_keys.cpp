#include "sim/scenario/modem_keys.h"

#include "sim/scenario/list_text.h"
#include "sim/scenario/number.h"

namespace varnel::sim {

namespace {

constexpr unsigned kMaxErrorsPerMinute = 6000;

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
  return modem;
}

}  // namespace varnel::sim
