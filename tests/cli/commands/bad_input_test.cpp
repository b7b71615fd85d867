// What the tool refuses, each with one line on standard error and its own
// exit status; a bad command line or firmware file sends nothing at all.
#include <QTemporaryDir>

#include "cli_test_support.h"

using namespace varnel;
using namespace varnel::cli::testing;

namespace {

constexpr int kBadInput = 2;
constexpr int kNoAnswer = 3;

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
  void ExpectRefused(const CliRun& run, int status, const char* message) {
    EXPECT_EQ(run.status, status) << run.err.toStdString();
    EXPECT_TRUE(run.oneErrorLine()) << run.err.toStdString();
    EXPECT_TRUE(run.err.startsWith("varnel-cli: ")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(message)) << run.err.toStdString();
    EXPECT_EQ(run.out, "");
  }

  QTemporaryDir dir;
};

}  // namespace

TEST_F(BadInput, UnknownDevicePathAfterExploringEverything) {
  ExpectRefused(Run("read", {"--device", "ПС Кедровая/Нет такой", "--board", "modem"}), kBadInput,
                "unknown device: ПС Кедровая/Нет такой");
  ExpectRefused(Run("read", {"--device", ".1.7.0.9", "--board", "modem"}), kBadInput, "unknown device: .1.7.0.9");
  // Exploration ran, but no board was asked anything.
  EXPECT_GT(Received(), 0u);
  EXPECT_TRUE(RootBoardRequests(0x04).empty());
}

TEST_F(BadInput, APeerThatNeverAnswers) {
  const CliRun run = RunCli({"discover", "--peer", "127.0.0.139", "--port", "20139", "--timeout", "0.5"});
  ExpectRefused(run, kNoAnswer, "no answer from 127.0.0.139");
  const CliRun read = RunCli({"read", "--peer", "127.0.0.139", "--port", "20139", "--timeout", "0.5", "--device",
                              "ПС Кедровая", "--board", "modem"});
  ExpectRefused(read, kNoAnswer, "no answer from 127.0.0.139");
}

TEST_F(BadInput, FirmwareFileTooLargeMissingOrEmpty) {
  const QString over = FileOf(2097152, "over.bin");
  ExpectRefused(Run("firmware", {"--device", "ПС Кедровая", "--mcu", over}), kBadInput,
                "firmware file too large: 2097152 bytes, at most 2097151");
  ExpectRefused(Run("firmware", {"--device", "ПС Кедровая", "--fpga", dir.filePath("none.bin")}), kBadInput,
                "firmware file not found");
  ExpectRefused(Run("firmware", {"--device", "ПС Кедровая", "--mcu", FileOf(0, "empty.bin")}), kBadInput,
                "firmware file is empty");
  ExpectRefused(Run("firmware", {"--device", "ПС Кедровая", "--mcu", dir.path()}), kBadInput,
                "not a regular file");
  EXPECT_EQ(Received(), 0u);
}

TEST_F(BadInput, ContradictingUnknownOrMissingOptionsSendNothing) {
  const QString file = FileOf(1000, "fw.bin");
  ExpectRefused(Run("firmware", {"--device", "ПС Кедровая", "--mcu", file, "--fpga", file}), kBadInput,
                "--mcu and --fpga exclude each other");
  ExpectRefused(Run("read", {"--device", "ПС Кедровая", "--board", "modem", "--board", "sl1"}), kBadInput,
                "--board given twice");
  ExpectRefused(Run("discover", {"--device", "ПС Кедровая"}), kBadInput, "unknown option '--device' for discover");
  ExpectRefused(Run("read", {"--device", "ПС Кедровая"}), kBadInput, "--board BOARD is required");
  ExpectRefused(Run("read", {"--device", "ПС Кедровая", "--board", "sl4"}), kBadInput, "bad value 'sl4' for --board");
  ExpectRefused(Run("read", {"--device", ".1.x", "--board", "modem"}), kBadInput, "bad value '.1.x' for --device");
  ExpectRefused(Run("log", {"--device", "ПС Кедровая", "--out", dir.path()}), kBadInput, "--out names a folder");
  ExpectRefused(Run("discover", {"--json=yes"}), kBadInput, "--json takes no value");
  ExpectRefused(RunCli({"discover", "--peer", "300.1.1.1"}), kBadInput, "bad value '300.1.1.1' for --peer");
  ExpectRefused(RunCli({"discover", "--peer", "127.0.0.134", "--timeout", "0"}), kBadInput, "for --timeout");
  ExpectRefused(RunCli({"discover"}), kBadInput, "--peer IP is required");
  ExpectRefused(RunCli({"explore"}), kBadInput, "unknown command 'explore'");
  ExpectRefused(RunCli({}), kBadInput, "a command is required");
  EXPECT_EQ(Received(), 0u);
}
