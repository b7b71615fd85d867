#pragma once
// The four configuration bytes of one module position. What they mean
// depends on the type of module the board reported for that position.

#include <cstdint>
#include <optional>
#include <span>

namespace varnel {

// Module type codes (Modules[n].Tag) whose bytes mean more than the lock.
constexpr std::uint8_t kModule4W = 13;  // "4W01 ": levels and signalling
constexpr std::uint8_t kModuleFS = 9;   // "FS   ": transmit level
constexpr std::uint8_t kModuleFO = 7;   // "FO   ": transmit level and dialling

// An index the window left without a selection: the bits as read are kept.
constexpr int kNoSelection = -1;

struct ModuleSettings {
  std::uint8_t type = 0;  // the module type the bytes were read by, and are written by
  int txLevel = 0;        // transmit level list index
  int rxLevel = 0;        // receive level index 0..15, type 13
  int mode = 0;           // type 13: 1 = "АДАСЭ" signalling; type 7: 1 = tone dialling
  bool locked = false;    // "Блок"
};

// Type 13 transmit level: index 0..15 of the list "-17" .. " +6", and
// beyond it (up to 19) for codes under 0x31.
int TxLevelIndex(std::uint8_t code);
// The code of an index 0..19; nothing for any other.
std::optional<std::uint8_t> TxLevelCode(int index);

using ModuleBytes = std::span<std::uint8_t, 4>;
using ConstModuleBytes = std::span<const std::uint8_t, 4>;

ModuleSettings DecodeModule(ConstModuleBytes bytes, std::uint8_t type);
// Writes over the bytes as read, keeping what the module's type does not use.
void EncodeModule(const ModuleSettings& module, ModuleBytes bytes);

}  // namespace varnel
