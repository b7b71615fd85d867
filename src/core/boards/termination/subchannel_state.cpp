#include "boards/termination/subchannel_state.h"

#include "wire/byte_utils.h"

namespace varnel {

namespace {

constexpr std::int32_t kRateUnit = 100;  // wire rates count 100 bit/s

std::int32_t Rate(std::uint32_t wire) { return static_cast<std::int32_t>(wire) * kRateUnit; }

}  // namespace

std::optional<SubchannelState> DecodeSubchannelState(ByteView data) {
  if (data.size() < kDigitalAnswerBytes) return std::nullopt;
  const std::uint8_t flagsA = data[24];
  const std::uint8_t flagsB = data[34];
  SubchannelState s;
  s.analog = IsAnalogSubchannelAnswer(flagsA);
  if (data.size() >= kWideLineRateBytes) {
    s.lineTx = Rate(WordOf(data[35], data[36]));
    s.lineRx = Rate(WordOf(data[37], data[38]));
  } else {
    s.lineTx = Rate(data[7]);
    s.lineRx = Rate(data[8]);
  }
  s.service = Rate(data[23]);
  s.telemechanics = data[33] != 0 ? Rate(data[33]) : -1;
  s.codec = Bit8(flagsA, 0) ? 8000 : 6400;
  s.voice1Module = static_cast<int>(Bits32(flagsA, 2, 2));
  s.voice2Module = static_cast<int>(Bits32(flagsB, 0, 2));
  s.voiceTotal = s.codec * ((s.voice1() ? 1 : 0) + (s.voice2() ? 1 : 0));
  // An absent telemechanics channel enters as -1: the budget gains 1 bit/s.
  s.dataTxBudget = s.lineTx - (s.service + s.telemechanics);
  s.dataRxBudget = s.lineRx - (s.service + s.telemechanics);
  s.dataTx = s.dataTxBudget - s.voiceTotal;
  s.dataRx = s.dataRxBudget - s.voiceTotal;
  s.serviceTxWorking = Bit8(flagsA, 5) != 0;
  s.serviceRxWorking = Bit8(flagsA, 4) != 0;
  s.dataRxWorking = Bit8(flagsA, 6) != 0;
  return s;
}

}  // namespace varnel
