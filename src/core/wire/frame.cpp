#include "wire/frame.h"

namespace varnel {

std::uint8_t FrameChecksum(const std::uint8_t* data, std::size_t n) {
  std::uint32_t s = 0;
  for (std::size_t i = 0; i < n; ++i) s += data[i];
  s = (s >> 24) + ((s >> 16) & 0xFF) + ((s >> 8) & 0xFF) + (s & 0xFF);
  for (int fold = 0; fold < 2; ++fold) {
    if (((s >> 8) & 0xFF) > 0) s = ((s >> 8) & 0xFF) + (s & 0xFF);
  }
  return static_cast<std::uint8_t>(255 - (s & 0xFF));
}

std::uint8_t FrameChecksum(const Bytes& data) { return FrameChecksum(data.data(), data.size()); }

void AppendPackedNibbles(const Route& nibbles, Bytes& out) {
  for (std::size_t i = 0; i < nibbles.size(); i += 2) {
    std::uint8_t lo = nibbles[i] & 0x0F;
    std::uint8_t hi = i + 1 < nibbles.size() ? (nibbles[i + 1] & 0x0F) : 0;
    out.push_back(static_cast<std::uint8_t>(lo | (hi << 4)));
  }
}

Bytes PackNibbles(const Route& nibbles) {
  Bytes out;
  out.reserve((nibbles.size() + 1) / 2);
  AppendPackedNibbles(nibbles, out);
  return out;
}

std::string NibblesToText(const Route& nibbles) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(nibbles.size() * 2);
  for (auto n : nibbles) {
    text += '.';
    text += kHex[n & 0x0F];
  }
  return text;
}

AnswerCheck CheckAnswer(const std::uint8_t* data, std::size_t n) {
  if (n < 3) return AnswerCheck::TooShort;
  if (data[0] != kAnswerDirection) return AnswerCheck::NotAnswer;
  if (FrameChecksum(data, n) != 0) return AnswerCheck::BadChecksum;
  return AnswerCheck::Ok;
}

namespace {
Bytes RequestTo(const Route& nibbles) {
  Bytes frame{kRequestDirection};
  AppendPackedNibbles(nibbles, frame);
  return frame;
}
}  // namespace

Bytes OpenBlockRequest(const Route& idRoute) {
  Route r = idRoute;
  r.push_back(0);
  return RequestTo(r);
}

Bytes SideProbeRequest(const Route& sendRoute, int side) {
  Route r = sendRoute;
  for (std::uint8_t n : {static_cast<std::uint8_t>(side), std::uint8_t{0}, kAnyDevice, std::uint8_t{0}}) r.push_back(n);
  return RequestTo(r);
}

Bytes BroadcastIdentityRequest() { return RequestTo(Route{kAnyDevice, 0}); }

}  // namespace varnel
