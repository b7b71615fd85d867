#pragma once
// The memory dump page: the read request from the two hexadecimal fields,
// and the listing of the answer for the trace memo.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "wire/byte_utils.h"
#include "wire/byte_utils.h"

namespace varnel {

struct DumpRequest {
  Bytes request;           // 00 aL aH n
  std::string lengthText;  // the length field rewritten as n + 1, three hex digits
};
// Nothing when the address is not two bytes or the length is zero or missing.
std::optional<DumpRequest> ComposeDumpRequest(std::string_view addressText, std::string_view lengthText);

// Separator, an empty line, one line per 16 bytes, separator.
std::vector<std::string> DumpListing(std::uint16_t address, ByteView bytes);

}  // namespace varnel
