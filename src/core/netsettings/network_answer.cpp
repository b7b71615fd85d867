#include "netsettings/network_answer.h"

#include "netsettings/block_request.h"
#include "wire/cp1251.h"
#include "wire/ip_text.h"
#include "wire/str_utils.h"

namespace varnel {

namespace {

std::string IpAt(ByteView body, std::size_t at) { return IpToText(body.subspan(at, 4)); }

}  // namespace

std::optional<NetworkSettings> ParseNetworkSettings(ByteView body) {
  if (body.size() < kShortNetworkAnswer || body[0] != kNetworkCommand) return std::nullopt;
  NetworkSettings s;
  s.mac = BytesToHex(body.data() + 1, 2);
  s.vlan = std::to_string(body[3] | (body[4] << 8));
  s.ip = IpAt(body, 5);
  s.mask = IpAt(body, 9);
  s.gateway = IpAt(body, 13);
  if (body.size() < kSnmpNetworkAnswer) return s;
  s.maskGatewayShown = true;
  s.snmp.shown = true;
  s.snmp.managerIp = IpAt(body, 17);
  s.snmp.enabled = s.snmp.managerIp != "0.0.0.0";
  // The edit holds 8 characters; more from a block would be cut there anyway.
  const std::size_t n = std::min(body.size() - kSnmpNetworkAnswer, kCommunityBytes);
  s.snmp.community = Cp1251ToUtf8(BytesToName(body.data() + kSnmpNetworkAnswer, n, n));
  return s;
}

}  // namespace varnel
