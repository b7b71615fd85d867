#include <gtest/gtest.h>

#include <algorithm>

#include "core_fakes.h"
#include "eventlog/event_log.h"
#include "eventlog/log_file.h"
#include "eventlog/read_all_session.h"
#include "wire/cp1251.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

// The current device is 3; the PC's clock stands at 2026-03-07 10:20:30.
class EventLogTest : public ::testing::Test {
 protected:
  EventLogTest() { request.currentDevice = 3; }
  // Answer 09 with H = cur + 4096·last and the given entries.
  static Bytes Answer(int cur, int last, const std::vector<Bytes>& entries = {}) {
    const std::uint32_t h = static_cast<std::uint32_t>(cur + 4096 * last);
    Bytes a{0x09, static_cast<std::uint8_t>(h), static_cast<std::uint8_t>(h >> 8), static_cast<std::uint8_t>(h >> 16)};
    for (const Bytes& e : entries) a.insert(a.end(), e.begin(), e.end());
    return a;
  }
  // An entry of board b with stamp t and code c.
  static Bytes Entry(std::uint8_t b, std::uint32_t t, std::uint16_t c) {
    const std::uint32_t w = static_cast<std::uint32_t>(b) << 28 | t;
    return {static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(w >> 8), static_cast<std::uint8_t>(w >> 16),
            static_cast<std::uint8_t>(w >> 24), static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8)};
  }
  bool Take(const Bytes& answer, int device = 3) { return log.GetLogVK(device, answer); }
  void Open(int last) {
    ASSERT_EQ(log.Compose(LogControl::Open), (Bytes{0x09, 0xFF, 0x0F}));
    ASSERT_TRUE(Take(Answer(4095, last)));
  }

  ManualClock clock = ClockAt(10, 20, 30);
  TraceLog trace{clock};
  RequestState request;
  EventLog log{trace, request};
};

}  // namespace

TEST_F(EventLogTest, OpeningWithoutEntriesShowsUpToTheLast1023) {
  EXPECT_EQ(log.Compose(LogControl::Read), (Bytes{0x09, 0xFF, 0x0F}));  // not open yet: the read opens it
  EXPECT_EQ(log.state(), kLogOpening);
  ASSERT_TRUE(Take(Bytes{0x09, 0x00, 0xE0, 0x01}));  // H = 122880: CurAnswN 0, LastN 30
  EXPECT_EQ(std::tuple(log.state(), log.first(), log.count(), log.afterLast()), std::tuple(kLogOpen, 0, 30, 30));
  EXPECT_EQ(log.rowCount(), 31);
  EXPECT_EQ(log.currentRow(), 14);
  EXPECT_EQ(log.row(0), (LogRow{" Дата", " Время", " Плата", " Канал", " Событие"}));
  EXPECT_EQ(log.Compose(LogControl::Read), std::nullopt);  // open: the read button reads the clock

  Open(2000);
  EXPECT_EQ(std::tuple(log.first(), log.count(), log.currentRow()), std::tuple(977, 1023, 1007));
}

TEST_F(EventLogTest, OpeningWithEntriesTakesTheWholeGridBackAcrossTheWrap) {
  log.Compose(LogControl::Open);
  ASSERT_TRUE(Take(Answer(4, 5, {Entry(0x04, 0x07E00000, 0x0001)})));
  EXPECT_EQ(std::tuple(log.first(), log.count(), log.rowCount()), std::tuple(3078, 1023, 1024));
  // Ring index 4 is row (4 + 1 - 3078) mod 4096 = 1023, the last.
  EXPECT_EQ(log.row(1023), (LogRow{"Не устан.", "-", "ВК20      ", "-", "Плата включена"}));
}

TEST_F(EventLogTest, BatchesStartAtTheCurrentRowAndMarkTheirRowsPending) {
  Open(1010);
  log.setCurrentRow(1);
  log.setBatchCode(5);
  EXPECT_EQ(log.Compose(LogControl::Batch), (Bytes{0x09, 0x00, 0x50}));
  for (int k = 1; k <= 32; ++k) EXPECT_EQ(log.row(k)[1], "*") << k;
  EXPECT_EQ(log.row(33)[1], "");
  log.setCurrentRow(1000);
  log.setBatchCode(7);
  EXPECT_EQ(log.Compose(LogControl::Batch), (Bytes{0x09, 0xE7, 0x73}));  // index 999, 128 entries
  EXPECT_EQ(log.row(1010)[1], "*");  // clipped at the last row

  // A grid whose first row is ring index 4090: I = 4090 is 09 FA 5F.
  log.Compose(LogControl::Open);
  ASSERT_TRUE(Take(Answer(0, 1017, {Entry(4, 0, 0)})));
  ASSERT_EQ(log.first(), 4090);
  log.setCurrentRow(1);
  log.setBatchCode(5);
  EXPECT_EQ(log.Compose(LogControl::Batch), (Bytes{0x09, 0xFA, 0x5F}));
}

