#include "access/password_digest.h"

#include <algorithm>
#include <cctype>

#include "wire/cp1251.h"
#include "wire/str_utils.h"

namespace varnel {

Bytes PasswordDigest(std::string_view utf8Password) {
  if (utf8Password.empty()) return {};
  std::uint8_t c8 = 0xFF;
  std::uint16_t c16 = 0;
  for (const char ch : Utf8ToCp1251(utf8Password)) {
    const auto b = static_cast<std::uint8_t>(ch);
    c8 = Crc8Step(b, c8);
    c16 = Crc16Step(b, c8);
  }
  return {c8, static_cast<std::uint8_t>(c16 >> 8), static_cast<std::uint8_t>(c16 & 0xFF)};
}

StoredPassword ParseStoredPassword(std::string_view text) {
  if (text.empty()) return {};
  const bool hex = std::all_of(text.begin(), text.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
  if (!hex || text.size() != 2 * kDigestBytes) return {StoredPasswordKind::Damaged, {}};
  return {StoredPasswordKind::Digest, HexToBytes(text)};
}

std::string StoredPasswordText(const Bytes& digest) { return BytesToHex(digest); }

}  // namespace varnel
