#include "boards/modem/modem_view.h"

#include <array>

#include "model/board_table.h"

namespace varnel {

namespace {

constexpr std::uint32_t kGrey = 0x808080;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kYellow = 0x00FFFF;
constexpr std::uint32_t kRed = 0x0000FF;

struct Shown {
  std::string_view text;
  std::uint32_t colour;
};

constexpr std::array<Shown, 5> kReceiverStates{{
    {"не прочитано", kGrey},
    {"приём данных", kGreen},
    {"активация", kYellow},
    {"перегрузка", kRed},
    {"нет сигнала", kRed},
}};

constexpr std::array<Shown, 3> kKoData{{
    {"не прочитано", kGrey},
    {"нет", kRed},
    {"есть", kGreen},
}};

constexpr std::array<std::string_view, 12> kRowCaptions{
    "Состояние приёмника",  "Уровень вх. сигнала", "Режим",
    "Полоса передатчика",   "Полоса приёмника",    "Приём данных от КО(транз.)",
    "Скорость передатчика", "Скорость приёмника",  "Запас по шуму",
    "Количество ошибок",    "Коэффициент ошибок",  "Заворот данных КО",
};

template <std::size_t N>
const Shown& Lookup(const std::array<Shown, N>& table, std::uint32_t code) {
  return table[code < N ? code : 0];
}

}  // namespace

std::string_view ReceiverStateText(std::uint32_t code) { return Lookup(kReceiverStates, code).text; }
std::uint32_t ReceiverStateColour(std::uint32_t code) { return Lookup(kReceiverStates, code).colour; }
std::string_view KoDataText(std::uint32_t code) { return Lookup(kKoData, code).text; }
std::uint32_t KoDataColour(std::uint32_t code) { return Lookup(kKoData, code).colour; }

std::string_view ModemRowCaption(int row) {
  return row >= 1 && row <= 12 ? kRowCaptions[static_cast<std::size_t>(row - 1)] : std::string_view{};
}

std::string VersionLabelText(std::uint8_t ver1, std::uint8_t ver2) {
  if (ver1 == 0 && ver2 == 0) return "Считайте версию.";
  return "Версия программы MCU:" + std::to_string(ver1) + "  FPGA:" + std::to_string(ver2);
}

std::array<bool, 4> ConfigNotRefreshed(const AwaitedAnswers& awaited, int device) {
  constexpr std::uint8_t kCommonConfig = 0x10;
  std::array<bool, 4> stale{};
  for (int part = 0; part < 4; ++part) {
    stale[part] = awaited.Missing(device, kModemSlot, static_cast<std::uint8_t>(kCommonConfig + part));
  }
  return stale;
}

std::array<bool, 3> ChannelsNotRefreshed(const AwaitedAnswers& awaited, int device) {
  constexpr std::uint8_t kFirstState = 0x15;
  const std::array<bool, 4> config = ConfigNotRefreshed(awaited, device);
  std::array<bool, 3> stale{};
  // A channel's mode comes with its configuration.
  for (int c = 0; c < 3; ++c) {
    stale[c] = awaited.Missing(device, kModemSlot, static_cast<std::uint8_t>(kFirstState + c)) || config[c + 1];
  }
  return stale;
}

}  // namespace varnel
