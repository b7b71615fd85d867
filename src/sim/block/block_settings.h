#pragma once
// What a block keeps about itself besides its boards and that the program can
// change: its name (the identity answers carry it) and the settings of its
// Ethernet port. Commands addressed to the block itself (ID Route, 0, payload)
// read and write them; the ID and the Routes stay as the scenario made them.

#include <array>
#include <mutex>
#include <optional>

#include "sim/block/block.h"
#include "sim/block/device_behaviour.h"

namespace varnel::sim {

inline constexpr std::uint8_t kNetworkSettingsCommand = 0x11;
inline constexpr std::size_t kMaxCommunityBytes = 8;

using Address4 = std::array<std::uint8_t, 4>;

struct EthernetSettings {
  std::array<std::uint8_t, 2> mac_tail{};  // the last two bytes of the MAC address
  std::uint16_t vlan = 0;                  // 0..4095
  Address4 ip{}, mask{}, gateway{};
  Address4 snmp_manager{};  // 0.0.0.0: SNMP off
  std::string community;    // Windows-1251 bytes, at most 8
};

// Made up from the block's ID: 192.168.0.(100 + ID)/24 behind 192.168.0.1,
// MAC ending 5A ID, VLAN 0, SNMP off with community "public".
EthernetSettings DefaultEthernet(std::uint8_t id);

class BlockSettings {
 public:
  BlockSettings(const Block& block, EthernetSettings ethernet);

  Bytes IdentityBody(std::uint8_t up_side) const;
  EthernetSettings Ethernet() const;
  std::string WireName() const;

  // 0x11 alone reads the settings; 0x11 with 17 bytes writes the Ethernet part,
  // with 21..29 bytes the SNMP manager and community too; both are answered
  // with the settings now held. An ID byte 1..14 and a name write the name and
  // are answered with the identity. Nothing when the payload is none of these.
  std::optional<CommandReply> Handle(ByteView payload, std::uint8_t up_side);

 private:
  CommandReply WriteEthernet(ByteView payload);
  CommandReply WriteName(ByteView payload, std::uint8_t up_side);
  Bytes EthernetAnswer() const;

  mutable std::mutex mutex_;
  std::uint8_t id_;
  std::uint8_t type_;
  std::string wire_name_;
  EthernetSettings ethernet_;
};

}  // namespace varnel::sim
