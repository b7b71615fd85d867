#pragma once
// The termination board's subchannel state answer (kind 2) decoded into the
// rates the bar diagram splits the HF channel into. All rates in bit/s.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "wire/byte_utils.h"

namespace varnel {

// Lengths from which the kind 2 fields are there.
constexpr std::size_t kSubchannelFlagsBytes = 25;  // flags A, byte 24
constexpr std::size_t kDigitalAnswerBytes = 35;    // flags B, byte 34
constexpr std::size_t kWideLineRateBytes = 39;     // 16-bit line rates
constexpr std::size_t kPoeWordBytes = 43;          // PoE measurement word

struct SubchannelState {
  bool analog = false;
  std::int32_t lineTx = 0, lineRx = 0;
  std::int32_t service = 0;
  std::int32_t telemechanics = -1;  // -1: no telemechanics
  std::int32_t codec = 6400;        // per voice channel
  int voice1Module = 0, voice2Module = 0;  // 0: channel absent
  std::int32_t voiceTotal = 0;
  std::int32_t dataTxBudget = 0, dataRxBudget = 0;  // what service and TM leave
  std::int32_t dataTx = 0, dataRx = 0;              // what the voices leave; may be negative
  bool serviceTxWorking = false, serviceRxWorking = false, dataRxWorking = false;

  bool voice1() const { return voice1Module != 0; }
  bool voice2() const { return voice2Module != 0; }
  bool operator==(const SubchannelState&) const = default;
};

// Flags A: analog mode, in which only the level bytes mean anything.
constexpr bool IsAnalogSubchannelAnswer(std::uint8_t flagsA) { return (flagsA & 0x80) != 0; }

// nullopt when the answer is too short for digital mode.
std::optional<SubchannelState> DecodeSubchannelState(ByteView data);

}  // namespace varnel
