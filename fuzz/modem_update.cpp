// A modem program (.cbi) or logic image (.lbi) written into the board: the
// file as read from disk, then the transfer driven by answers, ticks and the
// window closing in any order. Whatever the board answers, every request
// goes to the board chosen at the start, carries the right code and the
// image bytes of its block, blocks go out in order, and a transfer that
// completes has sent the whole image.
//
// Input: a byte of options (bit 0: logic image, bit 1: read through a file,
// bit 2: a file over the size limit, bit 3: debug mode), the image size
// (2 bytes, little-endian) and a fill seed, then operations:
//   0 n      ticks for n x 10 ms
//   1        the start answer with our session number
//   2        the acknowledgement of the block last sent
//   3 lo hi  a block answer with number lo | hi << 8 (bit 15 dropped)
//   4 k ...  k raw answer bytes
//   5        the same answer as 2 from another board or with the other code
//   6        the window closes
//   7        time jumps past the answer timeout and a tick runs

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "byte_reader.h"

#include "firmware/modem_session.h"

namespace {

using namespace varnel;

constexpr int kDevice = 3;
constexpr int kSlot = 4;

struct Sent {
  int device, slot;
  Bytes payload;
};

struct Recorder final : BoardCommandSender {
  std::vector<Sent> sent;
  void SendBoardCommand(int device, int slot, const Bytes& payload) override {
    sent.push_back({device, slot, payload});
  }
};

const std::string& FilePath() {
  static const std::string path = [] {
    // Memory-backed, so writing the file per input costs little.
    char pattern[] = "/dev/shm/varnel-fuzz-modem-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) std::abort();
    return std::string(made) + "/image.cbi";
  }();
  return path;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

// The file as the operator picked it; the image when it is accepted.
std::optional<Bytes> ThroughFile(const Bytes& image, bool oversized) {
  {
    std::ofstream out(FilePath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  }
  // A sparse tail makes the file too large without writing megabytes.
  if (oversized) Check(truncate(FilePath().c_str(), kModemImageMaxBytes + 1 + image.size()) == 0);
  const ModemImageLoad load = LoadModemImage(FilePath());
  if (oversized) {
    Check(!load.image && load.error == kModemImageTooLargeText);
    return std::nullopt;
  }
  Check(load.image && load.error.empty() && *load.image == image);
  return load.image;
}

class Transfer {
 public:
  Transfer(ModemFirmwareKind kind, Bytes image, bool debug)
      : kind_(kind), image_(std::move(image)), trace_(clock_), session_(trace_, clock_, request_, sender_, [this] {
          return static_cast<std::uint16_t>(draws_++ * 0x9E37);
        }) {
    trace_.setDebug(debug);
    request_.currentDevice = kDevice;
    request_.selectedSlot = kSlot;
    session_.Prepare(kind_, image_);
    blocks_.assign(session_.totalBlocks(), std::nullopt);
    Check(session_.totalBlocks() == image_.size() / kModemBlockBytes + 1);
    session_.Show();
  }

  void Run(ByteReader& in) {
    while (!in.empty()) {
      const std::uint8_t op = in.Byte() % 8;
      switch (op) {
        case 0: Wait(std::uint64_t{in.Byte()} * 10); break;
        case 1: Answer(kDevice, kSlot, Numbered(code(), session_.sessionNumber(), false)); break;
        case 2: Answer(kDevice, kSlot, Numbered(code(), lastBlock_, true)); break;
        case 3: Answer(kDevice, kSlot, Numbered(code(), in.Word() & 0x7FFF, true)); break;
        case 4: Answer(kDevice, kSlot, in.Take(in.Byte())); break;
        case 5: Stranger(); break;
        case 6: session_.Close(); closed_ = true; break;
        default: Jump(); break;
      }
    }
    Wait(ModemFirmwareSession::kFinishDelayMs + ModemFirmwareSession::kTickMs);
    if (session_.finished()) CheckComplete();
  }

 private:
  std::uint8_t code() const { return TargetCode(kind_); }

  static Bytes Numbered(std::uint8_t code, std::uint32_t n, bool block) {
    return {code, static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(((n >> 8) & 0x7F) | (block ? 0x80 : 0))};
  }

  void Wait(std::uint64_t ms) {
    for (std::uint64_t step = 0; step < ms; step += ModemFirmwareSession::kTickMs) {
      clock_.ms += ModemFirmwareSession::kTickMs;
      session_.Tick();
      Observe();
    }
  }

  void Jump() {
    clock_.ms += session_.timeoutMs() + ModemFirmwareSession::kTickMs;
    session_.Tick();
    Observe();
  }

  void Answer(int device, int slot, const Bytes& answer) {
    const bool sending = !closed_ && session_.state() == ModemFirmwareState::Sending;
    const std::uint32_t pending = session_.totalBlocks() - session_.doneBlocks();
    const std::uint32_t outstanding = lastBlock_;
    session_.OnAnswer(device, slot, answer);
    const std::uint32_t acknowledged = session_.doneBlocks() - done_;
    Observe();
    const bool blockAnswer = sending && answer.size() >= 3 && answer[0] == code() && (answer[2] & 0x80);
    if (!blockAnswer) {
      Check(acknowledged == 0);
      return;
    }
    const std::uint32_t n = answer[1] | (answer[2] & 0x7Fu) << 8;
    // Only the answer naming the block outstanding acknowledges it; "the
    // board ends" does so for the last block and stops the transfer before.
    if (n == kBlockSequenceBroken) {
      Check(acknowledged == 0 && session_.failure() == ModemFirmwareState::SequenceBroken);
    } else if (n == kBoardEndsTransfer && pending > 1) {
      Check(acknowledged == 0 && session_.failure() == ModemFirmwareState::BoardEnded);
    } else {
      const bool names = n == outstanding || n == kBoardEndsTransfer;
      Check(acknowledged == (names ? 1u : 0u));
    }
  }

  // Not this transfer's answer: nothing may change.
  void Stranger() {
    const std::size_t sent = sender_.sent.size();
    const std::uint32_t done = session_.doneBlocks();
    const ModemFirmwareState state = session_.state();
    const Bytes ack = Numbered(code(), lastBlock_, true);
    session_.OnAnswer(kDevice + 1, kSlot, ack);
    session_.OnAnswer(kDevice, kSlot - 1, ack);
    session_.OnAnswer(kDevice, kSlot, Numbered(code() ^ 0x01, lastBlock_, true));
    Check(sender_.sent.size() == sent && session_.doneBlocks() == done && session_.state() == state);
  }

  // Checks what the session sent since the last look.
  void Observe() {
    Check(session_.doneBlocks() >= done_ && session_.doneBlocks() <= session_.totalBlocks());
    done_ = session_.doneBlocks();
    Check(session_.gauge() >= 0 && session_.gauge() <= 100);
    for (; seen_ < sender_.sent.size(); ++seen_) {
      const Sent& s = sender_.sent[seen_];
      Check(!closed_ && s.device == kDevice && s.slot == kSlot);
      Check(s.payload.size() >= 3 && s.payload[0] == code());
      const std::uint32_t n = s.payload[1] | (s.payload[2] & 0x7Fu) << 8;
      if (!(s.payload[2] & 0x80)) {
        // An unanswered start goes again, with the same number, before any block.
        Check(s.payload.size() == 3 && n != 0 && n == session_.sessionNumber() && !blockSent_ &&
              (!started_ || n == startNumber_));
        started_ = true;
        startNumber_ = n;
        continue;
      }
      blockSent_ = true;
      // Blocks are acknowledged in order, so the block sent is the first not done.
      Check(started_ && n < blocks_.size() && n == session_.doneBlocks());
      const std::size_t from = std::min<std::size_t>(std::size_t{n} * kModemBlockBytes, image_.size());
      const std::size_t to = std::min(from + kModemBlockBytes, image_.size());
      Check(Bytes(s.payload.begin() + 3, s.payload.end()) == Bytes(image_.begin() + from, image_.begin() + to));
      blocks_[n] = Bytes(s.payload.begin() + 3, s.payload.end());
      lastBlock_ = n;
    }
  }

  void CheckComplete() {
    Check(session_.doneBlocks() == session_.totalBlocks());
    Bytes whole;
    for (const std::optional<Bytes>& block : blocks_) {
      Check(block.has_value());
      whole.insert(whole.end(), block->begin(), block->end());
    }
    Check(whole == image_);
  }

  ModemFirmwareKind kind_;
  Bytes image_;
  ManualClock clock_;
  TraceLog trace_;
  RequestState request_;
  Recorder sender_;
  std::uint16_t draws_ = 1;
  ModemFirmwareSession session_;
  std::vector<std::optional<Bytes>> blocks_;
  std::size_t seen_ = 0;
  std::uint32_t done_ = 0;
  std::uint32_t lastBlock_ = 0;
  bool started_ = false;
  bool blockSent_ = false;
  std::uint32_t startNumber_ = 0;
  bool closed_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const std::uint8_t options = in.Byte();
  const std::size_t imageBytes = in.Word();
  const std::uint8_t fill = in.Byte();
  Bytes image(imageBytes);
  for (std::size_t i = 0; i < imageBytes; ++i) image[i] = static_cast<std::uint8_t>(i * 31 + fill + (i >> 8));
  if (options & 0x02) {
    std::optional<Bytes> read = ThroughFile(image, options & 0x04);
    if (!read) return 0;
    image = std::move(*read);
  }
  const ModemFirmwareKind kind = options & 0x01 ? ModemFirmwareKind::Fpga : ModemFirmwareKind::Mcu;
  Transfer transfer(kind, std::move(image), options & 0x08);
  transfer.Run(in);
  return 0;
}
