#pragma once
// The administrator password is never kept, only a 3-byte digest of it, and
// that digest is stored in the settings as six hexadecimal digits.

#include <string>
#include <string_view>

#include "wire/byte_utils.h"

namespace varnel {

constexpr std::size_t kDigestBytes = 3;

// Empty for an empty password. Otherwise, character by character over the
// Windows-1251 bytes of the text: c8 steps the CRC-8 from 0xFF, c16 is one
// CRC-16 step of the character started from that c8 (not carried over);
// the digest is c8, then c16 high and low byte after the last character.
Bytes PasswordDigest(std::string_view utf8Password);

// What the settings hold: no password, a digest, or a text that is neither
// (wrong length, not hexadecimal). A damaged value must lock, not open.
enum class StoredPasswordKind { None, Digest, Damaged };
struct StoredPassword {
  StoredPasswordKind kind = StoredPasswordKind::None;
  Bytes digest;  // kDigestBytes bytes when kind is Digest
};

StoredPassword ParseStoredPassword(std::string_view text);
// Upper-case hexadecimal, empty for the empty digest.
std::string StoredPasswordText(const Bytes& digest);

}  // namespace varnel
