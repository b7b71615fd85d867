#include "boards/termination/termination_parser.h"

#include "boards/termination/analog_level.h"
#include "boards/termination/subchannel_counters.h"
#include "wire/byte_utils.h"
#include "wire/str_utils.h"

namespace varnel {

namespace {

// Error codes, as traced after "  GetInfSL err".
constexpr int kErrEmpty = 0;
constexpr int kErrSlot = 1;
constexpr int kErrShort = 2;

constexpr std::size_t kInformationBytes = 6;
constexpr std::size_t kSerialBytes = 8;
constexpr std::size_t kUptimeBytes = 12;
constexpr std::size_t kStatusWordBytes = 16;
constexpr std::size_t kLoopBytes = 3;

bool IsTerminationSlot(int slot) { return slot >= 1 && slot <= 3; }

}  // namespace

TerminationParser::TerminationParser(TraceLog& trace, BoardPageEvents& pages, TerminationViewEvents& view)
    : trace_(trace), pages_(pages), view_(view) {}

bool TerminationParser::GetInfSL(int device, TStructDev& dev, ByteView data, int slot) {
  trace_.Trace("    GetInfSL " + std::to_string(slot), 1);
  const std::optional<int> error = Take(device, dev, data, slot);
  if (error) trace_.Trace("  GetInfSL err" + std::to_string(*error), 1);
  return !error;
}

std::optional<int> TerminationParser::Take(int device, TStructDev& dev, ByteView data, int slot) {
  if (data.empty()) return kErrEmpty;
  if (!IsTerminationSlot(slot)) return kErrSlot;
  TBRDS& board = dev.board(slot);
  switch (data[0]) {
    case 0x01:
      return StoreInformation(device, board, data, slot);
    case 0x02:
      return ShowSubchannels(device, board, data, slot);
    case 0x07:
      return ShowLoop(data);
    case 0x10:
      if (flash_) flash_->OnFlashAnswer(device, data, slot);
      return std::nullopt;
    default:
      trace_.Trace("   SL unknown ans cmd", 0);
      return std::nullopt;
  }
}

std::optional<int> TerminationParser::StoreInformation(int device, TBRDS& board, ByteView data, int slot) {
  if (data.size() < kInformationBytes) return kErrShort;
  board.Valid = 1;
  board.Ver1 = data[1];
  board.Ver2 = data[2];
  for (std::size_t m = 0; m < board.Modules.size(); ++m) board.Modules[m].Tag = data[3 + m] & 0x0F;
  if (data.size() >= kSerialBytes) board.Word16 = WordOf(data[6], data[7]);
  // Values elements 1..3 (indices 0..2): uptime, contact bits, PoE bits.
  if (data.size() >= kUptimeBytes) board.Values[0] = DWordOf(data[8], data[9], data[10], data[11]);
  if (data.size() >= kStatusWordBytes) {
    const std::uint32_t status = DWordOfLE(data[15], data[14], data[13], data[12]);
    board.Values[1] = Bits32(status, 12, 4);
    if (trace_.wants(0)) trace_.Trace("DATS=0x" + HexText(board.Values[1], 2), 0);
    board.Values[2] = Bits32(status, 17, 2);
    if (trace_.wants(0)) trace_.Trace("POE=0x" + HexText(board.Values[2], 2), 0);
  }
  pages_.OpenBoardPage(device, slot);
  return std::nullopt;
}

std::optional<int> TerminationParser::ShowSubchannels(int device, const TBRDS& board, ByteView data, int slot) {
  if (data.size() < kSubchannelFlagsBytes) return kErrShort;
  if (IsAnalogSubchannelAnswer(data[24])) {
    view_.ShowAnalogLevel(AnalogLevelText(data, trace_.debug()));
    return std::nullopt;
  }
  const std::optional<SubchannelState> state = DecodeSubchannelState(data);
  if (!state) return kErrShort;
  view_.ShowSubchannelState(device, slot, *state, SubchannelCountersText(data, board.Values[2]));
  if (trace_.wants(0)) {
    trace_.Trace("N_CODOUT_F=" + std::to_string(data[1]) + " N_CODTOHF_E=" + std::to_string(data[2]) +
                     " N_DECOD_E=" + std::to_string(data[3]) + "  N_FROMHFTODECOD_F=" + std::to_string(data[4]),
                 0);
  }
  return std::nullopt;
}

// A loop answer without its mode and frequency is too short like any other.
std::optional<int> TerminationParser::ShowLoop(ByteView data) {
  if (data.size() < kLoopBytes) return kErrShort;
  if (trace_.wants(0)) {
    trace_.Trace("   SL loop cmd LOOP=" + std::to_string(data[1]) + " F=" + std::to_string(data[2] * 100), 0);
  }
  view_.ShowLoopState("SLloop=" + std::to_string(data[1]));
  return std::nullopt;
}

}  // namespace varnel
