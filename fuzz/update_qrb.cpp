// A termination board update file (.qrb) as the operator picks it: the checks,
// the status text and the placement in the flash image. A file that passes
// must place its data byte for byte and never reach the descriptor block.
//
// Input: one byte of fixes (bit 0: the header gets the data's CRC-16, bit 1:
// the block count fitting the size), then the file. The fixes let the fuzzer
// past the checks a random file never passes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "firmware/update_file.h"
#include "firmware/update_placement.h"

using namespace varnel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  Bytes file(data + 1, data + size);
  const std::size_t payload = kUpdateHeaderBytes + kUpdateTrailerBytes;
  if ((data[0] & 0x02) && file.size() >= payload) {
    const std::size_t blocks = (file.size() - payload) / kUpdateBlockBytes;
    file.resize(payload + blocks * kUpdateBlockBytes);
    file[12] = static_cast<std::uint8_t>(blocks >> 8);
    file[13] = static_cast<std::uint8_t>(blocks);
  }
  if ((data[0] & 0x01) && file.size() >= payload) {
    const std::uint16_t crc = Crc16(ByteView(file).subspan(kUpdateHeaderBytes, file.size() - payload));
    file[18] = static_cast<std::uint8_t>(crc >> 8);
    file[19] = static_cast<std::uint8_t>(crc);
  }
  const UpdateFileCheck check = CheckUpdateFile(file);
  if (!check.file) {
    if (check.error.empty()) std::abort();
    return 0;
  }
  const UpdateFile& update = *check.file;
  (void)UpdateFileStatus(update);
  std::vector<std::uint8_t> image;
  const std::vector<FlashRange> ranges = PlaceUpdate(update, image);
  if (image.size() != kFlashBytes) std::abort();
  for (std::size_t i = 0; i < update.data.size(); ++i) {
    if (image[i] != update.data[i]) std::abort();
  }
  for (const FlashRange& r : ranges) {
    if (r.begin >= r.end || r.end > kFlashBytes) std::abort();
  }
  return 0;
}