TEST_F(EventLogTest, EntriesLandInTheirRowsWithDecodedTexts) {
  Open(30);
  std::vector<int> reported;
  log.onRowsWritten = [&](int row) { reported.push_back(row); };
  // 09:05:00 on 7 March of the cycle the PC's clock (7 March 2024) lies in, which began in 2022.
  const std::uint32_t t = (31 + 28 + 6) * 86400 + 9 * 3600 + 5 * 60;
  ASSERT_TRUE(Take(Answer(5, 30, {Entry(0x04, t, 0x4001), Entry(0x0A, 0x07C00000, 0x0002), Entry(0x05, t, 0x0001)})));
  EXPECT_EQ(log.row(6), (LogRow{"07.03.2022", "09:05:00", "ВК20      ", "Канал 1", "Приёмник активирован"}));
  EXPECT_EQ(log.row(7), (LogRow{"-", "-", "ТР-40 (1) ", "-", "Аварии: Обрыв линии (A1)"}));
  EXPECT_EQ(log.row(8)[2], "СЛ30 (к.1)");
  EXPECT_EQ(reported, std::vector<int>{8});
  // Without entries, the batch asked counts as read (32 rows from row 11).
  log.setCurrentRow(11);
  ASSERT_TRUE(log.Compose(LogControl::Batch));
  ASSERT_TRUE(Take(Answer(10, 30)));
  EXPECT_EQ(reported.back(), 30);
}

TEST_F(EventLogTest, AGrowingLogAddsRowsThenDropsTheOldest) {
  Open(1020);
  ASSERT_TRUE(Take(Answer(0, 1020, {Entry(4, 0, 0x4001), Entry(4, 0, 0x4000)})));
  ASSERT_EQ(log.first(), 0);
  EXPECT_EQ(log.count(), 1020);
  ASSERT_TRUE(Take(Answer(0, 1022)));
  EXPECT_EQ(std::tuple(log.count(), log.rowCount()), std::tuple(1022, 1023));
  // Eight more: one beyond 1023, so rows move up by one.
  ASSERT_TRUE(Take(Answer(1030, 1030)));
  EXPECT_EQ(std::tuple(log.first(), log.count(), log.rowCount(), log.afterLast()), std::tuple(7, 1023, 1024, 1030));
  EXPECT_TRUE(log.row(1)[0].empty());
  // The same from a grid of 1020: ten new entries move the rows up by seven.
  Open(1020);
  ASSERT_TRUE(Take(Answer(8, 1020, {Entry(4, 0, 0x4001)})));  // row 9
  ASSERT_TRUE(Take(Answer(1030, 1030)));
  EXPECT_EQ(log.first(), 7);
  EXPECT_EQ(log.row(2)[4], "Приёмник активирован");
  EXPECT_TRUE(log.row(1023)[4].empty());
}

TEST_F(EventLogTest, ClearingForgetsTheGridAndRejectedAnswersStoreNothing) {
  Open(30);
  EXPECT_EQ(log.Compose(LogControl::Clear), (Bytes{0x09, 0xFF, 0xFF}));
  EXPECT_EQ(std::tuple(log.state(), log.count()), std::tuple(kLogClosed, 0));
  EXPECT_TRUE(Take(Answer(0, 30, {Entry(4, 0, 1)})));  // taken, but nothing stored
  EXPECT_TRUE(log.row(1)[0].empty());

  Open(30);
  trace.setDebug(true);
  RecordingTrace lines;
  trace.setSink(&lines);
  EXPECT_FALSE(Take(Answer(0, 30, {Entry(4, 0, 1)}), 2));
  EXPECT_FALSE(Take(Bytes{0x09, 0x00, 0x00}));
  EXPECT_TRUE(lines.Has("  GetInfVKLOG err0") && lines.Has("  GetInfVKLOG err1"));
  EXPECT_TRUE(log.row(1)[0].empty());
  // A trailing part shorter than an entry is ignored.
  Bytes answer = Answer(0, 30, {Entry(4, 0, 1)});
  answer.push_back(0x55);
  EXPECT_TRUE(Take(answer));
  EXPECT_EQ(log.row(1)[4], "Плата включена");
}

