#include "sim/scenario/amplifier_keys.h"

#include "sim/scenario/board_keys.h"
#include "sim/scenario/key_values.h"
#include "sim/scenario/number.h"

namespace varnel::sim {

namespace {

const BoardKeyFamily& Family() {
  static const BoardKeyFamily family("ap", {kAmplifierSlots[0], kAmplifierSlots[1]},
                                     {"version", "alarms", "level", "temperature"});
  return family;
}

// A byte-sized number stored in one member of every amplifier it is given for.
void ReadByte(SectionReader& section, AmplifierBoards& boards, std::string_view name,
              std::string_view expectation, std::uint8_t AmplifierSettings::*member) {
  Family().Each(section, name, expectation, [&](std::size_t i, std::string_view text) {
    const std::optional<unsigned> value = ParseNumber(text, 0, 255);
    if (value) boards[i].*member = static_cast<std::uint8_t>(*value);
    return value.has_value();
  });
}

}  // namespace

const std::vector<std::string_view>& AmplifierKeys() { return Family().Keys(); }

AmplifierBoards ReadAmplifierKeys(SectionReader& section) {
  AmplifierBoards boards;
  const std::vector<bool> fitted = Family().Fitted(section).value_or(std::vector{true, false});
  for (std::size_t i = 0; i < boards.size(); ++i) boards[i].fitted = fitted[i];
  ReadByte(section, boards, "version", "a firmware version 0..255", &AmplifierSettings::version);
  ReadByte(section, boards, "level", "a level in dBm 0..255", &AmplifierSettings::level_dbm);
  ReadByte(section, boards, "temperature", "a temperature in °C 0..255",
           &AmplifierSettings::temperature);
  Family().Each(section, "alarms", "a list of A1, A2, A3, A4",
                [&](std::size_t i, std::string_view text) {
                  const std::optional<unsigned> bits = NamedBits(text, {"A1", "A2", "A3", "A4"});
                  // A1..A4 are bits 1..4 of the alarm byte.
                  if (bits) boards[i].alarms = static_cast<std::uint8_t>(*bits << 1);
                  return bits.has_value();
                });
  return boards;
}

}  // namespace varnel::sim
