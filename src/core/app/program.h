#pragma once
// Everything the program knows and does, without a window: the link, the
// settings, discovery and exploration, and the routing of decoded answers.
// The main window owns one Program and shows what it records.

#include "app/event_log_link.h"
#include "app/flash_link.h"
#include "app/link.h"
#include "app/modem_firmware_link.h"
#include "boards/amplifier/amplifier_parser.h"
#include "boards/board_events.h"
#include "boards/modem/modem_parser.h"
#include "boards/termination/termination_parser.h"
#include "network/discovery.h"
#include "network/exploration.h"
#include "netsettings/network_answer.h"
#include "settings/app_settings.h"

namespace varnel {

class Program : private AnswerHandlers {
 public:
  Program(const Clock& clock, DatagramSink& sink, DiscoveryEvents& events, BoardPageEvents& boardEvents,
          TerminationViewEvents& terminationView);
  // Board answers are parsed but no page is redrawn.
  Program(const Clock& clock, DatagramSink& sink, DiscoveryEvents& events);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  AppSettings settings;
  Link link;
  Discovery discovery;
  Exploration exploration;
  ModemParser modem;
  TerminationParser termination;
  AmplifierParser amplifier;
  EventLog eventLog;
  EventLogLink eventLogLink;
  FlashSession flash;
  FlashLink flashLink;
  ModemFirmwareSession modemFirmware;
  ModemFirmwareLink modemFirmwareLink;

  // Where a block's network settings are shown; none: only traced.
  void setNetworkSettingsView(NetworkSettingsView* view) { networkView_ = view; }
  // Another root block: datagrams go to ip from now on, everything known
  // about the old network is forgotten and exploration starts afresh.
  void SwitchRoot(const std::string& ip);

 private:
  NetworkSettingsView* networkView_ = nullptr;
  void NetworkSettingsAnswer(int device, ByteView body) override;
  void IdentityAnswer(std::uint8_t id, const Route& idRoute, int device, ByteView body) override;
  bool ModemAnswer(int device, TStructDev& dev, std::uint8_t command, ByteView body, int slot) override;
  bool TerminationAnswer(int device, TStructDev& dev, ByteView body, int slot) override;
  bool AmplifierAnswer(int device, TStructDev& dev, ByteView body, int slot) override;
};

}  // namespace varnel
