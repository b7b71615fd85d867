#pragma once
// Update files built in memory: valid by default, every field breakable on
// its own. The CRC is computed bit by bit, apart from the program's table.

#include <cstdint>
#include <string>

#include "wire/byte_utils.h"

namespace varnel::testing {

struct QrbOptions {
  std::string identifier = "QRVSL3001";  // cut or zero-padded to 9 bytes
  std::string version = "215";           // cut or zero-padded to 3 bytes
  std::uint16_t blocks = 3;              // as declared
  std::uint16_t blockSize = 512;         // as declared
  long crc = -1;                         // -1: the data's CRC
  std::size_t trailingBytes = 8;         // other than 8: the size no longer matches
};

// Data byte n of every generated file.
inline std::uint8_t QrbDataByte(std::size_t n) { return static_cast<std::uint8_t>(n * 31 + (n >> 8)); }

inline std::uint16_t QrbCrc(ByteView data) {
  std::uint16_t crc = 0xFFFF;
  for (std::uint8_t b : data) {
    crc ^= b;
    for (int i = 0; i < 8; ++i) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
  }
  return crc;
}

inline void PutText(Bytes& out, const std::string& text, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) out.push_back(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
}

inline void PutWord(Bytes& out, std::uint16_t w) {
  out.push_back(static_cast<std::uint8_t>(w >> 8));
  out.push_back(static_cast<std::uint8_t>(w));
}

inline Bytes MakeQrb(const QrbOptions& o = {}) {
  Bytes data(std::size_t{o.blocks} * o.blockSize);
  for (std::size_t n = 0; n < data.size(); ++n) data[n] = QrbDataByte(n);
  Bytes file;
  PutText(file, o.identifier, 9);
  PutText(file, o.version, 3);
  PutWord(file, o.blocks);
  PutWord(file, o.blockSize);
  PutWord(file, 0xA55A);  // reserved
  PutWord(file, o.crc >= 0 ? static_cast<std::uint16_t>(o.crc) : QrbCrc(data));
  file.insert(file.end(), data.begin(), data.end());
  file.insert(file.end(), o.trailingBytes, 0xEE);
  return file;
}

}  // namespace varnel::testing
