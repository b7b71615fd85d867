#include "boards/termination/config_window_rules.h"

#include <algorithm>

#include "boards/termination/config_record.h"
#include "boards/termination/termination_settings_view.h"
#include "model/device_registry.h"

namespace varnel {

namespace {

// Features of the 1.x line: major above 1, or the minor alone reaches n.
bool Since1(std::uint8_t ver1, std::uint8_t ver2, int n) { return ver1 > 1 || ver2 >= n; }

constexpr std::uint32_t kRowColourOdd = 0xC0C0C0;
constexpr std::uint32_t kRowColourEven = 0xD0D0D0;
constexpr int kStreamWidth = 73;
constexpr int kStreamWidthAlone = 121;  // no rate list beside it
constexpr int kStreamRates = 128;
constexpr int kMinWidth = 100;
constexpr int kMaxWidth = 6400;

std::vector<std::string> TxLevels4W() {
  return {"-17", "-15", "-13", "-11", " -9", " -7", " -5", " -3",
          " -1", "  0", " +1", " +2", " +3", " +4", " +5", " +6"};
}

std::vector<std::string> RxLevels4W() {
  return {"-17", "-15", "-13", "-12", "-10", " -8", " -7", " -6",
          " -5", " -3", " -1", "  0", " +2", " +4", " +5", " +6"};
}

// The two-level modules offer the same pair in both lists.
std::vector<std::string> Levels(std::uint8_t type, std::vector<std::string> (*fourWire)()) {
  if (type == kModule4W) return fourWire();
  if (type == kModuleFS || type == kModuleFO) return {"-3,5", "  -7"};
  return {};
}

std::vector<std::string> ModesOf(std::uint8_t type) {
  if (type == kModule4W) return {"Прозрач.", "АДАСЭ"};
  if (type == kModuleFO) return {"Импульсный", "Тональный"};
  return {};
}

}  // namespace

ConfigGates ConfigGatesOf(std::uint8_t ver1, std::uint8_t ver2, std::uint32_t poeBits) {
  ConfigGates g;
  g.contacts = TerminationHasContacts(ver1, ver2);
  g.limiter = Since1(ver1, ver2, 9);
  g.analog = Since1(ver1, ver2, 8);
  g.transparent = FirmwareAtLeast(ver1, ver2, 2, 6);
  g.poe = poeBits == 1 || poeBits == 3;  // supported, blocked or not
  g.stream = Since1(ver1, ver2, 8);
  g.streamFlag = FirmwareAtLeast(ver1, ver2, 2, 10);
  g.wholeBand = Since1(ver1, ver2, 12);
  g.moduleLock = Since1(ver1, ver2, 16);
  g.dialMode = FirmwareAtLeast(ver1, ver2, 2, 8);
  return g;
}

// The parser keeps the PoE bits in the third value.
ConfigGates ConfigGatesOf(const TBRDS& board) { return ConfigGatesOf(board.Ver1, board.Ver2, board.Values[2]); }

ConfigWindowFrame FrameOf(ConfigWindowMode mode) {
  if (mode == ConfigWindowMode::Firmware) return {"Обновление ПО СЛ30", 510, 380, false, true};
  return {"Конфигурация СЛ30", 750, 590, true, false};
}

std::vector<std::string> ChannelModeItems() { return {"Цифровой", "Аналоговый"}; }
std::vector<std::string> CodecItems() { return {"6,4 кбита", "8,0 кбит"}; }
std::vector<std::string> VoiceChannelItems() { return {"1", "2"}; }
std::vector<std::string> ParityItems() { return {"none(нет)", "odd(нечёт)", "even(чёт)"}; }
std::vector<std::string> Rs232ModeItems() { return {"Асинхронный", "Кодонезависимый"}; }
std::vector<std::string> StreamModeItems() { return {"Пакеты", "Поток"}; }
std::vector<std::string> AlarmModeItems() { return {"Дальнего конца", "Авария блока:"}; }

std::vector<std::string> Rs232RateItems(int rsMode) {
  if (rsMode == 1) return {"100", "200", "300"};
  return {"115200", "57600", "38400", "19200", "9600", "4800", "2400", "1200", "600", "300", "200"};
}

std::vector<std::string> StreamRateItems() {
  std::vector<std::string> items{"---"};
  for (int k = 1; k <= kStreamRates; ++k) {
    const int tenths = k * 8;  // k × 0,8 kbit/s
    items.push_back(std::to_string(tenths / 10) + "," + std::to_string(tenths % 10));
  }
  return items;
}

ModuleRowView ModuleRowOf(int row, std::uint8_t type, const ConfigGates& gates) {
  ModuleRowView v;
  v.label = "  [" + std::to_string(row) + "]  " + LineTypeText(type);
  v.colour = row == 2 ? kRowColourEven : kRowColourOdd;
  if (type == kModuleNone) return v;
  v.txLevels = Levels(type, TxLevels4W);
  v.rxLevels = Levels(type, RxLevels4W);
  v.modes = ModesOf(type);
  v.txShown = true;
  v.rxShown = type == kModule4W;
  v.modeShown = type == kModule4W || (type == kModuleFO && gates.dialMode);
  v.echoShown = true;
  v.lockShown = true;
  v.lockEnabled = gates.moduleLock;
  return v;
}

ChannelModeView ChannelModeRule(int channelMode, const ConfigGates& gates) {
  const bool analog = channelMode == 1;
  return {!analog, analog && gates.analog};
}

EthernetView EthernetRule(bool blocked, bool transparent, bool poe) {
  EthernetView v;
  v.transparentChecked = transparent && !blocked;
  v.transparentEnabled = !blocked;
  v.addressesEnabled = !blocked && !v.transparentChecked;
  v.poeChecked = poe && !blocked;
  v.poeEnabled = !blocked;
  return v;
}

int RoundServiceWidth(int width) { return std::clamp(width - width % 100, kMinWidth, kMaxWidth); }

Rs232View Rs232ModeRule(int rsMode, int selectedRate, const ConfigGates& gates) {
  Rs232View v;
  v.rates = Rs232RateItems(rsMode);
  v.rate = selectedRate >= 0 && selectedRate < static_cast<int>(v.rates.size()) ? selectedRate : -1;
  const bool asynchronous = rsMode == 0;
  v.parityShown = asynchronous;
  v.streamShown = asynchronous && gates.stream;
  v.streamWidth = gates.streamFlag ? kStreamWidthAlone : kStreamWidth;
  v.streamRateShown = v.streamShown && !gates.streamFlag;
  return v;
}

StreamRateView StreamRule(int rsStream, int selectedRate) {
  if (rsStream == 1) return {true, selectedRate};
  return {false, 0};
}

std::string BandLabel(int position, const ConfigGates& gates) {
  if (position == 5 && gates.wholeBand) return "[300..3400]         [---]";
  const int border = 2000 + 200 * position;
  return "[300.." + std::to_string(border) + "]         [" + std::to_string(border + 200) + "..3400] Гц";
}

AlarmView AlarmModeRule(int alarmMode) {
  const bool block = alarmMode == 1;
  return {block, !block};
}

ModuleLockView ModuleLockRule(bool lockEnabled, bool locked) {
  if (!lockEnabled) return {};
  return {true, !locked};
}

}  // namespace varnel
