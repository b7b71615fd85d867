#include "sim/boards/termination.h"

#include "sim/boards/firmware_image.h"
#include "sim/boards/flash_command.h"
#include "sim/boards/reply.h"
#include "sim/boards/termination_config.h"
#include "sim/boards/termination_subchannels.h"

namespace varnel::sim {

namespace {

constexpr std::uint8_t kInformation = 0x01;
constexpr std::uint8_t kSubchannels = 0x02;
constexpr std::uint8_t kResetCounters = 0x00;
constexpr std::uint8_t kRestart = 0x04;
constexpr std::uint8_t kLoop = 0x07;
constexpr std::uint8_t kLoopKey = 0x55;
constexpr std::uint8_t kLoopModes = 3;  // normal, channel loop, sine
constexpr std::uint8_t kSineMode = 2;
constexpr std::uint8_t kSineFrequency = 10;  // x 100 Hz
constexpr std::uint8_t kModuleCodeMask = 0x0F;
constexpr int kContactShift = 12;
constexpr int kPoeShift = 17;
constexpr std::uint32_t kPoeSupported = 1;
constexpr std::uint32_t kPoeBlocked = 2;

std::uint32_t StatusWord(const TerminationSettings& s) {
  const std::uint32_t contacts = (s.contact_input ? 1u : 0u) | (s.contact_output ? 2u : 0u);
  std::uint32_t poe = 0;
  if (s.poe != PoeState::None) poe |= kPoeSupported;
  if (s.poe == PoeState::Blocked) poe |= kPoeBlocked;
  return contacts << kContactShift | poe << kPoeShift;
}

std::string VersionText(const TerminationSettings& s) {
  return std::to_string(s.version_major) + "." + std::to_string(s.version_minor);
}

}  // namespace

TerminationBoard::TerminationBoard(const TerminationSettings& settings, std::uint8_t device_id,
                                   unsigned slot, LocalClock clock)
    : settings_(settings),
      label_("termination " + std::to_string(slot)),
      serial_(
          settings.serial.value_or(static_cast<std::uint16_t>(0x1000 + 0x10 * device_id + slot))),
      clock_(std::move(clock)),
      started_(clock_()),
      // Up for device_id days and slot hours when the emulator starts.
      uptime_at_start_(86400u * device_id + 3600u * slot),
      counting_since_(started_) {
  if (!settings.config_erased) {
    flash_.Write(kConfigAddress, ConfigRecord(settings, device_id, slot));
  }
}

CommandReply TerminationBoard::Command(ByteView payload) {
  if (clock_() < silent_until_) return BoardIgnored(label_, payload, "restarting");
  const std::uint8_t code = payload.front();
  if (code == kInformation) return Information(payload);
  if (code == kSubchannels) return Subchannels(payload);
  if (code == kLoop) return Loop(payload);
  if (code == kFlashCommand) return Flash(payload);
  if (code == kRestart) return Restart(payload);
  return BoardIgnored(label_, payload, "command not emulated");
}

CommandReply TerminationBoard::Information(ByteView payload) const {
  if (payload.size() != 1) return BoardIgnored(label_, payload, "expected 01 alone");
  Bytes body{kInformation, settings_.version_major, settings_.version_minor};
  for (std::uint8_t module : settings_.modules) body.push_back(module & kModuleCodeMask);
  AppendBig16(body, serial_);
  AppendBig32(body, static_cast<std::uint32_t>(uptime_at_start_ + (clock_() - started_)));
  AppendBig32(body, StatusWord(settings_));
  return BoardAnswer(label_, std::move(body), "information");
}

CommandReply TerminationBoard::Subchannels(ByteView payload) {
  const std::int64_t now = clock_();
  if (payload.size() == 2 && payload[1] == kResetCounters) {
    counting_since_ = now;
    return BoardAnswer(label_, SubchannelAnswer(settings_, 0), "counters reset");
  }
  if (payload.size() != 1) return BoardIgnored(label_, payload, "expected 02 or 02 00");
  return BoardAnswer(label_, SubchannelAnswer(settings_, now - counting_since_), "subchannels");
}

CommandReply TerminationBoard::Loop(ByteView payload) {
  if (payload.size() != 2 || payload[1] != kLoopKey) {
    return BoardIgnored(label_, payload, "expected 07 55");
  }
  loop_mode_ = static_cast<std::uint8_t>((loop_mode_ + 1) % kLoopModes);
  const std::uint8_t frequency = loop_mode_ == kSineMode ? kSineFrequency : 0;
  return BoardAnswer(label_, {kLoop, loop_mode_, frequency},
                     "loop mode " + std::to_string(loop_mode_));
}

CommandReply TerminationBoard::Flash(ByteView payload) {
  FlashOutcome outcome = FlashRequest(flash_, label_, payload);
  if (outcome.address && TouchesDescriptor(*outcome.address, outcome.count)) {
    update_pending_ = true;
    outcome.reply.note += "; " + CheckImage(flash_).note;
  }
  return std::move(outcome.reply);
}

// Unanswered; a new image that checks out runs once the board is back.
CommandReply TerminationBoard::Restart(ByteView payload) {
  if (payload.size() != 1) return BoardIgnored(label_, payload, "expected 04 alone");
  std::string note = label_ + ": 04 restart, silent for " +
                     std::to_string(settings_.restart_seconds) + " s, no answer";
  if (update_pending_) {
    const ImageCheck check = CheckImage(flash_);
    if (check.version) {
      settings_.version_major = check.version->major;
      settings_.version_minor = check.version->minor;
    }
    note += "; " + check.note + ", runs version " + VersionText(settings_);
    update_pending_ = false;
  }
  // Back with a fresh uptime, counters and loop.
  silent_until_ = clock_() + settings_.restart_seconds;
  started_ = silent_until_;
  counting_since_ = silent_until_;
  uptime_at_start_ = 0;
  loop_mode_ = 0;
  return {std::nullopt, note};
}

}  // namespace varnel::sim
