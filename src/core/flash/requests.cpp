#include "flash/requests.h"

namespace varnel {

namespace {

Bytes Header(std::uint32_t address) {
  return {kFlashCommand, static_cast<std::uint8_t>(address >> 16), static_cast<std::uint8_t>(address >> 8),
          static_cast<std::uint8_t>(address)};
}

}  // namespace

std::uint8_t FlashCrc(ByteView bytes) {
  std::uint8_t crc = 0xFF;
  for (std::uint8_t b : bytes) crc = Crc8Step(b, crc);
  return crc;
}

Bytes FlashReadRequest(std::uint32_t address, int blockSize) {
  Bytes request = Header(address);
  request.push_back(static_cast<std::uint8_t>(blockSize / 4 - 1));
  return request;
}

Bytes FlashWriteRequest(std::uint32_t address, ByteView block, bool lastBlock) {
  Bytes request = Header(address);
  if (lastBlock) request[1] |= kLastBlockBit;
  request.insert(request.end(), block.begin(), block.end());
  request.push_back(FlashCrc(ByteView(request).subspan(1)));
  return request;
}

}  // namespace varnel
