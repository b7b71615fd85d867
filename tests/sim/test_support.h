#pragma once
// Small helpers shared by the emulator tests.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "sim/net/builder.h"
#include "sim/net/emulator.h"
#include "sim/wire/checksum.h"

namespace varnel::sim {

// The frames of an outcome, in the order they go out when no delay is set.
inline std::vector<Bytes> Frames(const Outcome& outcome) {
  std::vector<Bytes> frames;
  for (const Answer& answer : outcome.answers) frames.push_back(answer.frame);
  return frames;
}

inline Block BlockOrFail(std::uint8_t id, const std::string& name, std::uint8_t type) {
  std::string error;
  std::optional<Block> block = Block::Create({id, name, type}, error);
  EXPECT_EQ(error, "");
  return std::move(block).value();
}

// The networks of a scenario that must build.
inline std::vector<Network> NetworksOrFail(std::string_view ini) {
  NetworksBuilt built = NetworksFromIni(ini);
  EXPECT_EQ(built.error, "");
  return std::move(built.networks);
}

// A request frame with its checksum appended.
inline Bytes Sealed(Bytes frame) {
  frame.push_back(FrameChecksum(frame));
  return frame;
}

inline std::string ScenarioFile(const std::string& name) {
  return std::string(VARNEL_SIM_SCENARIO_DIR) + "/" + name;
}

// A fresh directory under /tmp, removed with its contents when the object goes.
class TempDir {
 public:
  TempDir() {
    std::string pattern = "/tmp/varnel-sim-test-XXXXXX";
    EXPECT_NE(mkdtemp(pattern.data()), nullptr);
    path_ = pattern;
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

inline Bytes FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

}  // namespace varnel::sim
