#include "boards/modem/modem_dump.h"

#include "wire/str_utils.h"

namespace varnel {

namespace {

const std::string kSeparator(41, '_');

}  // namespace

// A third address byte would land where the board reads the count, so an
// address must be exactly two bytes.
std::optional<DumpRequest> ComposeDumpRequest(std::string_view addressText, std::string_view lengthText) {
  const Bytes a = HexToBytes(addressText);
  if (a.size() != 2) return std::nullopt;
  Bytes l = HexToBytes(lengthText);
  if (l.empty()) return std::nullopt;
  if (l.size() == 1) l.insert(l.begin(), 0x00);
  const int length = l[0] * 256 + l[1];
  if (length == 0) return std::nullopt;
  const auto n = static_cast<std::uint8_t>((length - 1) % 256);
  return DumpRequest{Bytes{0x00, a[1], a[0], n}, HexText(n + 1u, 3)};
}

std::vector<std::string> DumpListing(std::uint16_t address, ByteView bytes) {
  std::vector<std::string> lines{kSeparator};
  std::string line;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i % 16 == 0) {
      lines.push_back(line);
      line = HexText(static_cast<unsigned>(address + i), 4) + ":";
    }
    line += i % 4 == 0 ? " " : "-";
    line += HexText(bytes[i], 2);
  }
  lines.push_back(line);
  lines.push_back(kSeparator);
  return lines;
}

}  // namespace varnel
