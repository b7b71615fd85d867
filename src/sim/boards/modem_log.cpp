#include "sim/boards/modem_log.h"

#include "sim/boards/drift.h"

namespace varnel::sim {

namespace {

constexpr std::uint8_t kLogCode = 0x09;
constexpr std::int64_t kPastSpacing = 5400;  // seconds between made-up entries
constexpr std::int64_t kMinute = 60;
constexpr std::uint32_t kStampBits = 0x07FFFFFF;  // bit 27 stays clear
// Bits 21..26 all set: the clock was never set; 62 there: it could not be read.
constexpr std::uint32_t kStampUnset = 63u << 21;
constexpr std::uint32_t kStampError = 62u << 21;

// Up to 59 minutes later than the even spacing, so the past does not look ruled.
std::int64_t Jitter(std::uint64_t n, std::uint8_t device_id) {
  return static_cast<std::int64_t>((7 * n + 3u * device_id) % 60) * kMinute;
}

}  // namespace

ModemLog::ModemLog(const ModemSettings& settings, std::uint8_t device_id, std::int64_t now,
                   const ModemClock& clock)
    : cycle_(EventCycle(settings)),
      device_id_(device_id),
      clock_kind_(settings.log.clock),
      per_minute_(settings.log.per_minute),
      start_(now),
      initial_(settings.log.entries),
      written_(settings.log.entries),
      ring_(settings.log.first) {
  for (std::uint64_t n = 0; n < initial_; ++n) {
    const auto back = static_cast<std::int64_t>(initial_ - n) * kPastSpacing;
    ring_.Write(Stamped(n, now - back + Jitter(n, device_id), clock));
  }
}

void ModemLog::CatchUp(std::int64_t now, const ModemClock& clock) {
  if (now <= start_ || per_minute_ == 0) return;
  const auto due = static_cast<std::uint64_t>(FloorDiv((now - start_) * per_minute_, kMinute));
  std::uint64_t added = written_ - initial_;
  if (due <= added) return;
  if (due - added > kLogCapacity) {
    // Those would be overwritten before anyone could read them.
    const std::uint64_t skipped = due - added - kLogCapacity;
    ring_.Restart(skipped);
    added += skipped;
  }
  while (added < due) {
    ++added;
    // Entry j falls due at the first whole second where j of them are due.
    const std::int64_t at =
        start_ +
        FloorDiv(static_cast<std::int64_t>(added) * kMinute + per_minute_ - 1, per_minute_);
    ring_.Write(Stamped(initial_ + added - 1, at, clock));
  }
  written_ = initial_ + due;
}

void ModemLog::ClockSet() {
  if (clock_kind_ == LogClock::Unset) clock_kind_ = LogClock::Set;
}

Bytes ModemLog::Answer(unsigned index, std::size_t most) const {
  const LogBatch batch = ring_.Read(index, most);
  Bytes body{kLogCode};
  AppendLittle(body, batch.first + static_cast<std::uint32_t>(ring_.Last()) * kLogSlots, 3);
  for (const LogEntry& entry : batch.entries) {
    AppendLittle(body, static_cast<std::uint32_t>(entry.board) << 28 | (entry.stamp & kStampBits),
                 4);
    AppendLittle(body, entry.code, 2);
  }
  return body;
}

LogEntry ModemLog::Stamped(std::uint64_t n, std::int64_t t, const ModemClock& clock) const {
  LogEntry entry = MadeUpEvent(cycle_, n, device_id_);
  entry.stamp = clock_kind_ == LogClock::Unset   ? kStampUnset
                : clock_kind_ == LogClock::Error ? kStampError
                                                 : clock.Stamp(t);
  return entry;
}

}  // namespace varnel::sim
