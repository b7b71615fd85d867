// firmware against the emulated small network: the images the emulated
// modem boards stored must be the files sent, byte for byte; a board that
// breaks off the transfer or stops answering ends with its own exit status
// and one line.
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <random>
#include <thread>

#include "cli_test_support.h"

using namespace varnel;
using namespace varnel::cli::testing;

namespace {

// Built before the network, whose scenario names paths inside it.
struct Folder {
  QTemporaryDir dir;
  QString Path(const char* name) const { return dir.filePath(name); }

  // n bytes of noise, different for each seed.
  QByteArray Image(const char* name, int n, unsigned seed) const {
    std::mt19937 noise(seed);
    QByteArray bytes(n, '\0');
    for (char& b : bytes) b = static_cast<char>(noise());
    QFile file(Path(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == n);
    return bytes;
  }
  QByteArray Saved(const char* name) const {
    QFile file(Path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};

const QString kRoot = "ПС Кедровая";
const QString kChild = "ПС Кедровая/ПС Сосновая";

class WriteFirmware : protected Folder, public EmulatedNetwork {
 protected:
  // The root saves what it receives as kedr.*; Сосновая as sosna.* and ends
  // its last answer with 0x7FFF instead of the block's number.
  WriteFirmware()
      : EmulatedNetwork("small.ini", "127.0.0.136", 20136,
                        {{"modem_log=100", "modem_log=100\nmodem_fw_save=" + Path("kedr")},
                         {"name=ПС Сосновая", "name=ПС Сосновая\nmodem_fw_save=" + Path("sosna") +
                                                  "\nmodem_fw_last=end"}}) {}
};

// Which MCU request of the root's modem board holds the emulator up once:
// kStart for the start request, else the block of that number.
struct Stall {
  static constexpr int kNone = -2, kStart = -1;
  static constexpr auto kHeldMs = std::chrono::milliseconds(2500);  // the tool gives up after about 1 s
  std::atomic<int> at{kNone};

  // Frames to the root's board 4: header, 0x41, payload 02 nL nH ..., checksum.
  sim::UdpServer::Tap Tap() {
    return [this](const sim::TrafficEntry& e, const sim::Peer&) {
      const sim::Bytes& b = e.bytes;
      if (e.direction != sim::Direction::Received || b.size() < 6 || b[1] != 0x41 || b[2] != 0x02) return;
      const int request = (b[4] & 0x80) ? ((b[4] & 0x7F) << 8 | b[3]) : kStart;
      int expected = request;
      if (at.compare_exchange_strong(expected, kNone)) std::this_thread::sleep_for(kHeldMs);
    };
  }
};

class BrokenOff : protected Folder, protected Stall, public EmulatedNetwork {
 protected:
  // The root ends the session at its block 3; Сосновая answers its block 1
  // with a broken sequence.
  BrokenOff()
      : EmulatedNetwork(ScenarioOn("small.ini", "127.0.0.137",
                                   {{"modem_log=100", "modem_log=100\nmodem_fw_stop=3\nmodem_fw_save=" + Path("kedr")},
                                    {"name=ПС Сосновая", "name=ПС Сосновая\nmodem_fw_break=1"}}),
                        "127.0.0.137", 20137, Tap()) {}
};

}  // namespace

TEST_F(WriteFirmware, TheBoardsStoreTheFilesByteForByte) {
  // 800 whole blocks: the last block sent is empty.
  const QByteArray mcu = Image("modem.cbi", 800 * 256, 1);
  const CliRun root = Run("firmware", {"--device", kRoot, "--mcu", Path("modem.cbi"), "--json"});
  ASSERT_EQ(root.status, 0) << root.err.toStdString();
  EXPECT_EQ(root.err, "");  // no progress bar when standard error is no terminal
  EXPECT_TRUE(Saved("kedr.mcu") == mcu) << "stored " << Saved("kedr.mcu").size() << " bytes";
  EXPECT_EQ(root.json()["device"].toString(), kRoot);
  EXPECT_EQ(root.json()["kind"].toString(), "mcu");
  EXPECT_EQ(root.json()["bytes"].toInteger(), mcu.size());
  EXPECT_EQ(root.json()["blocks"].toInt(), 801);

  // Through the HF channel, answered 0x7FFF on the last block.
  const QByteArray fpga = Image("modem.lbi", 600, 2);
  const CliRun child = Run("firmware", {"--device", kChild, "--fpga", Path("modem.lbi")});
  ASSERT_EQ(child.status, 0) << child.err.toStdString();
  EXPECT_TRUE(Saved("sosna.fpga") == fpga) << "stored " << Saved("sosna.fpga").size() << " bytes";
  EXPECT_EQ(child.out, "600 bytes of fpga firmware written to the modem board of " + kChild + " in 3 blocks\n");
  // Each kind went to its own board only.
  EXPECT_FALSE(QFile::exists(Path("kedr.fpga")));
  EXPECT_FALSE(QFile::exists(Path("sosna.mcu")));
}

TEST_F(BrokenOff, ABoardEndingTheTransferEarlyIsAnError) {
  Image("modem.cbi", 2000, 3);  // 8 blocks
  ExpectFailure(Run("firmware", {"--device", kRoot, "--mcu", Path("modem.cbi")}), kDeviceError,
                "the modem board of ПС Кедровая ended the transfer early at block 4 of 8\n");
  EXPECT_FALSE(QFile::exists(Path("kedr.mcu")));

  Image("modem.lbi", 600, 4);
  ExpectFailure(Run("firmware", {"--device", kChild, "--fpga", Path("modem.lbi")}), kDeviceError,
                "the modem board of ПС Кедровая/ПС Сосновая reported a broken block sequence at block 2 of 3\n");
}

TEST_F(BrokenOff, ABoardThatStopsAnsweringIsNoAnswer) {
  Image("modem.cbi", 2000, 5);
  // Block 2 is sent again and again while the emulator is held up, until
  // the tool gives up.
  at = 2;
  ExpectFailure(Run("firmware", {"--device", kRoot, "--mcu", Path("modem.cbi")}), kNoAnswer,
                "no answer from the modem board of ПС Кедровая to block 3 of 8\n");
  std::this_thread::sleep_for(kHeldMs);  // until the emulator serves again

  at = kStart;
  ExpectFailure(Run("firmware", {"--device", kRoot, "--mcu", Path("modem.cbi")}), kNoAnswer,
                "no answer from the modem board of ПС Кедровая to the start of the transfer\n");
  EXPECT_FALSE(QFile::exists(Path("kedr.mcu")));
}
