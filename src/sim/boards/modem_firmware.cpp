#include "sim/boards/modem_firmware.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "sim/boards/reply.h"
#include "sim/wire/crc.h"

namespace varnel::sim {

namespace {

constexpr std::uint8_t kMcu = 0x02;
constexpr std::size_t kBlockBytes = 256;
constexpr std::uint16_t kSequenceBroken = 0x7FFE;
constexpr std::uint16_t kEnds = 0x7FFF;
constexpr std::uint8_t kBlockFlag = 0x80;
constexpr std::string_view kBoard = "modem";

Bytes Numbered(std::uint8_t code, std::uint16_t n, bool block) {
  return {code, static_cast<std::uint8_t>(n & 0xFF),
          static_cast<std::uint8_t>((n >> 8 & 0x7F) | (block ? kBlockFlag : 0))};
}

std::string KindText(std::uint8_t code) { return code == kMcu ? "MCU" : "FPGA"; }

// Whole or not at all: written beside the target, then renamed over it.
std::string Save(const std::string& path, const Bytes& image) {
  const std::string part = path + ".part";
  {
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    if (!out.flush()) return ", not saved to " + path;
  }
  std::error_code ec;
  std::filesystem::rename(part, path, ec);
  return ec ? ", not saved to " + path : ", saved to " + path;
}

}  // namespace

CommandReply ModemFirmwareReceiver::Handle(ByteView payload) {
  const std::uint8_t code = payload[0];
  if (payload.size() < 3) return BoardIgnored(kBoard, payload, "firmware request too short");
  const auto n = static_cast<std::uint16_t>((payload[2] & 0x7F) << 8 | payload[1]);
  if ((payload[2] & kBlockFlag) == 0) {
    if (payload.size() != 3) return BoardIgnored(kBoard, payload, "start request of " + std::to_string(payload.size()) + " bytes");
    return Start(code, n);
  }
  return Block(code, n, payload.subspan(3));
}

CommandReply ModemFirmwareReceiver::Start(std::uint8_t code, std::uint16_t n) {
  open_ = true;
  code_ = code;
  session_ = n;
  next_ = 0;
  complete_ = false;
  image_.clear();
  return BoardAnswer(kBoard, Numbered(code, n, false), KindText(code) + " program session " + std::to_string(n) + " started");
}

CommandReply ModemFirmwareReceiver::End(std::uint8_t code, std::uint16_t n, const std::string& why) {
  open_ = false;
  return BoardAnswer(kBoard, Numbered(code, n, true), why);
}

CommandReply ModemFirmwareReceiver::Block(std::uint8_t code, std::uint16_t n, ByteView data) {
  const std::string block = KindText(code) + " block " + std::to_string(n);
  if (!open_ || code != code_) {
    return BoardIgnored(kBoard, Numbered(code, n, true), "no " + KindText(code) + " session");
  }
  // A repeat of the block answered last: its answer was lost on the way.
  if (next_ > 0 && n == next_ - 1) {
    const bool last = complete_;
    return BoardAnswer(kBoard, Numbered(code, last && settings_.last_as_end ? kEnds : n, true), block + " again");
  }
  if (complete_) return BoardIgnored(kBoard, Numbered(code, n, true), "program already complete");
  if (settings_.break_at == n) return End(code, kSequenceBroken, block + ": sequence broken as the scenario asks");
  if (settings_.stop_at == n) return End(code, kEnds, block + ": the board ends the session as the scenario asks");
  if (n != next_ || data.size() > kBlockBytes || image_.size() + data.size() > kModemProgramMaxBytes) {
    return End(code, kSequenceBroken,
               block + " of " + std::to_string(data.size()) + " bytes where block " + std::to_string(next_) +
                   " was expected: sequence broken");
  }
  image_.insert(image_.end(), data.begin(), data.end());
  ++next_;
  if (data.size() == kBlockBytes) return BoardAnswer(kBoard, Numbered(code, n, true), block + " stored");
  return Finish(code, n);
}

CommandReply ModemFirmwareReceiver::Finish(std::uint8_t code, std::uint16_t n) {
  complete_ = true;
  const Bytes answer = Numbered(code, settings_.last_as_end ? kEnds : n, true);
  std::string note = KindText(code) + " program received in session " + std::to_string(session_) + ": " +
                     std::to_string(image_.size()) + " bytes in " + std::to_string(next_) + " blocks, CRC-16 " +
                     HexValue(Crc16(image_), 4);
  if (image_.empty()) return BoardAnswer(kBoard, answer, note + ", empty: not taken");
  if (!settings_.save_prefix.empty()) note += Save(settings_.save_prefix + (code == kMcu ? ".mcu" : ".fpga"), image_);
  (code == kMcu ? mcu_ : fpga_) = ReceivedProgram{code, image_};
  return BoardAnswer(kBoard, answer, note + "; runs after a restart");
}

std::optional<ReceivedProgram> ModemFirmwareReceiver::TakeCompleted(std::uint8_t code) {
  std::optional<ReceivedProgram>& slot = code == kMcu ? mcu_ : fpga_;
  std::optional<ReceivedProgram> taken = std::move(slot);
  slot.reset();
  return taken;
}

}  // namespace varnel::sim
