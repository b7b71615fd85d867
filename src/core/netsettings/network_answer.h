#pragma once
// The block's answer 0x11: its Ethernet settings, and from 21 bytes on its
// SNMP manager and community. Texts are ready for the page's controls.

#include <optional>
#include <string>

#include "wire/byte_utils.h"

namespace varnel {

// The SNMP group of the page: shown only when the block reported it.
struct SnmpPanel {
  bool shown = false;
  bool enabled = false;  // the box is ticked unless the address is 0.0.0.0
  std::string managerIp;
  std::string community;  // UTF-8, at most kCommunityBytes characters
};

struct NetworkSettings {
  std::string mac;  // last two bytes, 4 upper-case hex digits
  std::string vlan;
  std::string ip, mask, gateway;
  bool maskGatewayShown = false;
  SnmpPanel snmp;
};

inline constexpr std::size_t kShortNetworkAnswer = 17;
inline constexpr std::size_t kSnmpNetworkAnswer = 21;

// Nothing for a body that is not 0x11 or shorter than 17 bytes.
std::optional<NetworkSettings> ParseNetworkSettings(ByteView body);

// The page's views, told by the answer's parser.
class NetworkSettingsView {
 public:
  virtual ~NetworkSettingsView() = default;
  virtual void ShowNetworkSettings(int device, const NetworkSettings& settings) = 0;
};

}  // namespace varnel
