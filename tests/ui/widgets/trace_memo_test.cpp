// The trace memo's storage: lines read back exactly across its blocks, and
// the bound that drops the oldest lines while the selection stays on the
// lines it held.
#include <gtest/gtest.h>

#include <QApplication>
#include <string>

#include "ui/widgets/trace_memo.h"

using varnel::ui::TraceMemo;

namespace {

// Lines of changing length, some far longer than a block, each naming its number.
std::string Line(int i) {
  const std::size_t length = i % 97 == 0 ? TraceMemo::kBlockBytes + 17 : 20 + (i * 37) % 3000;
  std::string line = "#" + std::to_string(i) + " ";
  line.resize(length, static_cast<char>('a' + i % 26));
  return line;
}

}  // namespace

TEST(TraceMemo, LinesReadBackExactlyAcrossBlocks) {
  TraceMemo memo;
  constexpr int kLines = 800;  // several blocks' worth
  for (int i = 0; i < kLines; ++i) memo.appendLine(Line(i));
  ASSERT_EQ(memo.lineCount(), kLines);
  EXPECT_EQ(memo.droppedLines(), 0);
  for (int i = 0; i < kLines; ++i) ASSERT_EQ(memo.lineAt(i).toStdString(), Line(i)) << "line " << i;
  EXPECT_EQ(memo.lastLine().toStdString(), Line(kLines - 1));
  EXPECT_EQ(memo.lineAt(-1), QString());
  EXPECT_EQ(memo.lineAt(kLines), QString());
  memo.appendLine("");  // an empty line is a line
  EXPECT_EQ(memo.lineCount(), kLines + 1);
  EXPECT_EQ(memo.lastLine(), QString());
}

TEST(TraceMemo, TheBoundDropsTheOldestLinesAndKeepsTheNewestWhole) {
  const std::size_t bound = 3 * TraceMemo::kBlockBytes;
  TraceMemo memo(nullptr, bound);
  const std::string line(100, 'x');
  constexpr int kLines = 40000;  // 4 MB, over ten times the bound
  for (int i = 0; i < kLines; ++i) memo.appendLine(std::to_string(i) + line);
  EXPECT_GT(memo.droppedLines(), 0);
  EXPECT_EQ(memo.droppedLines() + memo.lineCount(), kLines);
  EXPECT_LE(static_cast<std::size_t>(memo.lineCount()) * line.size(), bound);
  // At least all but one block's worth is kept.
  EXPECT_GE(static_cast<std::size_t>(memo.lineCount()) * (line.size() + 5), bound - TraceMemo::kBlockBytes);
  // The kept lines are the newest, in order.
  for (int i = 0; i < memo.lineCount(); ++i) {
    const long long number = memo.droppedLines() + i;
    ASSERT_EQ(memo.lineAt(i).toStdString(), std::to_string(number) + line);
  }
}

TEST(TraceMemo, TheSelectionStaysOnItsLinesWhileOldOnesGo) {
  TraceMemo memo(nullptr, 2 * TraceMemo::kBlockBytes);
  const std::string filler(1000, '.');
  int next = 0;
  auto append = [&](int count) {
    for (int i = 0; i < count; ++i, ++next) memo.appendLine(std::to_string(next) + filler);
  };
  append(300);  // more than a block
  memo.selectAll();
  const QString before = memo.selectedText();
  ASSERT_FALSE(before.isEmpty());
  // Past the bound the first block goes; the selection shrinks to what is left of it.
  append(300);
  ASSERT_GT(memo.droppedLines(), 0);
  ASSERT_LT(memo.droppedLines(), 300);
  const QString after = memo.selectedText();
  EXPECT_TRUE(before.endsWith(after)) << "the selection moved to other lines";
  EXPECT_TRUE(after.startsWith(QString::number(memo.droppedLines()) + "."));
  EXPECT_TRUE(after.endsWith("\n299" + QString::fromStdString(filler)));
  // Once every selected line is gone, nothing is selected.
  append(600);
  EXPECT_GT(memo.droppedLines(), 300);
  EXPECT_EQ(memo.selectedText(), QString());
}
