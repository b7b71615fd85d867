#include "sim/block/block_settings.h"

namespace varnel::sim {

namespace {

constexpr std::size_t kEthernetWrite = 17;  // command, MAC 2, VLAN 2, IP, mask, gateway
constexpr std::size_t kSnmpWrite = 21;      // and the manager's address
constexpr std::uint16_t kMaxVlan = 4095;
constexpr std::uint8_t kMaxWrittenId = 14;

Address4 At(ByteView b, std::size_t at) { return {b[at], b[at + 1], b[at + 2], b[at + 3]}; }

void Put(Bytes& out, const Address4& a) { out.insert(out.end(), a.begin(), a.end()); }

std::string Dotted(const Address4& a) {
  return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." +
         std::to_string(a[3]);
}

CommandReply Unanswered(ByteView payload, const std::string& why) {
  return {std::nullopt, HexText(payload) + " unanswered: " + why};
}

}  // namespace

EthernetSettings DefaultEthernet(std::uint8_t id) {
  EthernetSettings e;
  e.mac_tail = {0x5A, id};
  e.ip = {192, 168, 0, static_cast<std::uint8_t>(100 + id)};
  e.mask = {255, 255, 255, 0};
  e.gateway = {192, 168, 0, 1};
  e.community = "public";
  return e;
}

BlockSettings::BlockSettings(const Block& block, EthernetSettings ethernet)
    : id_(block.Id()), type_(block.Type()), wire_name_(block.WireName()), ethernet_(std::move(ethernet)) {}

Bytes BlockSettings::IdentityBody(std::uint8_t up_side) const {
  std::lock_guard lock(mutex_);
  Bytes body{up_side, type_};
  body.insert(body.end(), wire_name_.begin(), wire_name_.end());
  return body;
}

EthernetSettings BlockSettings::Ethernet() const {
  std::lock_guard lock(mutex_);
  return ethernet_;
}

std::string BlockSettings::WireName() const {
  std::lock_guard lock(mutex_);
  return wire_name_;
}

std::optional<CommandReply> BlockSettings::Handle(ByteView payload, std::uint8_t up_side) {
  if (payload.empty()) return std::nullopt;
  if (payload[0] == kNetworkSettingsCommand) {
    if (payload.size() == 1) {
      std::lock_guard lock(mutex_);
      return CommandReply{EthernetAnswer(), "network settings read"};
    }
    return WriteEthernet(payload);
  }
  if (payload[0] >= 1 && payload[0] <= kMaxWrittenId) return WriteName(payload, up_side);
  return std::nullopt;
}

CommandReply BlockSettings::WriteEthernet(ByteView payload) {
  const std::size_t n = payload.size();
  if (n != kEthernetWrite && (n < kSnmpWrite || n > kSnmpWrite + kMaxCommunityBytes)) {
    return Unanswered(payload, "network settings of " + std::to_string(n) + " bytes");
  }
  const auto vlan = static_cast<std::uint16_t>(payload[3] | (payload[4] << 8));
  if (vlan > kMaxVlan) return Unanswered(payload, "VLAN ID " + std::to_string(vlan));
  std::lock_guard lock(mutex_);
  ethernet_.mac_tail = {payload[1], payload[2]};
  ethernet_.vlan = vlan;
  ethernet_.ip = At(payload, 5);
  ethernet_.mask = At(payload, 9);
  ethernet_.gateway = At(payload, 13);
  if (n >= kSnmpWrite) {
    ethernet_.snmp_manager = At(payload, 17);
    ethernet_.community.assign(payload.begin() + kSnmpWrite, payload.end());
  }
  return {EthernetAnswer(), "network settings written: IP " + Dotted(ethernet_.ip) + " mask " +
                                Dotted(ethernet_.mask) + " gateway " + Dotted(ethernet_.gateway) +
                                " VLAN " + std::to_string(vlan) + " SNMP " + Dotted(ethernet_.snmp_manager)};
}

CommandReply BlockSettings::WriteName(ByteView payload, std::uint8_t up_side) {
  const std::size_t length = payload.size() - 1;
  if (length > kMaxNameBytes) return Unanswered(payload, "name of " + std::to_string(length) + " bytes");
  std::string note = "name written (" + HexText(payload.subspan(1)) + ")";
  // Every Route of the network is made from the IDs; they stay while the emulator runs.
  if (payload[0] != id_) note += "; ID " + std::to_string(payload[0]) + " not taken, stays " + std::to_string(id_);
  {
    std::lock_guard lock(mutex_);
    wire_name_.assign(payload.begin() + 1, payload.end());
  }
  return {IdentityBody(up_side), note};
}

// 0x11, MAC tail, VLAN low byte first, IP, mask, gateway, SNMP manager, community.
Bytes BlockSettings::EthernetAnswer() const {
  const EthernetSettings& e = ethernet_;
  Bytes body{kNetworkSettingsCommand, e.mac_tail[0], e.mac_tail[1]};
  AppendLittle(body, e.vlan, 2);
  for (const Address4* a : {&e.ip, &e.mask, &e.gateway, &e.snmp_manager}) Put(body, *a);
  body.insert(body.end(), e.community.begin(), e.community.end());
  return body;
}

}  // namespace varnel::sim
