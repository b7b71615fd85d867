// Scenario files as a person writes them: read, and when they read, built
// into networks. Either a result or an error naming the fault, never both.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "sim/net/builder.h"
#include "sim/scenario/reader.h"

using namespace varnel::sim;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const ScenarioRead read = ReadScenario(text);
  if (read.scenario.has_value() == !read.error.empty()) std::abort();
  if (!read.scenario) return 0;
  const NetworksBuilt built = BuildNetworks(*read.scenario, [] { return std::int64_t{1709806830}; });
  if (built.error.empty() == built.networks.empty()) std::abort();
  return 0;
}
