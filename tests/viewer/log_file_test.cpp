// Reading an export file from disk: a file larger than one read piece comes
// in whole, line for line, so does one that tells no size, and one past the
// size limit is refused.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>
#include <thread>

#include "viewer/log_file.h"
#include "viewer_test_support.h"

using namespace varnel::viewer;

namespace {

void ExpectWhole(const LoadResult& read, int lines) {
  ASSERT_TRUE(read.error.isEmpty()) << read.error.toStdString();
  ASSERT_EQ(read.rows.size(), static_cast<std::size_t>(lines));
  for (int i : {0, 1, lines / 2, lines - 1}) {
    EXPECT_FALSE(read.rows[i].malformed()) << i << read.rows[i].problem.toStdString();
    EXPECT_EQ(read.rows[i].cells[kEventColumn], QString("Событие %1").arg(i));
  }
}

}  // namespace

TEST(ReadLogFile, AFileOfSeveralReadPiecesComesInWholeWithOrWithoutASize) {
  // About 2.7 MiB: three read pieces, lines crossing where they meet.
  const int lines = 50000;
  QByteArray bytes;
  qsizetype pipeBytes = 0;  // the first 600 lines, about 30 KiB: several of the smallest pieces
  for (int i = 0; i < lines; ++i) {
    if (i == 600) pipeBytes = bytes.size();
    bytes += viewer_test::LogLine({"07.03.2026", "09:05:00", "ВК20      ", "Канал 1", QString("Событие %1").arg(i)});
  }
  QTemporaryDir dir;
  const QString path = viewer_test::WriteFile(dir, "log.txt", bytes);
  ASSERT_GT(QFile(path).size(), 2 * 1024 * 1024);
  ExpectWhole(ReadLogFile(path), lines);

  // A pipe reports size 0: the reading must go on in pieces until the end
  // rather than trust the size.
  const QString pipe = dir.filePath("pipe");
  ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  std::thread writer([&] {
    QFile out(pipe);
    if (out.open(QIODevice::WriteOnly)) out.write(bytes.left(pipeBytes));
  });
  const LoadResult read = ReadLogFile(pipe);
  writer.join();
  ExpectWhole(read, 600);
}

TEST(ReadLogFile, AFileOverTheLimitIsRefused) {
  QTemporaryDir dir;
  QFile file(dir.filePath("big.txt"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_TRUE(file.resize(kMaxFileBytes + 1));  // sparse: no 64 MiB written
  file.close();
  const LoadResult read = ReadLogFile(file.fileName());
  EXPECT_TRUE(read.rows.empty());
  EXPECT_TRUE(read.error.startsWith("Файл больше 64")) << read.error.toStdString();
}
