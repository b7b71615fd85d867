#include "boards/modem/modem_parser.h"

#include "boards/modem/modem_clock.h"
#include "boards/modem/modem_config_answers.h"
#include "boards/modem/modem_dump.h"
#include "boards/modem/modem_state_answer.h"
#include "wire/byte_utils.h"
#include "wire/str_utils.h"

namespace varnel {

namespace {

// Failure stages, as traced after "  GetInfVK err".
constexpr int kStageEmpty = 0;
constexpr int kStageDumpShort = 1;
constexpr int kStageDumpEmpty = 2;
constexpr int kStageFirmwareShort = 3;
constexpr int kStageVersionsShort = 7;
constexpr int kStageLogFailed = 0;

}  // namespace

ModemParser::ModemParser(TraceLog& trace, const Clock& clock, BoardPageEvents& events)
    : trace_(trace), clock_(clock), events_(events) {}

bool ModemParser::GetInfVK(int device, TStructDev& dev, ByteView data, int slot) {
  trace_.Trace("  GetInfVK ", 0);
  const std::optional<int> stage = data.empty() ? kStageEmpty : Store(device, dev, data, slot);
  if (stage) {
    trace_.Trace("  GetInfVK err" + std::to_string(*stage), 1);
    return false;
  }
  ComposeModeTexts(dev);
  events_.OpenBoardPage(device, slot);
  return true;
}

std::optional<int> ModemParser::Store(int device, TStructDev& dev, ByteView data, int slot) {
  TBRDS& board = dev.board(slot);
  const std::uint8_t code = data[0];
  switch (code) {
    case 0x00:
      return StoreDump(data);
    case 0x01:
      if (data.size() < 3) return kStageVersionsShort;
      board.Ver1 = data[1];
      board.Ver2 = data[2];
      board.Valid = 1;
      events_.ApplyRateLimits();
      return std::nullopt;
    case 0x02:
    case 0x03:
      if (data.size() < 3) return kStageFirmwareShort;
      if (firmware_) firmware_->OnFirmwareAnswer(device, slot, data);
      return std::nullopt;
    case 0x08:  // its minimum length of 1 is met by every answer that gets here
      StoreClock(board, data);
      return std::nullopt;
    case 0x09:
      if (log_ && !log_->GetLogVK(device, dev, slot, data)) return kStageLogFailed;
      return std::nullopt;
    case 0x10:
      return StoreCommonConfig(dev, data);
    case 0x11:
    case 0x12:
    case 0x13:
      return StoreChannelConfig(dev, data, board.Ver1);
    case 0x15:
    case 0x16:
    case 0x17:
      return StoreChannelState(board, data);
    default:
      return std::nullopt;  // acknowledgements such as 14: nothing to store
  }
}

std::optional<int> ModemParser::StoreDump(ByteView data) {
  if (data.size() < 3) return kStageDumpShort;
  const auto address = static_cast<std::uint16_t>(data[1] + data[2] * 256);
  const ByteView bytes = data.subspan(3);
  trace_.Trace("CVK dump ADDR=0x" + HexText(address, 4) + " " + std::to_string(bytes.size()) + " bytes", 1);
  if (bytes.empty()) return kStageDumpEmpty;
  for (const auto& line : DumpListing(address, bytes)) events_.AppendMemoLine(line);
  return std::nullopt;
}

void ModemParser::StoreClock(TBRDS& board, ByteView data) {
  if (data.size() >= 2) board.Values[1] = data[1];
  if (data.size() < 6) return;
  const std::uint32_t c = DWordOfLE(data[2], data[3], data[4], data[5]);
  if (trace_.wants(0)) trace_.Trace("  Get time VK C1=0x" + HexText(c, 4), 0);
  const ClockReading r = DecodeClock(c, LocalSeconds(clock_.localNow()));
  board.Texts[0] = r.text;
  board.Values[0] = static_cast<std::uint32_t>(r.seconds);
}

}  // namespace varnel
