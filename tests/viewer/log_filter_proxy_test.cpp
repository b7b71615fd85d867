// Sorting through the proxy: dates by moment, not by text.
#include "viewer/log_filter_proxy.h"

#include <gtest/gtest.h>

#include "viewer_test_support.h"

using namespace varnel::viewer;
using viewer_test::LogLine;

namespace {

QStringList EventsInOrder(const LogFilterProxy& proxy) {
  QStringList events;
  for (int row = 0; row < proxy.rowCount(); ++row) {
    events += proxy.index(row, kEventColumn).data().toString().left(1);
  }
  return events;
}

}  // namespace

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
  EXPECT_EQ(EventsInOrder(proxy).join(""), "ABCDEFGHI");  // file order until sorted

  proxy.sort(kDateColumn, Qt::AscendingOrder);
  EXPECT_EQ(EventsInOrder(proxy).join(""), "ICHDEBFGA");
  proxy.sort(kDateColumn, Qt::DescendingOrder);
  EXPECT_EQ(EventsInOrder(proxy).join(""), "AGFBEDHCI");

  // A filter keeps the order of what it lets through.
  proxy.setFilter({.textLower = "d"});
  EXPECT_EQ(EventsInOrder(proxy).join(""), "DI");
  proxy.setFilter({});
  proxy.sort(kEventColumn, Qt::AscendingOrder);
  EXPECT_EQ(EventsInOrder(proxy).join(""), "ABCDEFGHI");
}
