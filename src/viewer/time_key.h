#pragma once

#include <QDateTime>
#include <QStringView>
#include <optional>

namespace varnel::viewer {

// Rows sort by one number built from the date and time cells: a malformed
// line first, then the date "-" (clock unreadable), then "Не устан." (clock
// not set), then real dates by day; within one day a time "-" comes first.
inline constexpr qint64 kMalformedTimeKey = -1;

// The rank of a date cell: 0 for "-", 1 for "Не устан.", more for a real
// "dd.mm.yyyy" date; nothing when the cell is none of these.
std::optional<qint64> DateRank(QStringView cell);
// The rank of a time cell: 0 for "-", 1 + seconds of the day for "hh:nn:ss".
std::optional<int> TimeRank(QStringView cell);

qint64 TimeKey(qint64 dateRank, int timeRank);
// The key of a moment, to compare rows with the bounds of a date filter.
qint64 TimeKeyOf(const QDateTime& moment);
// The moment of a key with a real date; a time "-" reads as midnight.
QDateTime MomentOfKey(qint64 key);
// Whether a key belongs to a row with a real date.
bool HasRealDate(qint64 key);

}  // namespace varnel::viewer
