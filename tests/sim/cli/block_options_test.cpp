// Block configuration checks and the emulator's command line.

#include <gtest/gtest.h>

#include "sim/block/block.h"
#include "sim/cli/options.h"

namespace varnel::sim {
namespace {

using std::chrono::milliseconds;

bool Accepted(const BlockConfig& config) {
  std::string error;
  const bool ok = Block::Create(config, error).has_value();
  EXPECT_EQ(ok, error.empty()) << error;
  return ok;
}

TEST(SimBlock, RefusesWhatTheWireCannotCarryAndCountsWireBytes) {
  EXPECT_FALSE(Accepted({0, "A", 1}));
  EXPECT_FALSE(Accepted({16, "A", 1}));
  EXPECT_FALSE(Accepted({1, "Блок 中", 1}));
  EXPECT_FALSE(Accepted({1, "\xD0", 1}));  // a cut UTF-8 sequence
  EXPECT_FALSE(Accepted({1, std::string(kMaxNameBytes + 1, 'a'), 1}));
  EXPECT_TRUE(Accepted({15, "", 255}));
  // Two UTF-8 bytes per letter, one on the wire: the limit is on the wire.
  std::string cyrillic;
  for (std::size_t i = 0; i < kMaxNameBytes; ++i) cyrillic += "ж";
  std::string error;
  const std::optional<Block> block = Block::Create({1, cyrillic, 1}, error);
  ASSERT_TRUE(block) << error;
  EXPECT_EQ(block->WireName(), std::string(kMaxNameBytes, '\xE6'));
}

TEST(SimOptions, ReadsEveryOptionOverTheDefaults) {
  const ParsedOptions parsed = ParseOptions(
      {"--address", "127.0.0.5", "--port", "20000", "--id", "14", "--name", "Блок 2", "--type",
       "200", "--quiet", "--drop", "20", "--duplicate", "10", "--reorder", "11", "--corrupt", "5",
       "--truncate", "1", "--delay", "250", "--jitter", "40", "--seed", "4294967295"});
  ASSERT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.options.address, "127.0.0.5");
  EXPECT_EQ(parsed.options.port, 20000);
  EXPECT_EQ(parsed.options.block.id, 14);
  EXPECT_EQ(parsed.options.block.name, "Блок 2");
  EXPECT_EQ(parsed.options.block.type, 200);
  EXPECT_TRUE(parsed.options.quiet);
  const FaultSettings f = parsed.options.faults.Over(FaultSettings{});
  EXPECT_EQ(std::vector<unsigned>({f.drop, f.duplicate, f.reorder, f.corrupt, f.truncate}),
            (std::vector<unsigned>{20, 10, 11, 5, 1}));
  EXPECT_EQ(f.delay, milliseconds(250));
  EXPECT_EQ(f.jitter, milliseconds(40));
  EXPECT_EQ(parsed.options.seed, 4294967295u);
  // --port and the fault options go with a scenario.
  const ParsedOptions scenario =
      ParseOptions({"--scenario", "a.ini", "--port", "20001", "--drop", "5"});
  ASSERT_EQ(scenario.error, "");
  EXPECT_EQ(scenario.options.scenario, "a.ini");
  EXPECT_EQ(scenario.options.port, 20001);
  EXPECT_EQ(scenario.options.faults.drop, 5u);
}

TEST(SimOptions, RejectsBadArguments) {
  const std::vector<std::vector<std::string>> bad = {
      {"--id", "0"},     {"--id", "16"},      {"--port", "70000"}, {"--port", "0"},
      {"--port", "12x"}, {"--type", "256"},   {"--id", ""},        {"--bogus", "1"},
      {"--name"},        {"stray"},           {"--drop", "101"},   {"--delay", "60001"},
      {"--jitter", "x"}, {"--seed", "-1"},    {"--corrupt"},
      // A scenario brings its own blocks.
      {"--scenario", "a.ini", "--id", "2"}, {"--address", "127.0.0.2", "--scenario", "a.ini"}};
  for (const auto& args : bad) {
    EXPECT_NE(ParseOptions(args).error, "") << args[0] << " " << (args.size() > 1 ? args[1] : "");
  }
}

}  // namespace
}  // namespace varnel::sim
