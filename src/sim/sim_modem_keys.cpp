#include "sim_modem_keys.h"

#include "sim_number.h"

namespace varnel::sim {

namespace {

constexpr unsigned kMaxErrorsPerMinute = 6000;

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// "a, b,c" as {"a", "b", "c"}; an empty or blank text as no items.
std::vector<std::string_view> Items(std::string_view text) {
  std::vector<std::string_view> items;
  if (Trimmed(text).empty()) return items;
  for (std::size_t start = 0;;) {
    const std::size_t comma = text.find(',', start);
    items.push_back(Trimmed(text.substr(start, comma - start)));
    if (comma == std::string_view::npos) return items;
    start = comma + 1;
  }
}

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
  const std::vector<std::string_view> items = Items(*text);
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
  for (std::string_view item : Items(*text)) {
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
