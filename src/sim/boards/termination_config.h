#pragma once
// The 32-byte configuration record a termination board keeps at flash address
// 0xE0000, made up to fit the board's scenario settings.

#include "sim/boards/termination_settings.h"
#include "sim/wire/bytes.h"

namespace varnel::sim {

inline constexpr std::uint32_t kConfigAddress = 0xE0000;
inline constexpr std::size_t kConfigBytes = 32;

// The board's mode, codec, voice channels, service rate, PoE and modules as set;
// RS-232 asynchronous at 9600 without parity, sent as packets; the alarm contact
// reports the far end; Ethernet on, not transparent, at 192.168.ID.(10 + slot)/24
// with gateway 192.168.ID.1. Type 13 modules send and receive at 0 dB in
// transparent signalling, type 7 modules dial by tone, no module is locked.
Bytes ConfigRecord(const TerminationSettings& settings, std::uint8_t device_id, unsigned slot);

}  // namespace varnel::sim
