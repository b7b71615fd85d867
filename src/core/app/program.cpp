#include "app/program.h"

namespace varnel {

namespace {

class NoBoardPages final : public BoardPageEvents {
 public:
  void OpenBoardPage(int, int) override {}
  void ApplyRateLimits() override {}
  void AppendMemoLine(std::string_view) override {}
};

class NoTerminationView final : public TerminationViewEvents {
 public:
  void ShowSubchannelState(int, int, const SubchannelState&, const std::string&) override {}
  void ShowAnalogLevel(const std::string&) override {}
  void ShowLoopState(const std::string&) override {}
};

BoardPageEvents& NoBoardPageEvents() {
  static NoBoardPages none;
  return none;
}

TerminationViewEvents& NoTerminationViewEvents() {
  static NoTerminationView none;
  return none;
}

}  // namespace

Program::Program(const Clock& clock, DatagramSink& sink, DiscoveryEvents& events, BoardPageEvents& boardEvents,
                 TerminationViewEvents& terminationView)
    : link(clock, sink, *this),
      discovery(link.trace, link.registry, link.request, events),
      exploration(link.trace, link.registry, link.send),
      modem(link.trace, clock, boardEvents),
      termination(link.trace, boardEvents, terminationView),
      amplifier(link.trace, boardEvents),
      eventLog(link.trace, link.request),
      eventLogLink(eventLog),
      flash(link.trace, link.request, link.send),
      flashLink(flash),
      modemFirmware(link.trace, clock, link.request, link.send),
      modemFirmwareLink(modemFirmware) {
  modem.setLogHandler(&eventLogLink);
  modem.setFirmwareHandler(&modemFirmwareLink);
  termination.setFlashHandler(&flashLink);
}

Program::Program(const Clock& clock, DatagramSink& sink, DiscoveryEvents& events)
    : Program(clock, sink, events, NoBoardPageEvents(), NoTerminationViewEvents()) {}

void Program::IdentityAnswer(std::uint8_t id, const Route& idRoute, int device, ByteView body) {
  discovery.IdentityAnswer(id, idRoute, device, body);
}

void Program::NetworkSettingsAnswer(int device, ByteView body) {
  const std::optional<NetworkSettings> settings = ParseNetworkSettings(body);
  if (!settings) {
    link.trace.Trace("  NetSettings Err:1", 0);
    return;
  }
  // The page shows the current block only; another block's late answer is not its business.
  if (networkView_ != nullptr && device == link.request.currentDevice) networkView_->ShowNetworkSettings(device, *settings);
}

void Program::SwitchRoot(const std::string& ip) {
  link.settings.peerIp = ip;
  // Answers of the old root still queued would land in the empty registry as if the new root had sent them.
  link.queue.clear();
  link.registry.Clear();
  RequestState& r = link.request;
  r.currentDevice = 0;
  r.currentChannel = 0;
  r.selectedSlot = 0;
  r.openDevice = 0;
  r.expectedCode = 0;
  exploration.Reset();
}

// The command code is the body's first byte; the parser reads it there.
bool Program::ModemAnswer(int device, TStructDev& dev, std::uint8_t, ByteView body, int slot) {
  return modem.GetInfVK(device, dev, body, slot);
}

bool Program::TerminationAnswer(int device, TStructDev& dev, ByteView body, int slot) {
  return termination.GetInfSL(device, dev, body, slot);
}

bool Program::AmplifierAnswer(int device, TStructDev& dev, ByteView body, int slot) {
  return amplifier.GetInfAP(device, dev, body, slot);
}

}  // namespace varnel
