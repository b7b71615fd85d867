#include "sim/boards/flash_memory.h"

namespace varnel::sim {

namespace {

constexpr std::uint8_t kErased = 0xFF;

}  // namespace

bool FlashMemory::Fits(std::uint32_t address, std::size_t count) {
  return address <= kFlashBytes && count <= kFlashBytes - address;
}

Bytes FlashMemory::Read(std::uint32_t address, std::size_t count) const {
  if (!Fits(address, count)) return {};
  Bytes bytes(count, kErased);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t at = address + static_cast<std::uint32_t>(i);
    if (const Page* page = pages_[at / kPageBytes].get()) bytes[i] = (*page)[at % kPageBytes];
  }
  return bytes;
}

bool FlashMemory::Write(std::uint32_t address, ByteView bytes) {
  if (!Fits(address, bytes.size())) return false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::uint32_t at = address + static_cast<std::uint32_t>(i);
    std::unique_ptr<Page>& page = pages_[at / kPageBytes];
    if (!page) {
      page = std::make_unique<Page>();
      page->fill(kErased);
    }
    (*page)[at % kPageBytes] = bytes[i];
  }
  return true;
}

std::size_t FlashMemory::BytesHeld() const {
  std::size_t held = 0;
  for (const auto& page : pages_) held += page ? kPageBytes : 0;
  return held;
}

}  // namespace varnel::sim
