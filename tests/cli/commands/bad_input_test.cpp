// What the tool refuses, each with one line on standard error and its own
// exit status; a bad command line or firmware file sends nothing at all. A
// root whose modem board answers in a form the program cannot read ends the
// read and the log as a device error.
#include <QTemporaryDir>

#include "cli_test_support.h"

using namespace varnel;
using namespace varnel::cli::testing;

namespace {

class BadInput : public EmulatedNetwork {
 protected:
  BadInput() : EmulatedNetwork("small.ini", "127.0.0.134", 20134) {}

  // A file of n bytes in the temporary folder.
  QString FileOf(qint64 n, const char* name) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(n));
    return path;
  }

  QTemporaryDir dir;
};

}  // namespace

TEST_F(BadInput, UnknownDevicePathAfterExploringEverything) {
  ExpectFailure(Run("read", {"--device", "ПС Кедровая/Нет такой", "--board", "modem"}), kBadInput,
                "unknown device: ПС Кедровая/Нет такой (not found after ");
  ExpectFailure(Run("read", {"--device", ".1.7.0.9", "--board", "modem"}), kBadInput, "unknown device: .1.7.0.9");
  // Exploration ran, but no board was asked anything.
  EXPECT_GT(Received(), 0u);
  EXPECT_TRUE(RootBoardRequests(0x04).empty());
}

TEST_F(BadInput, APeerThatNeverAnswers) {
  const QStringList silent = {"--peer", "127.0.0.139", "--port", "20139", "--timeout", "0.5"};
  ExpectFailure(RunCli(QStringList{"discover"} + silent), kNoAnswer, "no answer from 127.0.0.139");
  // The largest file passes its checks; the device is looked for first.
  const QString largest = FileOf(2097151, "largest.bin");
  ExpectFailure(RunCli(QStringList{"firmware", "--device", "ПС Кедровая", "--mcu", largest} + silent), kNoAnswer,
                "no answer from 127.0.0.139");
}

TEST_F(BadInput, FirmwareFileTooLargeMissingOrEmpty) {
  const QString over = FileOf(2097152, "over.bin");
  ExpectFailure(Run("firmware", {"--device", "ПС Кедровая", "--mcu", over}), kBadInput,
                "firmware file too large: 2097152 bytes, at most 2097151");
  ExpectFailure(Run("firmware", {"--device", "ПС Кедровая", "--fpga", dir.filePath("none.bin")}), kBadInput,
                "firmware file not found");
  ExpectFailure(Run("firmware", {"--device", "ПС Кедровая", "--mcu", FileOf(0, "empty.bin")}), kBadInput,
                "firmware file is empty");
  ExpectFailure(Run("firmware", {"--device", "ПС Кедровая", "--mcu", dir.path()}), kBadInput,
                "firmware file is not a regular file");
  EXPECT_EQ(Received(), 0u);
}

TEST_F(BadInput, ContradictingUnknownOrMissingOptionsSendNothing) {
  const QString file = FileOf(1000, "fw.bin");
  ExpectFailure(Run("firmware", {"--device", "ПС Кедровая", "--mcu", file, "--fpga", file}), kBadInput,
                "--mcu and --fpga exclude each other");
  ExpectFailure(Run("read", {"--device", "ПС Кедровая", "--board", "modem", "--board", "sl1"}), kBadInput,
                "--board given twice");
  ExpectFailure(Run("discover", {"--device", "ПС Кедровая"}), kBadInput, "unknown option '--device' for discover");
  ExpectFailure(Run("read", {"--device", "ПС Кедровая"}), kBadInput, "--board BOARD is required");
  ExpectFailure(Run("read", {"--device", "ПС Кедровая", "--board", "sl4"}), kBadInput, "bad value 'sl4' for --board");
  ExpectFailure(Run("read", {"--device", ".1.x", "--board", "modem"}), kBadInput, "bad value '.1.x' for --device");
  ExpectFailure(Run("log", {"--device", "ПС Кедровая", "--out", dir.path()}), kBadInput, "--out names a folder");
  ExpectFailure(Run("discover", {"--json=yes"}), kBadInput, "--json takes no value");
  ExpectFailure(RunCli({"discover", "--peer", "300.1.1.1"}), kBadInput, "bad value '300.1.1.1' for --peer");
  ExpectFailure(RunCli({"discover", "--peer", "127.0.0.134", "--timeout", "0"}), kBadInput,
                "bad value '0' for --timeout");
  ExpectFailure(RunCli({"discover"}), kBadInput, "--peer IP is required");
  ExpectFailure(RunCli({"explore"}), kBadInput, "unknown command 'explore'");
  ExpectFailure(RunCli({}), kBadInput, "a command is required");
  EXPECT_EQ(Received(), 0u);
}

namespace {

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
  ExpectFailure(Run("read", {"--device", "ПС Кедровая", "--board", "modem"}), kDeviceError,
                "board modem of ПС Кедровая sent an answer that could not be read");
  const QString out = dir.filePath("kedr.log");
  ExpectFailure(Run("log", {"--device", "ПС Кедровая", "--out", out}), kDeviceError,
                "the modem board of ПС Кедровая sent an answer that could not be read");
  EXPECT_FALSE(QFile::exists(out));  // nothing half-read is saved
}
