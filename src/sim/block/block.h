#pragma once
// One block: its identity as the scenario sets it.

#include <optional>
#include <string>

#include "sim/wire/bytes.h"

namespace varnel::sim {

inline constexpr std::uint8_t kUpSideEthernet = 0;
// Longer names are refused; the program cuts at 32 characters, so this leaves room
// to see that cut happen.
inline constexpr std::size_t kMaxNameBytes = 64;

struct BlockConfig {
  std::uint8_t id = 1;           // 1..15, one address nibble
  std::string name = "Блок 1";   // UTF-8
  std::uint8_t type = 1;
};

class Block {
 public:
  // Nothing, with the reason in error, when the config cannot describe a block.
  static std::optional<Block> Create(const BlockConfig& config, std::string& error);

  std::uint8_t Id() const { return id_; }
  std::uint8_t Type() const { return type_; }
  // The name as it goes on the wire, in Windows-1251.
  const std::string& WireName() const { return wire_name_; }

 private:
  Block(std::uint8_t id, std::uint8_t type, std::string wire_name);

  std::uint8_t id_;
  std::uint8_t type_;
  std::string wire_name_;
};

}  // namespace varnel::sim
