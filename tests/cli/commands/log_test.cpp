// log against the emulated root of the small network, whose log holds 100
// entries across the ring's wrap and gains none while the test runs: every
// line of the file must be the entry the emulator sent for that ring index.
#include <QDir>
#include <QTemporaryDir>
#include <map>

#include "cli_test_support.h"
#include "eventlog/event_decoder.h"
#include "eventlog/log_answer.h"
#include "wire/cp1251.h"

using namespace varnel;
using namespace varnel::cli::testing;

namespace {

class ReadLog : public EmulatedNetwork {
 protected:
  ReadLog()
      : EmulatedNetwork("small.ini", "127.0.0.133", 20133,
                        {{"modem_log_first=4080", "modem_log_first=4080\nmodem_log_rate=0"}}) {}

  // The entries the root's modem board sent, by ring index, and its last LastN.
  std::map<int, LogEntry> SentEntries(int& lastN) const {
    std::map<int, LogEntry> entries;
    for (const auto& e : servers.ServerAt(0).Record()) {
      // Answer of board 4 of root 1: 80 41 09 ... checksum.
      if (e.direction != sim::Direction::Sent || e.bytes.size() < 7 || e.bytes[1] != 0x41 || e.bytes[2] != 0x09) {
        continue;
      }
      const auto answer = ParseLogAnswer(ByteView(e.bytes.data() + 2, e.bytes.size() - 3));
      if (!answer) continue;
      lastN = answer->lastN;
      for (std::size_t k = 0; k < answer->entries.size(); ++k) {
        entries[(answer->curAnswN + static_cast<int>(k)) % kLogRingSize] = answer->entries[k];
      }
    }
    return entries;
  }

  static std::vector<QStringList> FileRows(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.endsWith("\t\r\n"));
    std::vector<QStringList> rows;
    for (const QString& line : QString::fromStdString(Cp1251ToUtf8(bytes.toStdString())).split("\r\n")) {
      if (!line.isEmpty()) rows.push_back(line.split('\t'));
    }
    return rows;
  }

  QTemporaryDir dir;
};

}  // namespace

TEST_F(ReadLog, EveryEntryTheBoardSentIsALineOfTheFile) {
  const QString out = dir.filePath("kedr.log");
  const CliRun run = Run("log", {"--device", "ПС Кедровая", "--out", out, "--json", "--batch", "3"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  int lastN = -1;
  const std::map<int, LogEntry> sent = SentEntries(lastN);
  const int first = run.json()["first_index"].toInt();
  const int count = run.json()["entries"].toInt();
  EXPECT_EQ(count, RingDistance(lastN, first));
  EXPECT_GE(count, 84);  // ring indices 0..83 at least

  const std::vector<QStringList> rows = FileRows(out);
  ASSERT_EQ(static_cast<int>(rows.size()), count);
  for (int k = 0; k < count; ++k) {
    const int index = (first + k) % kLogRingSize;
    ASSERT_TRUE(sent.contains(index)) << "index " << index << " never sent";
    const DecodedEvent event = DecodeEvent(sent.at(index).board, sent.at(index).code);
    ASSERT_EQ(rows[k].size(), 6) << k;  // five cells, each followed by a tab
    EXPECT_EQ(rows[k][3].toStdString(), event.channel) << "row " << k + 1;
    EXPECT_EQ(rows[k][4].toStdString(), event.event) << "row " << k + 1;
  }
  // Batches of 2^3 entries: the code sits in the high nibble of the last byte.
  for (const sim::Bytes& request : RootBoardRequests(0x04)) {
    if (request.size() == 3 && request[0] == 0x09 && request[2] != 0x0F && request[2] != 0xFF) {
      EXPECT_EQ(request[2] >> 4, 3);
    }
  }
}

TEST_F(ReadLog, AFileThatCannotBeWrittenIsALocalFailure) {
  const QString out = dir.filePath("missing/kedr.log");
  ExpectFailure(Run("log", {"--device", "ПС Кедровая", "--out", out}), kLocalFailure, "cannot write " + out);
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}
