#pragma once
// The block-level request of the "Параметры блока" pages: the block's
// attributes (ID and name) and its Ethernet settings, read or written with
// one frame addressed to the block itself (its ID Route, then 0).

#include <optional>
#include <string>

#include "model/request_state.h"
#include "wire/byte_utils.h"
#include "wire/route.h"

namespace varnel {

enum class BlockPage { Attributes, Network, Other };

// The page's controls as typed (UTF-8).
struct BlockForm {
  BlockPage page = BlockPage::Attributes;
  std::string name;
  int idIndex = 0;  // position in the ID list, 0..13 for IDs 1..14; -1 none
  std::string mac, vlan, ip, mask, gateway;
  bool snmpShown = false;  // the SNMP group is on the page
  bool snmpOn = false;
  std::string snmpIp, community;
};

struct BlockRequest {
  Bytes frame;        // direction byte, address, payload; no checksum; empty on error
  std::string error;  // every invalid field, each followed by "\r"
  std::uint8_t expectedCode = 0;
  // What the page's controls become.
  bool clearName = false;
  bool clearIp = false;
  std::optional<std::string> snmpIpText;
};

inline constexpr std::uint8_t kNetworkCommand = 0x11;
inline constexpr std::uint8_t kAttributesCode = 0x02;
inline constexpr std::size_t kCommunityBytes = 8;

BlockRequest BuildBlockRequest(const BlockForm& form, const Route& idRoute, RequestModeValue mode);

}  // namespace varnel
