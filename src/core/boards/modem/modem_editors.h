#pragma once
// The configuration editors of the modem page as the operator left them,
// and their encoding into the four write requests 10..13.

#include <array>
#include <string>

#include "wire/byte_utils.h"

namespace varnel {

// One channel column of the grid SG1; list index -1 means no selection.
struct ModemChannelEditors {
  bool enabled = false;     // ChTXen "Канал включен"
  int txFreqKHz = 0;        // EditFTX
  int rxFreqKHz = 0;        // EditFRX
  int modeIndex = -1;       // cbMode: analog, transit, digital master, digital slave
  int noiseMargin = 0;      // EditNoise, dB
  double rxRateMin = 0.0;   // edRXrate, kbit/s
  double rxRateMax = 0.0;   // edRXrateMax, kbit/s (MCU version 11 and above)
  bool eocMonitor = false;  // chMonEoc
  int loadedFrom = 0;       // device whose configuration the editors hold; 0: none
};

struct ModemEditorValues {
  double txLevelDb = 0.0;  // EditTXlvl
  double rxLevelDb = 0.0;  // EditRXlvl
  double agcDb = 0.0;      // EditARUlvl
  int aggrIndex = -1;      // cbVK_aggr
  int loadedFrom = 0;      // device whose common configuration the editors hold
  std::array<ModemChannelEditors, 3> channels{};
};

struct ConfigWrite {
  std::array<Bytes, 4> requests;  // 10 ...; 11 ...; 12 ...; 13 ...
  std::string rangeError;         // the editor whose value does not fit; requests then empty
};
// ver1: MCU version of the modem board (aggregation byte from 8, maximum
// rate from 11).
ConfigWrite EncodeModemConfig(const ModemEditorValues& e, std::uint8_t ver1);

// A write sends every editor: one that was not loaded from this device's
// board (another block's values, or the defaults: channel off, 0 kHz) could
// take a live channel off the air. Empty when all were; else the message
// naming what to read first.
std::string UnreadConfigMessage(const ModemEditorValues& e, int device);

}  // namespace varnel
