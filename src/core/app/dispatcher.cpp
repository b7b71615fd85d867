#include "app/dispatcher.h"

#include <array>

#include "model/board_table.h"
#include "wire/frame.h"
#include "wire/str_utils.h"

namespace varnel {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string Hex2(std::uint8_t b) { return {kHexDigits[b >> 4], kHexDigits[b & 0x0F]}; }

// Outcome of reading the address nibbles of an answer.
struct RouteMatch {
  enum Kind { None, Device, Board } kind = None;
  Route kept;               // nibbles up to and including the matching one
  std::size_t addressBytes = 0;
  bool tooLong = false;     // longer than any route a device can have
};

// The nibbles are unpacked low half first with one extra 0 in front (h[0]);
// the first position i >= 2 (0-based) where h[i] and h[i-2] are both 0 ends a
// device address (ID in h[i-1]); where h[i] > 3 follows a non-zero nibble,
// h[i] is a board address.
RouteMatch MatchRoute(const std::uint8_t* bytes, std::size_t n) {
  RouteMatch m;
  const std::size_t total = 1 + 2 * n;
  auto h = [bytes](std::size_t i) -> std::uint8_t {
    if (i == 0) return 0;
    const std::uint8_t b = bytes[(i - 1) / 2];
    return (i - 1) % 2 == 0 ? (b & 0x0F) : (b >> 4);
  };
  for (std::size_t i = 2; i < total; ++i) {
    const std::uint8_t cur = h(i);
    if (cur == 0 && h(i - 2) == 0) {
      m.kind = RouteMatch::Device;
    } else if (cur > 3 && h(i - 1) != 0) {
      m.kind = RouteMatch::Board;
    } else {
      continue;
    }
    // j (1-based) = i + 1; the address took ceil((j - 1) / 2) bytes.
    m.addressBytes = (i + 1) / 2;
    if (i > Route::kCapacity) {
      m.tooLong = true;
      return m;
    }
    for (std::size_t k = 1; k <= i; ++k) m.kept.push_back(h(k));
    return m;
  }
  return m;
}

}  // namespace

Dispatcher::Dispatcher(TraceLog& trace, DeviceRegistry& registry, RequestState& request,
                       CommandStatusLine& status, AnswerHandlers& handlers)
    : trace_(trace), registry_(registry), request_(request), status_(status), handlers_(handlers) {}

void Dispatcher::DispatchAnswer(const Bytes& datagram) { DispatchAnswer(datagram.data(), datagram.size()); }

void Dispatcher::DispatchAnswer(const std::uint8_t* data, std::size_t n) {
  const std::string hex = BytesToHex(data, n);
  trace_.Trace("<< GET inf [" + std::to_string(n) + "] " + hex, 1);
  label_ = "Ответ: " + trace_.stamp() + " " + hex + "  R:";

  const auto publish = [this] {
    if (onAnswerLabel) onAnswerLabel();
  };

  switch (CheckAnswer(data, n)) {
    case AnswerCheck::TooShort:
    case AnswerCheck::NotAnswer:
      return publish();
    case AnswerCheck::BadChecksum:
      trace_.Trace("   cs err", 1);
      return publish();
    case AnswerCheck::Ok:
      break;
  }

  const std::uint8_t* rest = data + 1;
  const std::size_t restLen = n - 2;
  RouteMatch m = MatchRoute(rest, restLen);
  if (m.kind == RouteMatch::None || m.tooLong) {
    trace_.Trace("  Route not found", 0);
    return publish();
  }
  if (trace_.wants(0)) {
    trace_.Trace(" ID_Route:" + NibblesToText(m.kept) + " j=" + std::to_string(m.kept.size() + 1), 0);
  }
  for (auto nib : m.kept) {
    label_ += '.';
    label_ += kHexDigits[nib];
  }
  const ByteView body(rest + m.addressBytes, restLen - m.addressBytes);

  if (m.kind == RouteMatch::Device) {
    m.kept.pop_back();  // the terminating 0
    const std::uint8_t id = m.kept.back();
    if (trace_.wants(0)) {
      trace_.Trace(" DevRoute:\"" + NibblesToText(m.kept) + " ID:" + std::to_string(id) +
                       " Brd:0  Data:" + BytesToHex(body.data(), body.size()),
                   0);
    }
    DeviceAnswer(id, m.kept, body);
  } else {
    const std::uint8_t address = m.kept.back();
    m.kept.pop_back();
    if (request_.selectedSlot != 0 && request_.requestMode != kNoRequest) {
      BoardAnswer(address, m.kept, body);
    }
    label_ += ' ';
  }
  publish();
}

