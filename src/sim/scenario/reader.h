#pragma once
// Reads a scenario from INI text (UTF-8). The format is described in
// scenarios/demo.ini.

#include <optional>
#include <string_view>

#include "sim/scenario/scenario.h"

namespace varnel::sim {

struct ScenarioRead {
  std::optional<Scenario> scenario;
  std::string error;  // names the section at fault; empty when read
};

ScenarioRead ReadScenario(std::string_view ini_text);
ScenarioRead ReadScenarioFile(const std::string& path);

}  // namespace varnel::sim
