#include "firmware/modem_session.h"

#include <algorithm>
#include <random>

namespace varnel {

namespace {

using S = ModemFirmwareState;

constexpr std::uint16_t kSessionBits = 0x7FFF;
constexpr int kMaxRepeats = 255;
constexpr std::uint32_t kSecondsLabelAboveMs = 100;

const char* ErrorText(S state) {
  switch (state) {
    case S::NoAnswer: return "нет ответа платы.";
    case S::SequenceBroken: return "нарушена последовательность блоков.";
    case S::BoardEnded: return "сеанс закончен.";
    default: return "неправильный ответ платы.";
  }
}

bool IsError(S state) { return state >= S::NoAnswer && state <= S::BoardEnded; }

}  // namespace

ModemFirmwareSession::ModemFirmwareSession(TraceLog& trace, const Clock& clock, RequestState& request,
                                           BoardCommandSender& sender, RandomSource random)
    : trace_(trace), clock_(clock), request_(request), sender_(sender), random_(std::move(random)),
      ownRandom_(!random_) {}

void ModemFirmwareSession::Prepare(ModemFirmwareKind kind, Bytes image) {
  kind_ = 0;
  image_ = std::move(image);
  total_ = ModemBlockCount(image_.size());
  done_flags_.assign(total_, false);
  done_ = 0;
  closeWhenFinished_ = !trace_.debug();
  kind_ = static_cast<std::uint8_t>(kind);
}

void ModemFirmwareSession::Show() {
  if (ownRandom_) {
    random_ = [engine = std::mt19937(std::random_device{}())]() mutable {
      return static_cast<std::uint16_t>(engine());
    };
  }
  if (request_.currentDevice == 0) request_.currentDevice = 1;
  device_ = request_.currentDevice;
  slot_ = request_.selectedSlot;
  finished_ = false;
  closeRequested_ = false;
  state_ = S::Starting;
  failure_ = S::Stopped;
  session_ = 0;
  timeout_ = kFirstTimeoutMs;
  sentAt_ = Now();
  current_ = 0;
  lastSent_ = 0xFFFF;
  repeats_ = 0;
  closeCaption_ = "Отмена";
  progress_.clear();
  timeText_.clear();
  gauge_ = 0;
  if (kind_ == static_cast<std::uint8_t>(ModemFirmwareKind::Mcu)) {
    caption_ = "Запись программы MCU";
  } else if (kind_ == static_cast<std::uint8_t>(ModemFirmwareKind::Fpga)) {
    caption_ = "Запись программы FPGA";
  } else {
    caption_ = "Неизвестный режим";
  }
  WaitUntil(Now());  // the first tick runs the first step
}

void ModemFirmwareSession::WaitUntil(std::uint64_t ms) {
  timerOn_ = true;
  dueAt_ = ms;
}

void ModemFirmwareSession::Tick() {
  if (!timerOn_) return;
  const std::uint64_t now = Now();
  const std::uint64_t waited = now - sentAt_;
  const std::uint64_t remaining = waited >= timeout_ ? 0 : timeout_ - waited;
  timeText_ = "Ожидание ответа " +
              (timeout_ > kSecondsLabelAboveMs ? std::to_string(remaining / 1000) + " сек"
                                               : std::to_string(remaining) + " мсек");
  if (repeats_ > 0) timeText_ += "(повторный запрос №" + std::to_string(repeats_) + ")";
  if (now < dueAt_) return;
  timerOn_ = false;
  Step();
}

void ModemFirmwareSession::Step() {
  trace_.Trace("FW: timer", 0);
  closeCaption_ = state_ == S::Starting || state_ == S::Sending ? "Отмена" : "Закрыть";
  if (kind_ == 0) {
    timerOn_ = false;
    return;
  }
  if (IsError(state_)) {
    failure_ = state_;
    timerOn_ = false;
    progress_ = std::string("Ошибка: ") + ErrorText(state_) + "\r" + "Остановлено.";
    timeText_.clear();
    state_ = S::Stopped;
    return;
  }
  if (state_ == S::Finished) {
    timerOn_ = false;
    progress_ = "Завершено.";
    timeText_.clear();
    finished_ = true;
    closeRequested_ = closeWhenFinished_;
    return;
  }
  if (state_ == S::Starting) {
    // A start answer lost on the link would leave the window waiting for
    // ever: the start request goes again, with the same number, each time
    // the answer timeout passes.
    const bool again = session_ != 0;
    if (!again) {
      session_ = DrawSessionNumber();
      progress_ = "Запрос на запись ПО";
    }
    repeats_ = again ? std::min(repeats_ + 1, kMaxRepeats) : 0;
    Send(ModemStartRequest(static_cast<ModemFirmwareKind>(kind_), session_));
    sentAt_ = Now();
    WaitUntil(sentAt_ + timeout_);
    return;
  }
  if (state_ == S::Sending) SendNextBlock();
}

std::uint16_t ModemFirmwareSession::DrawSessionNumber() {
  // 0 means "no session yet", so a draw that clears to 0 is drawn again.
  std::uint16_t n = 0;
  while (n == 0) n = random_() & kSessionBits;
  return n;
}

void ModemFirmwareSession::SendNextBlock() {
  // Blocks are acknowledged in order, so the lowest block not done never moves back.
  while (current_ < total_ && done_flags_[current_]) ++current_;
  progress_ = "Запись блока " + std::to_string(current_ + 1) + ". Записано блоков: " + std::to_string(done_) +
              "/" + std::to_string(total_);
  gauge_ = static_cast<int>(std::uint64_t{done_} * 100 / std::max<std::uint32_t>(total_, 1));
  if (done_ == total_) {
    state_ = S::Finished;
    WaitUntil(Now() + kFinishDelayMs);
    return;
  }
  repeats_ = current_ == lastSent_ ? std::min(repeats_ + 1, kMaxRepeats) : 0;
  lastSent_ = current_;
  Send(ModemDataBlock(static_cast<ModemFirmwareKind>(kind_), image_, current_));
  sentAt_ = Now();
  WaitUntil(sentAt_ + timeout_);
}

void ModemFirmwareSession::Send(const Bytes& payload) { sender_.SendBoardCommand(device_, slot_, payload); }

void ModemFirmwareSession::OnAnswer(int device, int slot, ByteView data) {
  trace_.Trace("    GetInf FW VK ", 1);
  if (kind_ == 0) return;
  // Another board, the other kind's code, or a session not waiting for anything.
  if (device != device_ || slot != slot_ || data.empty() || data[0] != TargetCode(static_cast<ModemFirmwareKind>(kind_)))
    return;
  if (state_ != S::Starting && state_ != S::Sending) return;
  const std::optional<ModemFirmwareAnswer> answer = ParseModemFirmwareAnswer(data);
  if (!answer) return Fail(S::WrongAnswer);
  if (!answer->blockAnswer) {
    // A start answer counts once, with our number; one of another session is not ours.
    if (state_ != S::Starting || session_ == 0 || answer->n != session_) {
      trace_.Trace("!!! FW VK session = " + std::to_string(answer->n), 0);
      return;
    }
    state_ = S::Sending;
    repeats_ = 0;
    Step();
    return;
  }
  if (state_ == S::Sending) TakeBlockAnswer(answer->n);
}

void ModemFirmwareSession::TakeBlockAnswer(std::uint16_t n) {
  if (n == kBlockSequenceBroken) return Fail(S::SequenceBroken);
  if (n == kBoardEndsTransfer) {
    if (total_ - done_ > 1) return Fail(S::BoardEnded);
    n = static_cast<std::uint16_t>(current_);
  }
  if (n != current_) {
    // A late answer to a block sent twice, or to no block of ours: the
    // block outstanding stays on its timeout.
    trace_.Trace("!!! FW VK N_BL = " + std::to_string(n), 0);
    return;
  }
  const std::uint64_t roundTrip = Now() - sentAt_;
  done_flags_[current_] = true;
  ++done_;
  // A round trip shorter than a tick would make every tick repeat the block
  // in flight; the timeout never drops below one tick.
  timeout_ = static_cast<std::uint32_t>(std::max<std::uint64_t>(4 * roundTrip, kTickMs));
  if (trace_.wants(0)) trace_.Trace("    FW : new timeout = " + std::to_string(timeout_), 0);
  Step();
}

void ModemFirmwareSession::Fail(ModemFirmwareState error) {
  trace_.Trace("  GetInf CMD FRW err=" + std::to_string(static_cast<int>(error)), 1);
  state_ = error;
  Step();
}

void ModemFirmwareSession::Close() {
  timerOn_ = false;
  kind_ = 0;
}

}  // namespace varnel
