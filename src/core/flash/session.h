#pragma once
// A flash job on a termination board: the wanted addresses move between the
// PC's image and the board's flash block by block. Each tick requests the
// block at the lowest address not yet confirmed; a valid or refused answer
// brings the next tick forward to 20 ms; an unanswered request is repeated
// every 10 s until the job is done or the window is closed.
//
// The session owns no timer: its progress window implements FlashWindow,
// calls Tick() when its timer fires and shows the texts read back here.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "flash/address_map.h"
#include "model/board_command_sender.h"
#include "model/request_state.h"
#include "wire/trace_log.h"

namespace varnel {

enum class FlashMode : std::uint8_t { Read = 0, Write = 1, Stopped = 4, NotSet = 0xFF };

// The modal progress window around a running session.
class FlashWindow {
 public:
  virtual ~FlashWindow() = default;
  // The full interval runs from now; the timer then repeats it.
  virtual void RestartTimer(int ms) = 0;
  // The same, for the pause after an answer: a window that knows when the
  // answer arrived may count the interval from then.
  virtual void RestartAfterAnswer(int ms) { RestartTimer(ms); }
  virtual void StopTimer() = 0;
  // The job is done: the window closes (and calls FlashSession::Close).
  virtual void CloseWindow() = 0;
  virtual void ClearMemo() = 0;
  virtual void AppendMemo(std::string_view line) = 0;
};

class FlashSession {
 public:
  static constexpr int kAnswerTickMs = 20;  // after show and after every answer
  static constexpr int kRepeatMs = 10000;   // an unanswered request goes again
  static constexpr int kConfigBlock = 16;
  static constexpr int kFirmwareBlock = 512;

  FlashSession(TraceLog& trace, RequestState& request, BoardCommandSender& sender);

  // The client's side: reset, configure, show the window, then read finished().
  // Reset keeps the image; outside debug mode the window closes when done.
  void Reset();
  // 4..1024 in steps of 4 (the read request carries it in 32-bit words);
  // other sizes are refused and the old one kept.
  bool setBlockSize(int bytes);
  void Want(std::uint32_t address, std::uint32_t count) { map_.Want(address, count); }
  std::span<std::uint8_t> image() { return image_; }
  void setMode(FlashMode mode) { mode_ = mode; }
  void setSendingOn(bool on) { sendingOn_ = on; }
  bool finished() const { return finished_; }

  // The window's side.
  void Show(FlashWindow& window);
  void Tick();
  // The window closed, by itself or by the operator.
  void Close();
  // Shift+Ctrl+click on the close button: stop, but keep the window and its memo open.
  void DebugStop();

  // Every flash answer (command byte 0x10) of a board of a device; false when
  // refused. Only the board the outstanding request went to is heard: an
  // answer of any other board or device is traced and left alone.
  bool OnFlashAnswer(ByteView answer, int device, int slot);

  const std::string& caption() const { return caption_; }
  const std::string& status() const { return status_; }
  const std::string& progress() const { return progress_; }
  int gauge() const { return gauge_; }
  bool memoVisible() const { return memoVisible_; }
  int windowHeight() const { return windowHeight_; }

  FlashMode mode() const { return mode_; }
  int blockSize() const { return blockSize_; }
  std::uint32_t currentAddress() const { return current_; }
  bool closeWhenFinished() const { return closeWhenFinished_; }
  const AddressMap& map() const { return map_; }

 private:
  bool Running() const;
  void ShowProgress();
  void Finish();
  void SendRequest();
  void SendWrite();
  std::optional<int> Take(ByteView answer);
  std::optional<int> TakeAcknowledgement(ByteView answer, std::uint32_t address);
  std::optional<int> TakeReadData(ByteView answer, std::uint32_t address);

  TraceLog& trace_;
  RequestState& request_;
  BoardCommandSender& sender_;
  FlashWindow* window_ = nullptr;  // set while the window is open

  std::vector<std::uint8_t> image_;
  AddressMap map_;
  FlashMode mode_ = FlashMode::NotSet;
  int blockSize_ = 4;
  std::uint32_t current_ = 0;
  std::optional<std::uint8_t> lastCrc_;  // of the write request outstanding, if any
  bool finished_ = false;
  bool closeWhenFinished_ = true;
  bool sendingOn_ = false;
  int device_ = 0;
  int slot_ = 0;  // where the last request went; 0 before the first

  std::string caption_, status_, progress_;
  int gauge_ = 0;
  bool memoVisible_ = false;
  int windowHeight_ = 200;
};

}  // namespace varnel