void Dispatcher::Fail(std::string_view where, int code, int level) {
  trace_.Trace(std::string(where) + "Err:" + std::to_string(code), level);
}

void Dispatcher::DeviceAnswer(std::uint8_t id, const Route& idRoute, ByteView body) {
  if (body.empty()) {
    trace_.Trace("    len<2", 0);
    Fail("  GetInfDev ", 1, 1);
    return;
  }
  const int d = registry_.FindByIDRoute(idRoute);
  const std::uint8_t command = body[0];
  if (trace_.wants(0)) {
    trace_.Trace("  GetInfDEV: DEVN=" + std::to_string(d), 0);
    trace_.Trace("  GetInfDEV Route:  " + NibblesToText(idRoute) + " CMD=0x" + Hex2(command), 0);
  }
  if (command >= 4) {
    DeviceCommandAck(d, command, body);
  } else {
    handlers_.IdentityAnswer(id, idRoute, d, body);
  }
}

void Dispatcher::SetExecuted() {
  status_.Set(trace_.stamp() + " Команда " +
                  (request_.requestMode == kReadRequest ? "чтения" : "записи") + " исполнена",
              kColourGreen);
}

bool Dispatcher::SettleAwaited() {
  if (request_.awaited.Settle(trace_.clock().monotonicMs()) != AwaitedAnswers::Outcome::Incomplete) return false;
  status_.Set(trace_.stamp() + " Команда " + (request_.requestMode == kReadRequest ? "чтения" : "записи") +
                  " не исполнена: нет ответа на " + request_.awaited.MissingText(),
              kColourMaroon);
  return true;
}

void Dispatcher::DeviceCommandAck(int device, std::uint8_t command, ByteView body) {
  if (trace_.wants(0)) trace_.Trace("    Get CMD 0x" + Hex2(command), 0);
  if (device == 0) {
    Fail("  ", 1, 0);
    return;
  }
  if (command == request_.expectedCode) {
    SetExecuted();
    request_.expectedCode = 0;
    if (command != 0x11 || body.size() >= 17) {
      if (command == 0x11) handlers_.NetworkSettingsAnswer(device, body);
      return;
    }
  }
  Fail("  ", 2, 0);
}

void Dispatcher::BoardAnswer(std::uint8_t address, const Route& sendRoute, ByteView body) {
  const int slot = SlotOfAddress(address);
  if (trace_.wants(0)) trace_.Trace("  GetInfBRD Route: " + NibblesToText(sendRoute), 0);
  if (body.size() < 2) {
    trace_.Trace("    len<2", 0);
    return;
  }
  const std::uint8_t command = body[0];
  const int d = registry_.FindBySendRoute(sendRoute);
  if (trace_.wants(0)) {
    trace_.Trace("    Ans DEV:" + std::to_string(d) + "    BRD:" + std::to_string(address) +
                     " BRDN=" + std::to_string(slot) + "  Data:" + BytesToHex(body.data(), body.size()),
                 0);
  }
  if (d == 0 || slot == 0 || d != request_.currentDevice) return;

  TStructDev& dev = registry_.device(d);
  Inc32(dev.board(slot).Answers);

  if (request_.awaited.active()) {
    // Several requests: executed with the last answer still missing, not before.
    if (request_.awaited.Take(d, slot, body) && request_.awaited.complete()) SetExecuted();
  } else {
    const bool awaited = slot == request_.selectedSlot && command == request_.expectedCode;
    // One shown channel on the channel page asks 15, 16 or 17 alone.
    const bool channelState = request_.selectedSlot == kModemSlot && request_.expectedCode == 0x15 &&
                              command >= 0x15 && command <= 0x17;
    if (awaited || channelState) SetExecuted();
  }

  bool ok = true;
  switch (address) {
    case 0x04: ok = handlers_.ModemAnswer(d, dev, command, body, slot); break;
    case 0x05:
    case 0x06:
    case 0x07: ok = handlers_.TerminationAnswer(d, dev, body, slot); break;
    case 0x0A:
    case 0x0C: ok = handlers_.AmplifierAnswer(d, dev, body, slot); break;
    default: trace_.Trace(" Unknown brd", 1); return;
  }
  if (!ok) status_.MarkFailed();
}

}  // namespace varnel
