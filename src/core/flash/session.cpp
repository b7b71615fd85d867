#include "flash/session.h"

#include <algorithm>

#include "flash/requests.h"
#include "wire/str_utils.h"

namespace varnel {

namespace {

constexpr int kMaxBlock = 1024;  // the read request's size byte counts 32-bit words
constexpr int kHeightDebug = 500;
constexpr int kHeightPlain = 200;
constexpr int kHeightInspect = 700;
constexpr char kUnknownMode[] = "Неизвестный режим";

std::string CaptionOf(FlashMode mode) {
  if (mode == FlashMode::Read) return "Чтение flash";
  if (mode == FlashMode::Write) return "Запись flash";
  return kUnknownMode;
}

}  // namespace

FlashSession::FlashSession(TraceLog& trace, RequestState& request, BoardCommandSender& sender)
    : trace_(trace), request_(request), sender_(sender), image_(kFlashSize) {}

void FlashSession::Reset() {
  mode_ = FlashMode::NotSet;
  blockSize_ = 4;
  map_.Clear();
  lastCrc_.reset();
  sendingOn_ = false;
  closeWhenFinished_ = !trace_.debug();
}

bool FlashSession::setBlockSize(int bytes) {
  if (bytes < 4 || bytes > kMaxBlock || bytes % 4 != 0) return false;
  blockSize_ = bytes;
  return true;
}

void FlashSession::Show(FlashWindow& window) {
  window_ = &window;
  if (request_.currentDevice == 0) request_.currentDevice = 1;
  device_ = request_.currentDevice;
  slot_ = 0;
  finished_ = false;
  window.ClearMemo();
  memoVisible_ = trace_.debug();
  windowHeight_ = memoVisible_ ? kHeightDebug : kHeightPlain;
  status_.clear();
  progress_.clear();
  gauge_ = 0;
  window.RestartTimer(kAnswerTickMs);
  caption_ = CaptionOf(mode_);
}

void FlashSession::Tick() {
  if (window_ == nullptr) return;
  if (mode_ == FlashMode::Stopped) {
    window_->StopTimer();
    return;
  }
  if (const std::optional<std::uint32_t> next = map_.LowestPending()) current_ = *next;
  ShowProgress();
  if (map_.pending() == 0) {
    Finish();
    return;
  }
  window_->RestartTimer(kRepeatMs);
  status_ = "Запрос  0x" + HexText(current_, 6);
  if (sendingOn_) SendRequest();
}

void FlashSession::ShowProgress() {
  const std::uint32_t total = map_.total();
  const std::uint32_t done = map_.done();
  if (blockSize_ == kFirmwareBlock) {
    progress_ = "Блок: " + std::to_string(done / kFirmwareBlock) + "/" + std::to_string(total / kFirmwareBlock);
  } else {
    progress_ = "Байт: " + std::to_string(done) + "/" + std::to_string(total);
  }
  gauge_ = static_cast<int>(std::uint64_t{done} * 100 / std::max<std::uint32_t>(total, 1));
}

void FlashSession::Finish() {
  window_->AppendMemo("ALL OK. timer off");
  window_->StopTimer();
  status_ = "Завершено.";
  finished_ = true;
  if (!closeWhenFinished_) return;
  FlashWindow& window = *window_;
  Close();
  window.CloseWindow();
}

void FlashSession::SendRequest() {
  if (mode_ == FlashMode::Read) {
    slot_ = request_.selectedSlot;
    sender_.SendBoardCommand(device_, slot_, FlashReadRequest(current_, blockSize_));
  } else if (mode_ == FlashMode::Write) {
    SendWrite();
  } else {
    window_->StopTimer();
    status_ = kUnknownMode;
  }
}

void FlashSession::SendWrite() {
  // A block running past the end of flash is padded as erased flash rather
  // than read from beyond the image.
  Bytes block(static_cast<std::size_t>(blockSize_), 0xFF);
  const std::uint32_t inside = std::min<std::uint32_t>(blockSize_, kFlashSize - current_);
  std::copy_n(image_.begin() + current_, inside, block.begin());
  const bool last = map_.pending() <= static_cast<std::uint32_t>(blockSize_);
  const Bytes request = FlashWriteRequest(current_, block, last);
  window_->AppendMemo("WR" + BytesToHex(request.data(), request.size() - 1));
  lastCrc_ = request.back();
  trace_.Trace(" Send WR flash CRC=0x" + HexText(*lastCrc_, 2), 0);
  slot_ = request_.selectedSlot;
  sender_.SendBoardCommand(device_, slot_, request);
}

void FlashSession::Close() {
  if (window_ != nullptr) window_->StopTimer();
  window_ = nullptr;
  mode_ = FlashMode::Stopped;
}

void FlashSession::DebugStop() {
  closeWhenFinished_ = false;
  if (window_ != nullptr) window_->StopTimer();
  memoVisible_ = true;
  windowHeight_ = kHeightInspect;
  mode_ = FlashMode::Stopped;
}

}  // namespace varnel
