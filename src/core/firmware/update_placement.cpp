#include "firmware/update_placement.h"

#include <algorithm>

namespace varnel {

namespace {

constexpr std::uint32_t kDescriptorEnd = kUpdateDescriptorAddress + kUpdateBlockBytes;
constexpr std::size_t kVersionAt = 0, kBlocksAt = 4, kCrcAt = 8;

}  // namespace

std::vector<FlashRange> PlaceUpdate(const UpdateFile& file, std::vector<std::uint8_t>& image) {
  if (file.data.size() > kUpdateDescriptorAddress) return {};
  if (image.size() < kFlashBytes) image.resize(kFlashBytes, 0);
  std::copy(file.data.begin(), file.data.end(), image.begin());
  // The whole block is written, so its unused bytes are set rather than left as the image held them.
  const auto descriptor = image.begin() + kUpdateDescriptorAddress;
  std::fill(descriptor, image.begin() + kDescriptorEnd, 0);
  std::copy(file.version.begin(), file.version.end(), descriptor + kVersionAt);
  SplitWord(file.blocks, descriptor[kBlocksAt], descriptor[kBlocksAt + 1]);
  SplitWord(file.crc, descriptor[kCrcAt], descriptor[kCrcAt + 1]);
  std::vector<FlashRange> wanted;
  if (!file.data.empty()) wanted.push_back({0, static_cast<std::uint32_t>(file.data.size())});
  wanted.push_back({kUpdateDescriptorAddress, kDescriptorEnd});
  return wanted;
}

}  // namespace varnel
