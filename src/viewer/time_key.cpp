#include "viewer/time_key.h"

namespace varnel::viewer {

namespace {

constexpr qint64 kRealDateBase = 2;
constexpr qint64 kTimeRanks = 24 * 60 * 60 + 1;

// The number made of the digits at [from, from + count), or -1.
int DigitsAt(QStringView text, qsizetype from, qsizetype count) {
  int value = 0;
  for (qsizetype i = from; i < from + count; ++i) {
    const char16_t c = text[i].unicode();
    if (c < u'0' || c > u'9') return -1;
    value = value * 10 + (c - u'0');
  }
  return value;
}

// Whether text is "dd?dd?dd..." with the separator at 2 and 5.
bool HasSeparators(QStringView text, qsizetype length, char16_t separator) {
  return text.size() == length && text[2] == separator && text[5] == separator;
}

}  // namespace

std::optional<qint64> DateRank(QStringView cell) {
  if (cell == u"-") return 0;
  if (cell == u"Не устан.") return 1;
  if (!HasSeparators(cell, 10, u'.')) return std::nullopt;
  const QDate date(DigitsAt(cell, 6, 4), DigitsAt(cell, 3, 2), DigitsAt(cell, 0, 2));
  if (!date.isValid()) return std::nullopt;
  return kRealDateBase + date.toJulianDay();
}

std::optional<int> TimeRank(QStringView cell) {
  if (cell == u"-") return 0;
  if (!HasSeparators(cell, 8, u':')) return std::nullopt;
  const int hours = DigitsAt(cell, 0, 2);
  const int minutes = DigitsAt(cell, 3, 2);
  const int seconds = DigitsAt(cell, 6, 2);
  if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59) return std::nullopt;
  return 1 + hours * 3600 + minutes * 60 + seconds;
}

qint64 TimeKey(qint64 dateRank, int timeRank) { return dateRank * kTimeRanks + timeRank; }

qint64 TimeKeyOf(const QDateTime& moment) {
  return TimeKey(kRealDateBase + moment.date().toJulianDay(), 1 + moment.time().msecsSinceStartOfDay() / 1000);
}

QDateTime MomentOfKey(qint64 key) {
  const qint64 timeRank = key % kTimeRanks;
  const QTime time = QTime::fromMSecsSinceStartOfDay(static_cast<int>(timeRank > 0 ? timeRank - 1 : 0) * 1000);
  return QDateTime(QDate::fromJulianDay(key / kTimeRanks - kRealDateBase), time);
}

bool HasRealDate(qint64 key) { return key >= TimeKey(kRealDateBase, 0); }

}  // namespace varnel::viewer
