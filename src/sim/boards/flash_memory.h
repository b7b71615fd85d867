#pragma once
// The 1 MiB flash of a termination board. Erased flash reads 0xFF; memory is taken
// a 4 KiB page at a time when something is first written there.

#include <array>
#include <memory>

#include "sim/wire/bytes.h"

namespace varnel::sim {

inline constexpr std::uint32_t kFlashBytes = 0x100000;  // addresses 0x00000..0xFFFFF

class FlashMemory {
 public:
  // Whether count bytes from address on lie inside the flash.
  static bool Fits(std::uint32_t address, std::size_t count);

  // Nothing when the bytes do not all fit.
  Bytes Read(std::uint32_t address, std::size_t count) const;
  // False, and nothing written, when the bytes do not all fit.
  bool Write(std::uint32_t address, ByteView bytes);

  // Memory taken by written pages.
  std::size_t BytesHeld() const;

 private:
  static constexpr std::uint32_t kPageBytes = 0x1000;
  using Page = std::array<std::uint8_t, kPageBytes>;

  std::array<std::unique_ptr<Page>, kFlashBytes / kPageBytes> pages_;
};

}  // namespace varnel::sim
