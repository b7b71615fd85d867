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

// The configuration page's parts a read or write asked for whose answer did
// not come: [0] the common settings (10), [c] channel c (10 + c).
std::array<bool, 4> ConfigNotRefreshed(const AwaitedAnswers& awaited, int device);
// Channels 1..3 of the device's modem whose state answer (15..17) or
// configuration answer (11..13) was asked for by the last read and has not
// come: their rows show older values.
std::array<bool, 3> ChannelsNotRefreshed(const AwaitedAnswers& awaited, int device);
// The rows' text colour then (0xBBGGRR), and their tooltip.
constexpr std::uint32_t kNotRefreshedColour = 0x808080;
inline constexpr const char* kNotRefreshedHint = "Нет ответа: значения не обновлены";

// LabVerVK on the firmware page.
std::string VersionLabelText(std::uint8_t ver1, std::uint8_t ver2);

}  // namespace varnel
