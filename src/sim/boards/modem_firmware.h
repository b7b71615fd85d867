#pragma once
// The modem board taking a new program: 02 (MCU) or 03 (FPGA), then the
// 15-bit number n in byte 1 and the low bits of byte 2. Bit 7 of byte 2
// clear: a session starts with number n and is answered with it. Set: block
// n with up to 256 bytes, answered with n once stored; a block shorter than
// 256 bytes is the last. A repeated block (its answer was lost) is answered
// again; any other block breaks the sequence (answered 0x7FFE).

#include <cstdint>
#include <optional>
#include <string>

#include "sim/boards/modem_settings.h"
#include "sim/block/device_behaviour.h"

namespace varnel::sim {

inline constexpr std::size_t kModemProgramMaxBytes = 2'097'151;

struct ReceivedProgram {
  std::uint8_t code = 0;  // 02 or 03
  Bytes image;
};

class ModemFirmwareReceiver {
 public:
  explicit ModemFirmwareReceiver(ModemFirmwareSettings settings) : settings_(std::move(settings)) {}

  // payload starts with 02 or 03.
  CommandReply Handle(ByteView payload);
  // The programs received whole since the last call; a restart takes them.
  std::optional<ReceivedProgram> TakeCompleted(std::uint8_t code);

 private:
  CommandReply Start(std::uint8_t code, std::uint16_t n);
  CommandReply Block(std::uint8_t code, std::uint16_t n, ByteView data);
  CommandReply Finish(std::uint8_t code, std::uint16_t n);
  CommandReply End(std::uint8_t code, std::uint16_t n, const std::string& why);

  ModemFirmwareSettings settings_;
  bool open_ = false;  // a session is running
  std::uint8_t code_ = 0;
  std::uint16_t session_ = 0;
  std::uint32_t next_ = 0;  // the block expected
  bool complete_ = false;  // the last block arrived; repeats of it are answered again
  Bytes image_;
  std::optional<ReceivedProgram> mcu_, fpga_;
};

}  // namespace varnel::sim
