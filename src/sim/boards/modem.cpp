#include "sim/boards/modem.h"

#include "sim/boards/modem_dump.h"
#include "sim/boards/reply.h"

namespace varnel::sim {

namespace {

constexpr std::uint8_t kDump = 0x00;
constexpr std::uint8_t kVersions = 0x01;
constexpr std::uint8_t kMcuProgram = 0x02;
constexpr std::uint8_t kFpgaProgram = 0x03;
constexpr std::uint8_t kRestart = 0x04;
constexpr std::uint8_t kClock = 0x08;
constexpr std::uint8_t kEventLog = 0x09;
constexpr std::uint8_t kCommonConfig = 0x10;
constexpr std::uint8_t kResetOrLoop = 0x14;
constexpr std::uint8_t kClearLoops = 0x04;
constexpr std::uint8_t kLastLoop = 0x07;
// Event log reads: 09, index bits 0..7, batch code << 4 | index bits 8..11. With
// index FFF, batch code 0 opens the log and the whole byte FF clears it.
constexpr std::size_t kLogRequestLength = 3;
constexpr unsigned kLastIndex = 0xFFF;
constexpr unsigned kOpen = 0x0;
constexpr unsigned kClear = 0xF;
constexpr unsigned kLargestBatch = 7;

constexpr std::string_view kBoard = "modem";

CommandReply Answer(Bytes body, const std::string& note) {
  return BoardAnswer(kBoard, std::move(body), note);
}

CommandReply Ignored(ByteView payload, const std::string& why) {
  return BoardIgnored(kBoard, payload, why);
}

std::string WrongLength(ByteView payload) {
  return std::to_string(payload.size()) + " bytes";
}

std::string Channel(std::size_t c) { return "channel " + std::to_string(c + 1); }

std::uint32_t LittleEndian32(ByteView bytes) {
  std::uint32_t value = 0;
  for (std::size_t i = bytes.size(); i-- > 0;) value = value << 8 | bytes[i];
  return value;
}

}  // namespace

ModemBoard::ModemBoard(const ModemSettings& settings, std::uint8_t device_id, LocalClock clock)
    : mcu_(settings.mcu),
      fpga_(settings.fpga),
      clock_(std::move(clock)),
      config_(DefaultModemConfig(settings, device_id)),
      channels_(settings.errors_per_minute, clock_()),
      log_(settings, device_id, clock_(), board_clock_),
      firmware_(settings.firmware),
      restart_seconds_(settings.firmware.restart_seconds) {}

CommandReply ModemBoard::Command(ByteView payload) {
  const std::uint8_t code = payload.front();
  if (clock_() < silent_until_) return Ignored(payload, "restarting");
  if (code == kMcuProgram || code == kFpgaProgram) return firmware_.Handle(payload);
  if (code == kRestart) return Restart(payload);
  // Entries due by now are written before anything, a clock write included, can
  // change how they would be stamped.
  log_.CatchUp(clock_(), board_clock_);
  if (code == kDump) return Dump(payload);
  if (code == kVersions) return Versions(payload);
  if (code == kClock) return Clock(payload);
  if (code == kEventLog) return EventLog(payload);
  if (code == kCommonConfig) return Common(payload);
  // Channel c (0-based) has the configuration code 11+c and the state code 15+c.
  if (code > kCommonConfig && code < kResetOrLoop) {
    return ChannelConfig(code - kCommonConfig - 1, payload);
  }
  if (code == kResetOrLoop) return ResetOrLoop(payload);
  if (code > kResetOrLoop && code <= kResetOrLoop + kModemChannels) {
    return ChannelState(code - kResetOrLoop - 1, payload);
  }
  return Ignored(payload, "command not emulated");
}

CommandReply ModemBoard::Versions(ByteView payload) const {
  if (payload.size() != 1) return Ignored(payload, WrongLength(payload));
  return Answer({kVersions, mcu_, fpga_}, "versions");
}

CommandReply ModemBoard::Common(ByteView payload) {
  if (payload.size() == 1) return Answer(CommonAnswer(config_.common, mcu_), "common config");
  if (!ApplyCommonWrite(payload, mcu_, config_.common)) {
    return Ignored(payload, WrongLength(payload) + " do not fit MCU version " +
                                std::to_string(mcu_));
  }
  return Answer(CommonAnswer(config_.common, mcu_), "common config written");
}

CommandReply ModemBoard::ChannelConfig(std::size_t c, ByteView payload) {
  ModemChannelConfig& channel = config_.channels[c];
  if (payload.size() == 1) {
    return Answer(ChannelAnswer(c + 1, channel, mcu_), Channel(c) + " config");
  }
  const ModemChannelConfig old = channel;
  if (!ApplyChannelWrite(payload, mcu_, channel)) {
    return Ignored(payload, WrongLength(payload) + " do not fit MCU version " +
                                std::to_string(mcu_));
  }
  channels_.Reconfigure(c, old, clock_());
  return Answer(ChannelAnswer(c + 1, channel, mcu_), Channel(c) + " config written");
}

CommandReply ModemBoard::ChannelState(std::size_t c, ByteView payload) const {
  if (payload.size() != 1) return Ignored(payload, WrongLength(payload));
  return Answer(channels_.StateAnswer(c, config_.channels[c], mcu_, clock_()),
                Channel(c) + " state");
}

CommandReply ModemBoard::ResetOrLoop(ByteView payload) {
  if (payload.size() != 2 || payload[1] < 1 || payload[1] > kLastLoop) {
    return Ignored(payload, "expected 14 01..07");
  }
  const std::uint8_t what = payload[1];
  const Bytes ack(payload.begin(), payload.end());
  if (what < kClearLoops) {
    channels_.ResetErrors(what - 1, clock_());
    return Answer(ack, "error count of " + Channel(what - 1) + " reset");
  }
  if (what == kClearLoops) {
    channels_.ClearLoops();
    return Answer(ack, "data loops cleared");
  }
  channels_.SetLoop(what - kClearLoops - 1);
  return Answer(ack, "data loop set for KO " + std::to_string(what - kClearLoops));
}

CommandReply ModemBoard::Clock(ByteView payload) {
  const std::int64_t now = clock_();
  if (payload.size() == 1) return Answer(board_clock_.Answer(now), "clock");
  if (payload.size() == 2) {
    board_clock_.SetCorrection(payload[1]);
    return Answer(board_clock_.Answer(now), "clock rate correction set");
  }
  if (payload.size() == 5) {
    board_clock_.Set(LittleEndian32(payload.subspan(1)), now);
    log_.ClockSet();
    return Answer(board_clock_.Answer(now), "clock set");
  }
  return Ignored(payload, WrongLength(payload));
}

CommandReply ModemBoard::EventLog(ByteView payload) {
  if (payload.size() != kLogRequestLength) return Ignored(payload, WrongLength(payload));
  const unsigned index = payload[1] | (payload[2] & 0x0F) << 8;
  const unsigned batch = payload[2] >> 4;
  // Both special forms answer with the index as asked (FFF), LastN and no entries.
  if (index == kLastIndex && batch == kOpen) {
    return Answer(log_.Answer(index, 0), "event log opened");
  }
  if (index == kLastIndex && batch == kClear) {
    log_.Clear();
    return Answer(log_.Answer(index, 0), "event log cleared");
  }
  if (batch > kLargestBatch) return Ignored(payload, "batch code " + std::to_string(batch));
  Bytes body = log_.Answer(index, std::size_t{1} << batch);
  const std::size_t entries = (body.size() - kLogAnswerHead) / kLogEntryBytes;
  return Answer(std::move(body), "event log: " + std::to_string(entries) +
                                     (entries == 1 ? " entry" : " entries") + " from " +
                                     std::to_string(index));
}

CommandReply ModemBoard::Dump(ByteView payload) const {
  if (payload.size() != 4) return Ignored(payload, WrongLength(payload));
  const auto address = static_cast<std::uint16_t>(payload[1] | payload[2] << 8);
  const unsigned count = payload[3] + 1u;
  return Answer(DumpAnswer(address, count), "dump of " + std::to_string(count) + " bytes");
}

CommandReply ModemBoard::Restart(ByteView payload) {
  if (payload.size() != 1) return Ignored(payload, WrongLength(payload));
  // A program received whole runs from now on: its version is one up.
  std::string note = "04 restart";
  if (firmware_.TakeCompleted(kMcuProgram)) {
    ++mcu_;
    note += ", new MCU version " + std::to_string(mcu_);
  }
  if (firmware_.TakeCompleted(kFpgaProgram)) {
    ++fpga_;
    note += ", new FPGA version " + std::to_string(fpga_);
  }
  silent_until_ = clock_() + restart_seconds_;
  return {std::nullopt, std::string(kBoard) + ": " + note + ", silent for " + std::to_string(restart_seconds_) +
                            " s, no answer"};
}

}  // namespace varnel::sim
