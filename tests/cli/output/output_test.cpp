// The progress bar's figures and what block texts may put on a terminal.
#include <gtest/gtest.h>

#include "cli/output/board_report.h"
#include "cli/output/printable.h"
#include "cli/output/progress.h"

using namespace varnel::cli;

TEST(ProgressBar, RateAndTimeLeftFromWhatIsDone) {
  EXPECT_EQ(ProgressBarText(0, 100, 0, 10), "[..........] 0/100  --/s  --:-- left");
  // 40 in 2 s: 20/s, 60 left take 3 s.
  EXPECT_EQ(ProgressBarText(40, 100, 2.0, 10), "[####......] 40/100  20.0/s  0:03 left");
  // 10 of 1000 in 5 s: 2/s, 990 left take 8 min 15 s.
  EXPECT_EQ(ProgressBarText(10, 1000, 5.0, 10), "[..........] 10/1000  2.0/s  8:15 left");
  // A count past the total (the log grew) never overfills the bar.
  EXPECT_EQ(ProgressBarText(120, 100, 4.0, 10), "[##########] 100/100  25.0/s  0:00 left");
  EXPECT_EQ(ProgressBarText(0, 0, 1.0, 4), "[....] 0/0  --/s  --:-- left");
}

TEST(Printable, ControlCharactersCannotReachTheTerminal) {
  EXPECT_EQ(Printable("ПС\x1b[2JКедр\r\nая\x7f"), "ПС?[2JКедр??ая?");
  EXPECT_EQ(Printable("Опора 5, №12"), "Опора 5, №12");
  // A name from a block cannot start a line of its own in a report.
  const BoardReport report{"modem", "Блок\nподделка: 1", {{"Раздел", {{"Поле", "значение\rещё"}}}}};
  EXPECT_EQ(BoardReportText(report), "Блок?подделка: 1: modem\nРаздел\n  Поле: значение?ещё\n");
}
