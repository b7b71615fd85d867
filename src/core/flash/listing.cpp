#include "flash/listing.h"

#include "wire/str_utils.h"

namespace varnel {

namespace {

constexpr std::uint32_t kBoardAddressOffset = 0x4C0000;
constexpr std::size_t kBytesPerLine = 16;

}  // namespace

std::vector<std::string> FlashReadListing(std::uint32_t address, ByteView data, std::uint8_t crcResult) {
  std::vector<std::string> lines{" CMD Flash READ ADDR=0x" + HexText(address, 6) + " "};
  std::string line;
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (i % kBytesPerLine == 0) {
      if (i != 0) lines.push_back(line);
      line = HexText(static_cast<std::uint32_t>(address + kBoardAddressOffset + i), 6) + " :";
    }
    line += " " + HexText(data[i], 2);
  }
  lines.push_back(line + "  CRC=" + HexText(crcResult, 2));
  lines.push_back("________");
  return lines;
}

}  // namespace varnel
