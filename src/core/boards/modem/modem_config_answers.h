#pragma once
// Decoding of the configuration answers 10 (common) and 11..13 (channel)
// into the device record, and the channel mode texts drawn from them.

#include <optional>

#include "model/device_record.h"
#include "wire/byte_utils.h"

namespace varnel {

// Each returns the failure stage when the answer is too short, else nothing.
std::optional<int> StoreCommonConfig(TStructDev& dev, ByteView data);
// Channel D0 - 0x10; ver1 is the answering modem's MCU version.
std::optional<int> StoreChannelConfig(TStructDev& dev, ByteView data, std::uint8_t ver1);

// Mode text (row "Режим") of the three channels from their channel kind.
void ComposeModeTexts(TStructDev& dev);

}  // namespace varnel
