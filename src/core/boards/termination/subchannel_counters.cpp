#include "boards/termination/subchannel_counters.h"

#include "boards/termination/half_even.h"
#include "boards/termination/subchannel_state.h"
#include "wire/byte_utils.h"
#include "wire/str_utils.h"

namespace varnel {

namespace {

// Scale of the PoE codes, in millionths of a volt and of a milliampere.
constexpr std::int64_t kVoltsPerCode = 5920;
constexpr std::int64_t kMilliampsPerCode = 61035;
constexpr std::int64_t kMillionth = 1000000;

std::uint16_t WordAt(ByteView data, std::size_t i) { return WordOf(data[i], data[i + 1]); }

// Bytes and speeds of one interface, from the offset of its transmitted bytes
// and of its transmit speed (units of 0.01 kbit/s).
std::string TrafficText(ByteView data, std::size_t bytesAt, std::size_t speedAt) {
  return "  Tx/Rx: " + std::to_string(WordAt(data, bytesAt)) + "/" + std::to_string(WordAt(data, bytesAt + 2)) +
         " байт\r  скорость Tx/Rx: " + FixedText(1, WordAt(data, speedAt) / 100.0) + "/" +
         FixedText(1, WordAt(data, speedAt + 2) / 100.0) + " кбит/с";
}

}  // namespace

std::string PoeText(std::uint32_t poeBits, std::uint32_t word) {
  if (!Bit8(poeBits, 0)) return "PoE: не поддерживается";
  if (Bit8(poeBits, 1)) return "PoE: заблокировано";
  if (!Bit16(word, 15)) return "PoE: нагрузка отключена";
  const std::int64_t u = RoundHalfEven(Bits32(word, 16, 14) * kVoltsPerCode, kMillionth);
  const std::int64_t i = RoundHalfEven(Bits32(word, 0, 14) * kMilliampsPerCode, kMillionth);
  return "PoE: U=" + std::to_string(u) + "В  I=" + std::to_string(i) + "мА  P=" +
         FixedText(2, static_cast<double>(u * i) / 1000.0) + "Вт";
}

std::string SubchannelCountersText(ByteView data, std::uint32_t poeBits) {
  if (data.size() < kDigitalAnswerBytes) return {};
  std::string out = "ETH/IP\r" + TrafficText(data, 15, 25);
  if (data.size() >= kPoeWordBytes) {
    out += "\r  " + PoeText(poeBits, DWordOf(data[39], data[40], data[41], data[42]));
  }
  out += "\r\rRS-232\r" + TrafficText(data, 19, 29);
  out += "\r\rОшибки: ОКС: " + std::to_string(data[6]) + "  ПД: " + std::to_string(data[10]);
  return out;
}

}  // namespace varnel