TEST_F(EventLogTest, TheExportHasADatedLinePerRowInWindows1251) {
  Open(3);
  ASSERT_TRUE(Take(Answer(0, 3, {Entry(0x0A, 0x07C00000, 0), Entry(4, 0x07E00000, 1)})));
  const std::string text = LogFileText(log);
  EXPECT_EQ(text, Utf8ToCp1251("-\t-\tТР-40 (1) \t-\tНет аварий\t\r\n"
                               "Не устан.\t-\tВК20      \t-\tПлата включена\t\r\n"));  // row 3: no date
  EXPECT_TRUE(text.starts_with("-\t-\t\xD2\xD0-40 (1) \t-\t\xCD\xE5\xF2 \xE0\xE2\xE0\xF0\xE8\xE9\t\r\n"));
  EXPECT_EQ(LogSaveName("log1", true), "log1.log");
  EXPECT_EQ(LogSaveName("log1.log", true), "log1.log");
  EXPECT_EQ(LogSaveName("log1", false), "log1");
}

TEST_F(EventLogTest, ReadingEverythingStepsBatchByBatchAndRepeatsAnUnansweredOne) {
  Open(70);
  std::vector<int> asked;
  bool closed = false;
  ReadAllSession session(trace, log, {[&](int row) { asked.push_back(row); }, [&] { closed = true; }});
  log.onRowsWritten = [&](int row) { session.BatchDone(row); };
  session.Start();
  session.Tick(50);
  EXPECT_EQ(asked, std::vector<int>{1});
  EXPECT_EQ(session.progressText(), "Прочитано: 0/70");
  session.Tick(4950);
  EXPECT_EQ(asked, std::vector<int>{1});
  session.Tick(50);  // no answer for five seconds: the same batch again
  EXPECT_EQ(asked, (std::vector<int>{1, 1}));
  ASSERT_TRUE(Take(Answer(0, 70, std::vector<Bytes>(32, Entry(4, 0, 1)))));
  session.Tick(50);
  EXPECT_EQ(asked, (std::vector<int>{1, 1, 33}));
  EXPECT_EQ(std::tuple(session.progressText(), session.gauge()), std::tuple("Прочитано: 32/70", 45));
  ASSERT_TRUE(Take(Answer(32, 70, std::vector<Bytes>(38, Entry(4, 0, 1)))));
  session.Tick(50);
  EXPECT_TRUE(closed);
  EXPECT_EQ(session.progressText(), "Прочитано: 70/70");

  // A stopped session asks nothing more; an empty log closes at the first step.
  session.Start();
  session.Tick(50);
  session.Stop();
  session.Tick(10000);
  EXPECT_EQ(asked.size(), 4u);
  Open(0);
  closed = false;
  session.Start();
  session.Tick(50);
  EXPECT_TRUE(closed);
  EXPECT_EQ(asked.size(), 4u);
}

TEST_F(EventLogTest, AnswersWithoutEntriesCountOnlyForTheBatchAsked) {
  Open(100);
  std::vector<int> asked;
  bool closed = false;
  ReadAllSession session(trace, log, {[&](int row) {
                                        asked.push_back(row);
                                        log.setCurrentRow(row);
                                        ASSERT_TRUE(log.Compose(LogControl::Batch));
                                      },
                                      [&] { closed = true; }});
  log.onRowsWritten = [&](int row) { session.BatchDone(row); };
  session.Start();
  session.Tick(50);
  ASSERT_TRUE(Take(Answer(0, 100, std::vector<Bytes>(32, Entry(4, 0, 1)))));
  session.Tick(50);
  EXPECT_EQ(asked, (std::vector<int>{1, 33}));
  // A late copy of the open answer, and an empty one of an index not asked:
  // neither may end the read with rows unread.
  ASSERT_TRUE(Take(Answer(4095, 100)));
  ASSERT_TRUE(Take(Answer(70, 100)));
  session.Tick(50);
  EXPECT_FALSE(closed);
  EXPECT_EQ(asked, (std::vector<int>{1, 33}));
  EXPECT_EQ(log.row(40)[1], "*");
  // The batch asked holds no entries (a hole in the ring): read past it.
  ASSERT_TRUE(Take(Answer(32, 100)));
  session.Tick(50);
  EXPECT_EQ(asked, (std::vector<int>{1, 33, 65}));
}
