// Lines of an export file: which are taken, which are refused, and what each keeps.
#include "viewer/log_line_parser.h"

#include <gtest/gtest.h>

#include <random>

#include "viewer/time_key.h"
#include "viewer_test_support.h"

using namespace varnel::viewer;
using viewer_test::Cp1251;
using viewer_test::LineBody;

namespace {

const QString kBoard = QStringLiteral("ВК20      ");
const QString kChannel = QStringLiteral("Канал 1");
const QString kEvent = QStringLiteral("Приёмник активирован");

QByteArray WithCells(const QString& date, const QString& time) { return LineBody({date, time, kBoard, kChannel, kEvent}); }

}  // namespace

TEST(LogLineParser, WellFormedLinesKeepTheirCellsAndBytes) {
  const QStringList cases[] = {
      {"07.03.2026", "09:05:00", "ВК20      ", "Канал 1", "Приёмник активирован"},
      {"-", "-", "Неизв.", "-", "Неизвестное событие 0x0005"},
      {"Не устан.", "23:59:59", "СЛ30 (к.1)", "Канал 3", "Коэффициент ошибок 1,28•10^-3"},
      {"29.02.2024", "00:00:00", "ТР-40 (1) ", "Канал 2", "Аварии: Обрыв линии (A1),Высокая температура (A4)"},
      {"31.12.1999", "12:00:00", "ПЖ05      ", "-", ""},
  };
  LogLineParser parser;
  for (const QStringList& cells : cases) {
    const QByteArray line = LineBody(cells);
    const LogRow row = parser.parse(line);
    ASSERT_FALSE(row.malformed()) << cells.join('|').toStdString() << ": " << row.problem.toStdString();
    for (int column = 0; column < kColumnCount; ++column) EXPECT_EQ(row.cells[column], cells[column]);
    EXPECT_EQ(row.raw, line);
    EXPECT_EQ(row.eventLower, cells[kEventColumn].toLower());
  }
}

TEST(LogLineParser, MalformedLinesAreRefusedWithTheirTextShown) {
  struct Case {
    const char* name;
    QByteArray line;
    QString shown;  // a piece the event cell must show
  };
  const QByteArray good = WithCells("07.03.2026", "09:05:00");
  const Case cases[] = {
      {"four cells", LineBody({"07.03.2026", "09:05:00", kBoard, kEvent}), "Приёмник"},
      {"six cells", good + Cp1251("лишняя\t"), "лишняя\\t"},
      {"no final tab", good.chopped(1), "09:05:00\\tВК20"},
      {"empty line", "", ""},
      {"tabs only", "\t\t\t\t\t", "\\t\\t"},
      {"day 32", WithCells("32.01.2026", "09:05:00"), "32.01.2026"},
      {"29 February of 2025", WithCells("29.02.2025", "09:05:00"), "29.02.2025"},
      {"year first", WithCells("2026.03.07", "09:05:00"), "2026.03.07"},
      {"one-digit day", WithCells("7.03.2026", "09:05:00"), "7.03.2026"},
      {"letters for a date", WithCells("Не знаю", "09:05:00"), "Не знаю"},
      {"hour 24", WithCells("07.03.2026", "24:00:00"), "24:00:00"},
      {"no seconds", WithCells("07.03.2026", "09:05"), "09:05"},
      {"sign in the time", WithCells("07.03.2026", "+9:05:00"), "+9:05:00"},
      {"NUL byte", good.left(3) + QByteArray(1, '\0') + good.mid(3), "07.\\x00"},
      {"CR inside", good.left(10) + "\r" + good.mid(10), "\\x0d"},
      {"DEL", good + "\x7f", "\\x7f"},
      {"unassigned byte 0x98", good.left(20) + "\x98" + good.mid(20), "\\x98"},
      {"over-long", good + QByteArray(2 * kMaxLineBytes, 'x'), "xxx…"},
  };
  LogLineParser parser;
  for (const Case& c : cases) {
    const LogRow row = parser.parse(c.line);
    EXPECT_TRUE(row.malformed()) << c.name;
    EXPECT_TRUE(row.raw.isEmpty()) << c.name;
    EXPECT_EQ(row.timeKey, kMalformedTimeKey) << c.name;
    EXPECT_TRUE(row.cells[kEventColumn].contains(c.shown)) << c.name << ": " << row.cells[kEventColumn].toStdString();
    EXPECT_LE(row.cells[kEventColumn].size(), 4 * kMaxLineBytes + 1) << c.name;
  }
}

TEST(ParseLogBytes, ARowPerLineWhateverTheLineEndAndRandomBytesNeverCrash) {
  std::mt19937 random(20260307);
  std::uniform_int_distribution<int> byte(0, 255);
  QByteArray bytes;
  for (int i = 0; i < 200'000; ++i) bytes += char(byte(random));
  // Well-formed lines around the noise must survive it: one ended by CR LF, one
  // by LF alone, one by nothing; an empty line is a row too.
  const QByteArray good = WithCells("07.03.2026", "09:05:00");
  bytes = good + "\r\n\n" + good + "\n" + bytes + "\n" + good;

  const auto rows = viewer_test::ParseAll(bytes);
  EXPECT_EQ(rows.size(), static_cast<std::size_t>(bytes.count('\n')) + 1);
  EXPECT_EQ(rows[0].raw, good);
  EXPECT_TRUE(rows[1].malformed());
  EXPECT_EQ(rows[2].raw, good);
  EXPECT_EQ(rows.back().raw, good);
  for (const LogRow& row : rows) EXPECT_EQ(row.malformed(), row.raw.isEmpty());
}

TEST(LogLineParser, RepeatedCellsStayRightBeyondWhatIsShared) {
  // More distinct dates, boards and channels than the parser shares, revisited
  // in different orders, so that a stale shared cell would show.
  LogLineParser parser;
  for (int i = 0; i < 400; ++i) {
    const QStringList cells = {QString("%1.03.2026").arg(1 + i % 28, 2, 10, QChar('0')), "09:05:00",
                               QString("ВК%1").arg(i * 7 % 37, 2, 10, QChar('0')).leftJustified(10),
                               QString("Канал %1").arg(i % 19), "Сброс"};
    const LogRow row = parser.parse(LineBody(cells));
    for (int column = 0; column < kColumnCount; ++column) ASSERT_EQ(row.cells[column], cells[column]) << i;
  }
}
