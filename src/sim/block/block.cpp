#include "sim/block/block.h"

#include "sim/wire/cp1251.h"

namespace varnel::sim {

std::optional<Block> Block::Create(const BlockConfig& config, std::string& error) {
  if (config.id < 1 || config.id > 15) {
    error = "block ID must be 1..15, got " + std::to_string(config.id);
    return std::nullopt;
  }
  std::optional<std::string> wire_name = Utf8ToCp1251(config.name);
  if (!wire_name) {
    error = "block name \"" + config.name + "\" cannot be written in Windows-1251";
    return std::nullopt;
  }
  if (wire_name->size() > kMaxNameBytes) {
    error = "block name is longer than " + std::to_string(kMaxNameBytes) + " characters";
    return std::nullopt;
  }
  return Block(config.id, config.type, std::move(*wire_name));
}

Block::Block(std::uint8_t id, std::uint8_t type, std::string wire_name)
    : id_(id), type_(type), wire_name_(std::move(wire_name)) {}

}  // namespace varnel::sim
