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
using viewer_test::LineBody;

TEST(ReadLogFile, AFileOfSeveralReadPiecesComesInWhole) {
  QTemporaryDir dir;
  const QString path = dir.filePath("log.txt");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  // About 2.7 MiB: three read pieces, lines crossing where they meet.
  const int lines = 50000;
  for (int i = 0; i < lines; ++i) {
    file.write(LineBody({"07.03.2026", "09:05:00", "ВК20      ", "Канал 1", QString("Событие %1").arg(i)}));
    file.write("\r\n");
  }
  file.close();
  ASSERT_GT(QFile(path).size(), 2 * 1024 * 1024);
  const LoadResult read = ReadLogFile(path);
  ASSERT_TRUE(read.error.isEmpty()) << read.error.toStdString();
  ASSERT_EQ(read.rows.size(), static_cast<std::size_t>(lines));
  for (int i : {0, 1, 12345, lines - 1}) {
    EXPECT_FALSE(read.rows[i].malformed()) << i << read.rows[i].problem.toStdString();
    EXPECT_EQ(read.rows[i].cells[kEventColumn], QString("Событие %1").arg(i));
  }
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

// A pipe reports size 0: the reading must go on in pieces until the end
// rather than trust the size.
TEST(ReadLogFile, AFileWithoutASizeComesInWhole) {
  QTemporaryDir dir;
  const QString path = dir.filePath("pipe");
  ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
  const int lines = 600;  // about 30 KiB: several of the smallest pieces
  std::thread writer([&] {
    QFile pipe(path);
    if (!pipe.open(QIODevice::WriteOnly)) return;
    for (int i = 0; i < lines; ++i) {
      pipe.write(LineBody({"07.03.2026", "09:05:00", "ВК20      ", "Канал 1", QString("Событие %1").arg(i)}) + "\r\n");
    }
  });
  const LoadResult read = ReadLogFile(path);
  writer.join();
  ASSERT_TRUE(read.error.isEmpty()) << read.error.toStdString();
  ASSERT_EQ(read.rows.size(), static_cast<std::size_t>(lines));
  for (int i : {0, 299, lines - 1}) {
    EXPECT_FALSE(read.rows[i].malformed()) << i << read.rows[i].problem.toStdString();
    EXPECT_EQ(read.rows[i].cells[kEventColumn], QString("Событие %1").arg(i));
  }
}
