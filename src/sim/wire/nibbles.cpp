#include "sim/wire/nibbles.h"

namespace varnel::sim {

Bytes PackNibbles(const Nibbles& nibbles) {
  Bytes packed((nibbles.size() + 1) / 2, 0);
  for (std::size_t i = 0; i < nibbles.size(); ++i) {
    const unsigned value = nibbles[i] & 0x0Fu;
    packed[i / 2] |= static_cast<std::uint8_t>(i % 2 == 0 ? value : value << 4);
  }
  return packed;
}

Nibbles UnpackNibbles(ByteView bytes) {
  Nibbles nibbles;
  nibbles.reserve(bytes.size() * 2);
  for (std::uint8_t b : bytes) {
    nibbles.push_back(b & 0x0F);
    nibbles.push_back(b >> 4);
  }
  return nibbles;
}

std::string NibblesText(const Nibbles& nibbles) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (std::uint8_t n : nibbles) {
    text += '.';
    text += kDigits[n & 0x0F];
  }
  return text;
}

Nibbles Joined(const Nibbles& head, std::initializer_list<std::uint8_t> tail) {
  Nibbles joined = head;
  joined.insert(joined.end(), tail);
  return joined;
}

}  // namespace varnel::sim
