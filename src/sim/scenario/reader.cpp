#include "sim/scenario/reader.h"

#include <arpa/inet.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "sim/scenario/amplifier_keys.h"
#include "sim/scenario/fault_keys.h"
#include "sim/scenario/modem_keys.h"
#include "sim/scenario/section_reader.h"
#include "sim/scenario/termination_keys.h"

namespace varnel::sim {

namespace {

constexpr std::string_view kRootPrefix = "root.";
constexpr std::string_view kDevicePrefix = "dev.";
constexpr std::string_view kSimSection = "sim";
constexpr unsigned kMaxHopDelayMs = 10000;
constexpr std::uint8_t kDefaultType = 1;
constexpr unsigned kMaxSeed = 0xFFFFFFFFu;

// Keys of a section that describes one block: its own and those of its boards.
std::vector<std::string_view> BlockKeys(std::vector<std::string_view> own) {
  own.insert(own.end(), {"id", "name", "type"});
  own.insert(own.end(), kModemKeys.begin(), kModemKeys.end());
  own.insert(own.end(), kFaultKeys.begin(), kFaultKeys.end());
  return own;
}

// Too many to list in a message.
std::vector<std::string_view> BoardFamilyKeys() {
  std::vector<std::string_view> keys = TerminationKeys();
  keys.insert(keys.end(), AmplifierKeys().begin(), AmplifierKeys().end());
  return keys;
}

void OnlyBlockKeys(SectionReader& section, std::vector<std::string_view> own) {
  section.OnlyKeys(BlockKeys(std::move(own)), BoardFamilyKeys(),
                   "a termination board or amplifier key (sl_..., ap_..., see demo.ini)");
}

BoardSettings ReadBoards(SectionReader& section, bool root) {
  return {ReadModemKeys(section), ReadTerminationKeys(section, root),
          ReadAmplifierKeys(section)};
}

std::optional<BlockConfig> ReadBlock(SectionReader& section) {
  const std::optional<unsigned> id = section.Number("id", 1, 15, "block ID");
  const std::optional<std::string> name = section.Text("name", true);
  const std::optional<unsigned> type = section.Number("type", 0, 255, "block type", false);
  if (!id || !name) return std::nullopt;
  return BlockConfig{static_cast<std::uint8_t>(*id), *name,
                     static_cast<std::uint8_t>(type.value_or(kDefaultType))};
}

void ReadRoot(SectionReader& section, std::string key, Scenario& scenario) {
  OnlyBlockKeys(section, {"address"});
  const std::optional<std::string> address = section.Text("address", true);
  in_addr parsed{};
  if (address && inet_pton(AF_INET, address->c_str(), &parsed) != 1) {
    section.Fail("address=" + *address + ": not an IPv4 address");
  }
  const std::optional<BlockConfig> block = ReadBlock(section);
  const BoardSettings boards = ReadBoards(section, true);
  const FaultKeys faults = ReadFaultKeys(section);
  if (address && block) scenario.roots.push_back({std::move(key), *address, *block, boards, faults});
}

void ReadDevice(SectionReader& section, std::string key, Scenario& scenario) {
  OnlyBlockKeys(section, {"master", "channel", "up"});
  const std::optional<std::string> master = section.Text("master", true);
  const std::optional<unsigned> up =
      section.Number("up", 0, 3, "the side facing the master (0 Ethernet, 1..3 channel)");
  std::optional<unsigned> channel = 0;
  if (up && *up != 0) {
    channel = section.Number("channel", 1, 3, "the master's HF channel");
  } else if (up && section.Text("channel", false).value_or("0") != "0") {
    section.Fail("channel: a device with up=0 is on its master's Ethernet side; leave channel out");
  }
  const std::optional<BlockConfig> block = ReadBlock(section);
  const BoardSettings boards = ReadBoards(section, false);
  const FaultKeys faults = ReadFaultKeys(section);
  if (!master || !up || !channel || !block) return;
  scenario.devices.push_back({std::move(key), *master, static_cast<std::uint8_t>(*channel),
                              static_cast<std::uint8_t>(*up), *block, boards, faults});
}

void ReadSim(SectionReader& section, Scenario& scenario) {
  std::vector<std::string_view> keys{"hop_delay_ms", "seed"};
  keys.insert(keys.end(), kFaultKeys.begin(), kFaultKeys.end());
  section.OnlyKeys(keys);
  const std::optional<unsigned> delay =
      section.Number("hop_delay_ms", 0, kMaxHopDelayMs, "the delay per HF link", false);
  scenario.hop_delay = std::chrono::milliseconds(delay.value_or(0));
  scenario.seed = section.Number("seed", 0, kMaxSeed, "the fault seed", false);
  scenario.faults = ReadFaultKeys(section);
}

}  // namespace

ScenarioRead ReadScenario(std::string_view ini_text) {
  // UTF-8 text, repeated keys kept (so a repeated section can be told), no multi-line values.
  CSimpleIniA ini(true, true, false);
  if (ini.LoadData(ini_text.data(), ini_text.size()) < 0) return {std::nullopt, "cannot parse"};
  CSimpleIniA::TNamesDepend sections;
  ini.GetAllSections(sections);
  sections.sort(CSimpleIniA::Entry::LoadOrder());

  Scenario scenario;
  std::string error;
  for (const auto& entry : sections) {
    const std::string name = entry.pItem;
    SectionReader section(ini, name, error);
    if (name.empty()) {
      error = "keys before the first section";
    } else if (name.starts_with(kRootPrefix) && name.size() > kRootPrefix.size()) {
      ReadRoot(section, name.substr(kRootPrefix.size()), scenario);
    } else if (name.starts_with(kDevicePrefix) && name.size() > kDevicePrefix.size()) {
      ReadDevice(section, name.substr(kDevicePrefix.size()), scenario);
    } else if (name == kSimSection) {
      ReadSim(section, scenario);
    } else {
      section.Fail("unknown section; expected [sim], [root.KEY] or [dev.KEY]");
    }
    if (!error.empty()) return {std::nullopt, error};
  }
  if (scenario.roots.empty()) return {std::nullopt, "no root block: add a [root.KEY] section"};
  return {std::move(scenario), {}};
}

ScenarioRead ReadScenarioFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  if (file) text << file.rdbuf();
  if (!file || file.bad()) {
    return {std::nullopt, "cannot read " + path + ": " + std::strerror(errno)};
  }
  ScenarioRead read = ReadScenario(text.str());
  if (!read.error.empty()) read.error = path + ": " + read.error;
  return read;
}

}  // namespace varnel::sim
