#include "boards/amplifier/amplifier_parser.h"

#include "boards/amplifier/amplifier_alarms.h"

namespace varnel {

namespace {

// Error codes, as traced after "  GetInfAP err".
constexpr int kErrEmpty = 0;
constexpr int kErrSlot = 1;
constexpr int kErrShort = 2;

constexpr std::size_t kInformationBytes = 5;
constexpr std::size_t kMaskBytes = 6;

bool IsAmplifierSlot(int slot) { return slot == 6 || slot == 8; }

}  // namespace

AmplifierParser::AmplifierParser(TraceLog& trace, BoardPageEvents& pages) : trace_(trace), pages_(pages) {}

bool AmplifierParser::GetInfAP(int device, TStructDev& dev, ByteView data, int slot) {
  trace_.Trace("    GetInfAP " + std::to_string(slot), 1);
  if (const std::optional<int> error = Take(dev, data, slot)) {
    trace_.Trace("  GetInfAP err" + std::to_string(*error), 1);
    return false;
  }
  pages_.OpenBoardPage(device, slot);
  return true;
}

std::optional<int> AmplifierParser::Take(TStructDev& dev, ByteView data, int slot) {
  if (data.empty()) return kErrEmpty;
  if (!IsAmplifierSlot(slot)) return kErrSlot;
  if (data[0] != 0x01) return std::nullopt;  // other kinds carry nothing to store
  if (data.size() < kInformationBytes) return kErrShort;
  TBRDS& board = dev.board(slot);
  board.Valid = 1;
  board.Ver1 = data[1];
  // Values elements 1..4 (indices 0..3): alarms, level, temperature, masks.
  board.Values[0] = data[2];
  board.Values[1] = data[3];
  board.Values[2] = data[4];
  if (data.size() >= kMaskBytes) board.Values[3] = data[5];
  board.Texts[0] = "Версия ПО: " + std::to_string(data[1]);
  board.Texts[1] = AmplifierAlarmLine(data[2]);
  board.Texts[2] = "Уровень передачи: " + std::to_string(data[3]) + " дБм(среднеквадратичное)";
  board.Texts[3] = "Температура: " + std::to_string(data[4]) + "°C";
  return std::nullopt;
}

}  // namespace varnel
