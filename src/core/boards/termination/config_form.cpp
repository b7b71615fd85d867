#include "boards/termination/config_form.h"

#include <algorithm>

namespace varnel {

TerminationConfigForm FormFromConfig(const TerminationConfig& c) {
  TerminationConfigForm f;
  f.channelMode = c.analogMode ? 1 : 0;
  f.serviceWidth = c.serviceWidth;
  f.codec = c.codec8k ? 1 : 0;
  f.voiceChannels = c.twoVoiceChannels ? 2 : 1;
  f.ethernetBlocked = c.ethernetBlocked;
  f.ip = c.ip;
  f.mask = c.mask;
  f.gateway = c.gateway;
  f.poeEnabled = c.poeEnabled;
  f.transparent = c.transparentEthernet;
  f.rsRate = c.rsRate;
  f.rsParity = c.rsParity;
  f.rsMode = c.rsCodeIndependent ? 1 : 0;
  f.rsStream = c.stream ? 1 : 0;
  f.rsStreamRate = c.streamRate;
  f.bandPosition = c.bandSplit;
  f.limiter = c.limiter;
  // No channel named means the far end's alarm.
  f.alarmChannels = c.alarmChannels;
  f.alarmMode = std::any_of(c.alarmChannels.begin(), c.alarmChannels.end(), [](bool on) { return on; }) ? 1 : 0;
  for (std::size_t i = 0; i < f.modules.size(); ++i) {
    const ModuleSettings& m = c.modules[i];
    f.modules[i] = {m.txLevel, m.rxLevel, m.mode, c.echoCanceller[i], m.locked};
  }
  return f;
}

void ApplyForm(const TerminationConfigForm& f, TerminationConfig& c) {
  c.analogMode = f.channelMode == 1;
  c.serviceWidth = f.serviceWidth;
  c.codec8k = f.codec == 1;
  c.twoVoiceChannels = f.voiceChannels == 2;
  c.ethernetBlocked = f.ethernetBlocked;
  c.ip = f.ip;
  c.mask = f.mask;
  c.gateway = f.gateway;
  c.poeEnabled = f.poeEnabled;
  c.transparentEthernet = f.transparent;
  c.rsRate = f.rsRate;
  c.rsParity = f.rsParity;
  c.rsCodeIndependent = f.rsMode == 1;
  c.stream = f.rsStream == 1;
  c.streamRate = f.rsStreamRate;
  c.bandSplit = f.bandPosition;
  c.limiter = f.limiter;
  c.alarmChannels = f.alarmMode == 1 ? f.alarmChannels : std::array<bool, 3>{};
  for (std::size_t i = 0; i < f.modules.size(); ++i) {
    ModuleSettings& m = c.modules[i];
    m.txLevel = f.modules[i].tx;
    m.rxLevel = f.modules[i].rx;
    m.mode = f.modules[i].mode;
    m.locked = f.modules[i].locked;
    c.echoCanceller[i] = f.modules[i].echo;
  }
}

}  // namespace varnel
