// A root block whose modem board answers, but not in a form the program can
// read: the tool says so with its own exit status.
#include <QTemporaryDir>

#include "cli_test_support.h"

using namespace varnel;
using namespace varnel::cli::testing;

namespace {

constexpr int kDeviceError = 4;

// The versions answer without the FPGA byte, the log answer without its
// indices; nothing else answers.
class TruncatedModem final : public sim::DeviceBehaviour {
 public:
  sim::CommandReply DeviceCommand(sim::ByteView) override { return {}; }
  sim::CommandReply BoardCommand(std::uint8_t board, sim::ByteView payload) override {
    if (board != 0x04) return {};
    if (payload[0] == 0x01) return {sim::Bytes{0x01, 0x0C}, "short versions"};
    if (payload[0] == 0x09) return {sim::Bytes{0x09, 0xFF}, "short log head"};
    return {};
  }
};

std::vector<sim::Network> RootWithTruncatedModem() {
  std::vector<sim::Network> networks = ScenarioOn("small.ini", "127.0.0.135");
  networks.at(0).SetBehaviour(0, std::make_shared<TruncatedModem>());
  return networks;
}

class DeviceError : public EmulatedNetwork {
 protected:
  DeviceError() : EmulatedNetwork(RootWithTruncatedModem(), "127.0.0.135", 20135) {}
  QTemporaryDir dir;
};

}  // namespace

TEST_F(DeviceError, UnreadableAnswersEndTheReadAndTheLog) {
  const CliRun read = Run("read", {"--device", "ПС Кедровая", "--board", "modem"});
  EXPECT_EQ(read.status, kDeviceError) << read.err.toStdString();
  EXPECT_TRUE(read.oneErrorLine());
  EXPECT_TRUE(read.err.contains("board modem of ПС Кедровая sent an answer that could not be read"))
      << read.err.toStdString();
  EXPECT_EQ(read.out, "");

  const QString out = dir.filePath("kedr.log");
  const CliRun log = Run("log", {"--device", "ПС Кедровая", "--out", out});
  EXPECT_EQ(log.status, kDeviceError) << log.err.toStdString();
  EXPECT_TRUE(log.oneErrorLine());
  EXPECT_FALSE(QFile::exists(out));  // nothing half-read is saved
}
