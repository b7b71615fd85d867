#pragma once
// Texts and colours of the modem pages that follow from the records alone,
// so that the window only copies them.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/awaited_answers.h"

namespace varnel {

// Receiver state code 0..4 (row 1 and its indicator); above 4 counts as 0.
std::string_view ReceiverStateText(std::uint32_t code);
std::uint32_t ReceiverStateColour(std::uint32_t code);  // 0xBBGGRR
// Data from the KO on transit channels, code 0..2; above 2 counts as 0.
std::string_view KoDataText(std::uint32_t code);
std::uint32_t KoDataColour(std::uint32_t code);

// Caption of row 1..12 of the channel operation page.
std::string_view ModemRowCaption(int row);

// Channels 1..3 of the device's modem whose state answer (15..17) was asked
// for by the last read and has not come: their rows show older values.
std::array<bool, 3> ChannelsNotRefreshed(const AwaitedAnswers& awaited, int device);
// The rows' text colour then (0xBBGGRR).
constexpr std::uint32_t kNotRefreshedColour = 0x808080;

// LabVerVK on the firmware page.
std::string VersionLabelText(std::uint8_t ver1, std::uint8_t ver2);

}  // namespace varnel
