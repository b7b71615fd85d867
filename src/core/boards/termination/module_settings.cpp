#include "boards/termination/module_settings.h"

#include <algorithm>
#include <array>

#include "boards/termination/config_bits.h"

namespace varnel {

namespace {

constexpr std::size_t kFlags = 0, kTxCode = 1, kLock = 2;  // byte 3 is never used

constexpr std::uint8_t kTopCode = 0xB8;      // index 0, "-17"
constexpr std::uint8_t kSteppedCode = 0xB0;  // index 8, " -1"; from here down in steps of 16
constexpr int kFirstStepped = 8;
constexpr int kLastIndex = 19;  // code 0x00

// Byte 0 of a type 13 module: the bits holding receive level index bits 0..3.
constexpr std::array<int, 4> kRxBits = {3, 7, 0, 1};
constexpr int kAlwaysSetBit = 4;
constexpr int kSignallingBit = 2;
constexpr int kLevelBit = 0, kDiallingBit = 1;  // types 9 and 7
constexpr int kUnlockedBit = 0;

int RxLevelIndex(std::uint8_t b) {
  int index = 0;
  for (int i = 0; i < 4; ++i) index |= Bit8(b, kRxBits[i]) << i;
  return index;
}

void PutRxLevel(std::uint8_t& b, int index) {
  if (index < 0 || index > 15) return;
  for (int i = 0; i < 4; ++i) PutFlag(b, kRxBits[i], Flag(static_cast<std::uint8_t>(index), i));
}

// A two-entry list stored as one bit; no selection keeps the bit.
void PutChoice(std::uint8_t& b, int bit, int index) {
  if (index != kNoSelection) PutFlag(b, bit, index != 0);
}

}  // namespace

int TxLevelIndex(std::uint8_t code) {
  code = std::min(code, kTopCode);
  if (code > kSteppedCode) return kTopCode - code;
  return (kSteppedCode - code) / 16 + kFirstStepped;
}

std::optional<std::uint8_t> TxLevelCode(int index) {
  if (index < 0 || index > kLastIndex) return std::nullopt;
  if (index <= kFirstStepped) return static_cast<std::uint8_t>(kTopCode - index);
  return static_cast<std::uint8_t>((kLastIndex - index) * 16);
}

ModuleSettings DecodeModule(ConstModuleBytes bytes, std::uint8_t type) {
  ModuleSettings m;
  m.type = type;
  const std::uint8_t flags = bytes[kFlags];
  if (type == kModule4W) {
    m.txLevel = TxLevelIndex(bytes[kTxCode]);
    m.rxLevel = RxLevelIndex(flags);
    m.mode = Bit8(flags, kSignallingBit);
  } else if (type == kModuleFS || type == kModuleFO) {
    m.txLevel = Bit8(flags, kLevelBit);
    if (type == kModuleFO) m.mode = Bit8(flags, kDiallingBit);
  }
  m.locked = !Flag(bytes[kLock], kUnlockedBit);
  return m;
}

void EncodeModule(const ModuleSettings& m, ModuleBytes bytes) {
  std::uint8_t& flags = bytes[kFlags];
  if (m.type == kModule4W) {
    if (const std::optional<std::uint8_t> code = TxLevelCode(m.txLevel)) bytes[kTxCode] = *code;
    SetBit8(flags, kAlwaysSetBit);
    PutRxLevel(flags, m.rxLevel);
    PutChoice(flags, kSignallingBit, m.mode);
  } else if (m.type == kModuleFS || m.type == kModuleFO) {
    PutChoice(flags, kLevelBit, m.txLevel);
    if (m.type == kModuleFO) PutChoice(flags, kDiallingBit, m.mode);
  }
  PutFlag(bytes[kLock], kUnlockedBit, !m.locked);
}

}  // namespace varnel
