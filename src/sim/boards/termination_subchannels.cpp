#include "sim/boards/termination_subchannels.h"

#include <algorithm>

namespace varnel::sim {

namespace {

constexpr std::uint8_t kKind = 0x02;
constexpr std::size_t kAnalogLength = 25;
constexpr unsigned kRateUnit = 100;   // bit/s per rate byte step
constexpr unsigned kSpeedUnit = 10;   // bit/s per speed step (0.01 kbit/s)
constexpr unsigned kSerialTx = 1200;  // RS-232 traffic while there is room for data
constexpr unsigned kSerialRx = 600;
constexpr unsigned kMaxErrorCount = 255;

// Flags A.
constexpr std::uint8_t kCodec8000 = 0x01;
constexpr int kVoice1Shift = 2;
constexpr std::uint8_t kServiceRxWorking = 0x10;
constexpr std::uint8_t kServiceTxWorking = 0x20;
constexpr std::uint8_t kDataRxWorking = 0x40;
constexpr std::uint8_t kAnalog = 0x80;

// PoE measurement word: a 48 V supply (8108 x 5.92 mV) and a 250 mA load
// (4096 x 61.035 uA).
constexpr std::uint32_t kVoltageCode = 8108;
constexpr std::uint32_t kCurrentCode = 4096;
constexpr std::uint32_t kLoadConnected = 0x8000;

unsigned CodecRate(const TerminationSettings& s) { return s.codec_8000 ? 8000 : 6400; }

// The one-byte rate fields cannot hold a fast line; the 16-bit ones carry it.
std::uint8_t RateByte(unsigned rate) {
  return static_cast<std::uint8_t>(std::min(255u, rate / kRateUnit));
}

std::uint8_t FlagsA(const TerminationSettings& s) {
  std::uint8_t flags = static_cast<std::uint8_t>(s.voice_modules[0] << kVoice1Shift);
  if (s.codec_8000) flags |= kCodec8000;
  if (!s.faults.service_rx) flags |= kServiceRxWorking;
  if (!s.faults.service_tx) flags |= kServiceTxWorking;
  if (!s.faults.data_rx) flags |= kDataRxWorking;
  return flags;
}

std::uint32_t PoeWord(PoeState poe) {
  if (poe == PoeState::Load) return kVoltageCode << 16 | kLoadConnected | kCurrentCode;
  if (poe == PoeState::NoLoad) return kVoltageCode << 16;
  return 0;
}

// Traffic in bit/s: Ethernet takes a share of the room left for data.
struct Traffic {
  unsigned eth_tx = 0;
  unsigned eth_rx = 0;
  unsigned serial_tx = 0;
  unsigned serial_rx = 0;
};

Traffic TrafficOf(const TerminationSettings& s) {
  Traffic t;
  if (const int tx = DataRate(s, s.line_tx); tx > 0) {
    t.eth_tx = static_cast<unsigned>(tx) / 2;
    t.serial_tx = kSerialTx;
  }
  if (const int rx = DataRate(s, s.line_rx); rx > 0) {
    t.eth_rx = static_cast<unsigned>(rx) / 4;
    t.serial_rx = kSerialRx;
  }
  return t;
}

// 16-bit counters wrap, as the board's do.
std::uint16_t ByteCount(unsigned bits_per_second, std::int64_t elapsed) {
  return static_cast<std::uint16_t>(bits_per_second * elapsed / 8);
}

// One-byte error counters stop at their top rather than look healthy again.
std::uint8_t ErrorCount(unsigned per_minute, std::int64_t elapsed) {
  return static_cast<std::uint8_t>(
      std::min<std::int64_t>(kMaxErrorCount, per_minute * elapsed / 60));
}

Bytes AnalogAnswer(const TerminationSettings& s) {
  Bytes body{kKind};
  AppendBig16(body, s.level);
  body.resize(kAnalogLength - 1, 0);
  body.push_back(kAnalog);
  return body;
}

}  // namespace

int DataRate(const TerminationSettings& s, unsigned line_rate) {
  const int voices = (s.voice_modules[0] != 0) + (s.voice_modules[1] != 0);
  return static_cast<int>(line_rate) - static_cast<int>(s.service_rate + s.tm_rate) -
         voices * static_cast<int>(CodecRate(s));
}

Bytes SubchannelAnswer(const TerminationSettings& s, std::int64_t elapsed) {
  if (s.analog) return AnalogAnswer(s);
  const Traffic t = TrafficOf(s);
  // Bytes 0..14; the codec counters (1..4) and the bytes not interpreted stay 0.
  Bytes body(15, 0);
  body[0] = kKind;
  body[6] = ErrorCount(s.errors_per_minute, elapsed);
  body[7] = RateByte(s.line_tx);
  body[8] = RateByte(s.line_rx);
  body[10] = ErrorCount(2 * s.errors_per_minute, elapsed);
  for (unsigned rate : {t.eth_tx, t.eth_rx, t.serial_tx, t.serial_rx}) {
    AppendBig16(body, ByteCount(rate, elapsed));
  }
  body.push_back(RateByte(s.service_rate));
  body.push_back(FlagsA(s));
  for (unsigned rate : {t.eth_tx, t.eth_rx, t.serial_tx, t.serial_rx}) {
    AppendBig16(body, static_cast<std::uint16_t>(rate / kSpeedUnit));
  }
  body.push_back(RateByte(s.tm_rate));
  body.push_back(s.voice_modules[1]);  // flags B
  AppendBig16(body, static_cast<std::uint16_t>(s.line_tx / kRateUnit));
  AppendBig16(body, static_cast<std::uint16_t>(s.line_rx / kRateUnit));
  AppendBig32(body, PoeWord(s.poe));
  return body;
}

}  // namespace varnel::sim
