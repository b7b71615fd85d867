#pragma once
// Writing a program into the modem board: a start request with a random
// session number, answered with that number; then the image in 256-byte
// blocks, each acknowledged with its number before the next is sent. An
// acknowledgement sends the next block at once, so the transfer runs at the
// speed of the link; an unacknowledged block is sent again when the answer
// timeout (4 x the last round trip, at least one tick) has passed, and so
// is an unanswered start request (its timeout is the first, 72 s).
//
// The session owns no timer: its progress window calls Tick() every 50 ms
// and shows the texts read back here; time comes from the injected clock.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "firmware/modem_image.h"
#include "model/board_command_sender.h"
#include "model/request_state.h"
#include "wire/time_utils.h"
#include "wire/trace_log.h"

namespace varnel {

enum class ModemFirmwareState : std::uint8_t {
  Stopped = 0,
  NoAnswer = 1,
  WrongAnswer = 2,
  SequenceBroken = 3,
  BoardEnded = 4,
  Finished = 100,
  Starting = 101,
  Sending = 102,
};

class ModemFirmwareSession {
 public:
  static constexpr int kTickMs = 50;
  static constexpr std::uint32_t kFirstTimeoutMs = 72000;
  static constexpr int kFinishDelayMs = 20;
  // Any 16-bit number; the session keeps 15 bits and never uses 0.
  using RandomSource = std::function<std::uint16_t()>;

  // Without a random source the session seeds its own generator at Show().
  ModemFirmwareSession(TraceLog& trace, const Clock& clock, RequestState& request, BoardCommandSender& sender,
                       RandomSource random = {});

  // Before the window: the kind and the checked image, taken as it is.
  void Prepare(ModemFirmwareKind kind, Bytes image);
  // The window is shown: the current device (device 1 when none) and board
  // slot receive the requests; the first tick sends the start request.
  void Show();
  void Tick();
  // Every answer 0x02/0x03 of the modem board, with who sent it.
  void OnAnswer(int device, int slot, ByteView data);
  // The window closed: later answers are ignored.
  void Close();

  const std::string& caption() const { return caption_; }
  const std::string& progress() const { return progress_; }
  const std::string& timeText() const { return timeText_; }
  const std::string& closeCaption() const { return closeCaption_; }
  int gauge() const { return gauge_; }
  bool finished() const { return finished_; }
  // Set when the transfer completed outside debug mode.
  bool closeRequested() const { return closeRequested_; }

  ModemFirmwareState state() const { return state_; }
  // The error that stopped the session (NoAnswer .. BoardEnded); Stopped
  // while none did. state() turns Stopped once the error is shown.
  ModemFirmwareState failure() const { return failure_; }
  bool active() const { return kind_ != 0; }
  std::uint16_t sessionNumber() const { return session_; }
  std::uint32_t timeoutMs() const { return timeout_; }
  int repeatCount() const { return repeats_; }
  std::uint32_t totalBlocks() const { return total_; }
  std::uint32_t doneBlocks() const { return done_; }

 private:
  void Step();
  void SendNextBlock();
  void TakeBlockAnswer(std::uint16_t n);
  void Fail(ModemFirmwareState error);
  void Send(const Bytes& payload);
  void WaitUntil(std::uint64_t ms);
  std::uint16_t DrawSessionNumber();
  std::uint64_t Now() const { return clock_.monotonicMs(); }

  TraceLog& trace_;
  const Clock& clock_;
  RequestState& request_;
  BoardCommandSender& sender_;
  RandomSource random_;
  bool ownRandom_ = false;

  std::uint8_t kind_ = 0;  // 0 idle, else ModemFirmwareKind
  Bytes image_;
  ModemFirmwareState state_ = ModemFirmwareState::Stopped;
  ModemFirmwareState failure_ = ModemFirmwareState::Stopped;
  std::uint16_t session_ = 0;
  std::vector<bool> done_flags_;
  std::uint32_t total_ = 0, done_ = 0;
  std::uint32_t current_ = 0;
  std::uint32_t lastSent_ = 0xFFFF;
  int repeats_ = 0;
  std::uint32_t timeout_ = kFirstTimeoutMs;
  std::uint64_t sentAt_ = 0;
  bool timerOn_ = false;
  std::uint64_t dueAt_ = 0;
  int device_ = 0, slot_ = 0;
  bool finished_ = false;
  bool closeWhenFinished_ = true;
  bool closeRequested_ = false;

  std::string caption_, progress_, timeText_, closeCaption_ = "Отмена";
  int gauge_ = 0;
};

}  // namespace varnel
