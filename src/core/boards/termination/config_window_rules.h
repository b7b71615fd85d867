#pragma once
// What the termination board configuration window shows, offers and enables,
// decided from the board's record alone: the window only applies these.
// Lists are given as display texts; a selection is a list index, -1 for none.
// Colours are 0xBBGGRR.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "boards/termination/module_settings.h"
#include "model/board_state.h"

namespace varnel {

enum class ConfigWindowMode { Configuration, Firmware };

// Module type codes as the board reports them.
inline constexpr std::uint8_t kModuleNone = 0;

// One settings row per module position.
struct ModuleForm {
  int tx = 0;           // transmit level index
  int rx = 0;           // receive level index (type 13)
  int mode = 0;         // signalling (type 13) or dialling (type 7) mode index
  bool echo = false;    // echo canceller on
  bool locked = false;  // "Блок"
  bool operator==(const ModuleForm&) const = default;
};

// Every setting of the window, as the record codec reads and writes it.
struct TerminationConfigForm {
  int channelMode = 0;       // 0 digital, 1 analog
  int serviceWidth = 200;    // bit/s, 100..6400 in steps of 100
  int codec = 0;             // 0 "6,4 кбита", 1 "8,0 кбит"
  int voiceChannels = 1;     // 1 or 2
  bool ethernetBlocked = false;
  std::string ip = "192.168.1.254";
  std::string mask = "255.255.0.0";
  std::string gateway = "192.168.0.1";
  bool poeEnabled = false;
  bool transparent = false;  // layer 2 Ethernet
  int rsRate = 0;            // index into Rs232RateItems(rsMode)
  int rsParity = 0;          // 0 none, 1 odd, 2 even
  int rsMode = 0;            // 0 asynchronous, 1 code-independent
  int rsStream = 0;          // 0 packets, 1 stream
  int rsStreamRate = 0;      // index into StreamRateItems(), 0 "---"
  int bandPosition = 0;      // 0..5
  bool limiter = false;      // speech channel limiter
  int alarmMode = 0;         // 0 far end, 1 block alarm
  std::array<bool, 3> alarmChannels{};
  std::array<ModuleForm, 3> modules{};
  bool operator==(const TerminationConfigForm&) const = default;
};

// Which settings the firmware and the hardware of a board allow.
struct ConfigGates {
  bool contacts = false;        // alarm contact group (1.8)
  bool limiter = false;         // speech limiter (1.9)
  bool analog = false;          // analog settings group in analog mode (1.8)
  bool transparent = false;     // "Прозрачный режим" (2.6)
  bool poe = false;             // "Включить PoE": the board supports PoE
  bool stream = false;          // stream mode in asynchronous RS-232 (1.8)
  bool streamFlag = false;      // stream written as a flag, no rate list (2.10)
  bool wholeBand = false;       // band position 5 gives module 1 the whole band (1.12)
  bool moduleLock = false;      // module lock boxes enabled (1.16)
  bool dialMode = false;        // dialling mode of type 7 modules (2.8)
  bool operator==(const ConfigGates&) const = default;
};

ConfigGates ConfigGatesOf(std::uint8_t ver1, std::uint8_t ver2, std::uint32_t poeBits);
// From the board's version bytes and PoE bits.
ConfigGates ConfigGatesOf(const TBRDS& board);

struct ConfigWindowFrame {
  std::string caption;
  int width = 0;
  int height = 0;
  bool settingsShown = false;  // settings groups, "Чтение" and "Запись"
  bool firmwareShown = false;  // the firmware update group
};

ConfigWindowFrame FrameOf(ConfigWindowMode mode);

// Fixed lists of the window.
std::vector<std::string> ChannelModeItems();
std::vector<std::string> CodecItems();
std::vector<std::string> VoiceChannelItems();
std::vector<std::string> Rs232RateItems(int rsMode);
std::vector<std::string> ParityItems();
std::vector<std::string> Rs232ModeItems();
std::vector<std::string> StreamModeItems();
// "---", then 0,8 … 102,4 kbit/s.
std::vector<std::string> StreamRateItems();
std::vector<std::string> AlarmModeItems();

struct ModuleRowView {
  std::string label;
  std::vector<std::string> txLevels;
  std::vector<std::string> rxLevels;
  std::vector<std::string> modes;
  bool txShown = false;
  bool rxShown = false;
  bool modeShown = false;
  bool echoShown = false;
  bool lockShown = false;
  bool lockEnabled = false;
  std::uint32_t colour = 0;  // label and tick boxes
};

// row 1..3.
ModuleRowView ModuleRowOf(int row, std::uint8_t type, const ConfigGates& gates);

struct ChannelModeView {
  bool digitalShown = false;  // digital band, Ethernet and RS-232 groups
  bool analogShown = false;   // analog settings group
};

ChannelModeView ChannelModeRule(int channelMode, const ConfigGates& gates);

struct EthernetView {
  bool transparentChecked = false;
  bool transparentEnabled = false;
  bool addressesEnabled = false;  // IP, mask, gateway and their labels
  bool poeChecked = false;
  bool poeEnabled = false;
};

EthernetView EthernetRule(bool blocked, bool transparent, bool poe);

// Leaving the field: cut down to a multiple of 100 within 100..6400.
int RoundServiceWidth(int width);

struct Rs232View {
  std::vector<std::string> rates;
  int rate = -1;  // the kept index, -1 when the new list is shorter
  bool parityShown = false;
  bool streamShown = false;
  int streamWidth = 0;  // pixels
  bool streamRateShown = false;
};

Rs232View Rs232ModeRule(int rsMode, int selectedRate, const ConfigGates& gates);

struct StreamRateView {
  bool enabled = false;
  int selected = -1;
};

StreamRateView StreamRule(int rsStream, int selectedRate);

std::string BandLabel(int position, const ConfigGates& gates);

struct AlarmView {
  bool channelsShown = false;  // "Каналы:" and the three boxes
  bool untick = false;         // the three boxes go off
};

AlarmView AlarmModeRule(int alarmMode);

// A click on a module's lock box: whether the row's lists and echo box are
// enabled now, or nothing when the lock box itself is disabled.
struct ModuleLockView {
  bool applies = false;
  bool controlsEnabled = true;
};

ModuleLockView ModuleLockRule(bool lockEnabled, bool locked);

}  // namespace varnel
