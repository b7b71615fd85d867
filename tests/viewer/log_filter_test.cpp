// Each filter alone and combined, over rows read from lines, and sorting
// through the proxy: dates by moment, not by text.
#include "viewer/log_filter.h"

#include <gtest/gtest.h>

#include "viewer/log_filter_proxy.h"
#include "viewer/time_key.h"
#include "viewer_test_support.h"

using namespace varnel::viewer;
using viewer_test::LogLine;

namespace {

// The event cell names each row, so that a result reads as a list of names.
std::vector<LogRow> SampleRows() {
  return viewer_test::ParseAll(LogLine({"07.03.2026", "09:05:00", "ВК20      ", "Канал 1", "r1 Приёмник активирован"}) +
                               LogLine({"07.03.2026", "12:00:00", "СЛ30 (к.1)", "Канал 2", "r2 Обрыв линии"}) +
                               LogLine({"08.03.2026", "00:00:00", "ВК20      ", "-", "r3 Аварии: Обрыв линии (A1)"}) +
                               LogLine({"-", "-", "ТР-40 (1) ", "Канал 1", "r4 Коэффициент ошибок 1,28•10^-3"}) +
                               LogLine({"Не устан.", "10:00:00", "ФПРМ      ", "-", "r5 Неизвестное событие 0x0005"}) +
                               viewer_test::Cp1251("r6 обрыв без табуляций\r\n"));
}

qint64 Key(const char* moment) { return TimeKeyOf(QDateTime::fromString(moment, "dd.MM.yyyy HH:mm:ss")); }

QStringList Accepted(const std::vector<LogRow>& rows, const LogFilter& filter) {
  QStringList names;
  for (const LogRow& row : rows) {
    if (filter.accepts(row)) names += row.cells[kEventColumn].left(2);
  }
  return names;
}

// The first letter of each event, in the proxy's order.
QString EventsInOrder(const LogFilterProxy& proxy) {
  QString events;
  for (int row = 0; row < proxy.rowCount(); ++row) events += proxy.index(row, kEventColumn).data().toString().left(1);
  return events;
}

}  // namespace

// Each control alone is also applied through the window's tests.
TEST(LogFilter, EachFilterAndTheirCombinations) {
  struct Case {
    const char* name;
    LogFilter filter;
    QStringList expected;
  };
  const Case cases[] = {
      {"nothing set", {}, {"r1", "r2", "r3", "r4", "r5", "r6"}},
      {"from and to on one second", {.fromKey = Key("07.03.2026 12:00:00"), .toKey = Key("07.03.2026 12:00:00")}, {"r2"}},
      {"empty range", {.fromKey = Key("08.03.2026 00:00:01"), .toKey = Key("31.12.2030 00:00:00")}, {}},
      {"board trimmed is another board", {.board = "ВК20"}, {}},
      {"channel dash", {.channel = "-"}, {"r3", "r5"}},
      {"text, malformed lines too", {.textLower = "обрыв"}, {"r2", "r3", "r6"}},
      {"text with signs", {.textLower = "•10^-3"}, {"r4"}},
      {"board and text", {.board = "ВК20      ", .textLower = "обрыв"}, {"r3"}},
      {"channel and from", {.fromKey = Key("01.01.2000 00:00:00"), .channel = "-"}, {"r3"}},
      {"all four", {.fromKey = Key("07.03.2026 09:05:00"), .toKey = Key("07.03.2026 09:05:00"),
                    .board = "ВК20      ", .channel = "Канал 1", .textLower = "приём"}, {"r1"}},
  };
  const std::vector<LogRow> rows = SampleRows();
  for (const Case& c : cases) EXPECT_EQ(Accepted(rows, c.filter), c.expected) << c.name;
}

TEST(LogFilterProxy, DateSortsByMomentWithUnknownDatesFirst) {
  LogTableModel model;
  model.setRows(viewer_test::ParseAll(LogLine({"10.01.2026", "08:00:00", "ВК20      ", "-", "A"}) +
                                      LogLine({"09.02.2025", "23:59:59", "ВК20      ", "-", "B"}) +
                                      LogLine({"-", "-", "ВК20      ", "-", "C"}) +
                                      LogLine({"Не устан.", "00:00:05", "ВК20      ", "-", "D"}) +
                                      LogLine({"09.02.2025", "-", "ВК20      ", "-", "E"}) +
                                      LogLine({"01.12.2025", "12:00:00", "ВК20      ", "-", "F"}) +
                                      LogLine({"10.01.2026", "07:59:59", "ВК20      ", "-", "G"}) +
                                      LogLine({"Не устан.", "00:00:01", "ВК20      ", "-", "H"}) +
                                      viewer_test::Cp1251("I malformed\r\n")));
  LogFilterProxy proxy(&model);
  EXPECT_EQ(EventsInOrder(proxy), "ABCDEFGHI");  // file order until sorted

  proxy.sort(kDateColumn, Qt::AscendingOrder);
  EXPECT_EQ(EventsInOrder(proxy), "ICHDEBFGA");
  proxy.sort(kDateColumn, Qt::DescendingOrder);
  EXPECT_EQ(EventsInOrder(proxy), "AGFBEDHCI");

  // A filter keeps the order of what it lets through.
  proxy.setFilter({.textLower = "d"});
  EXPECT_EQ(EventsInOrder(proxy), "DI");
  proxy.setFilter({});
  proxy.sort(kEventColumn, Qt::AscendingOrder);
  EXPECT_EQ(EventsInOrder(proxy), "ABCDEFGHI");
}
