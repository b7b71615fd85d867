#include "sim/net/emulator.h"

#include "sim/wire/frame.h"

namespace varnel::sim {

namespace {

constexpr std::uint8_t kTerminator = 0;

Outcome Silent(std::string note) { return {{}, std::move(note)}; }

// An answer to a command repeats the command code first.
int CommandOf(ByteView body) { return body.empty() ? -1 : body[0]; }

void Append(std::string& text, const std::string& more) {
  if (more.empty()) return;
  if (!text.empty()) text += "; ";
  text += more;
}

}  // namespace

Emulator::Emulator(Block root) : Emulator(Network("block", "", std::move(root))) {}

Emulator::Emulator(Network network) : network_(std::move(network)), routes_(network_) {}

Outcome Emulator::Handle(ByteView datagram) const {
  const CheckedRequest request = CheckRequest(datagram);
  if (request.fault != FrameFault::None) {
    return Silent("ignored: " + std::string(FaultText(request.fault)));
  }
  const RouteMatch match = routes_.Find(request.content);
  if (!match.target) {
    return Silent("no device or board at " + NibblesText(UnpackNibbles(request.content)));
  }
  const RouteTarget& target = *match.target;
  switch (target.kind) {
    case RouteKind::Broadcast:
    case RouteKind::Open:
      if (!match.payload.empty()) return DeviceCommand(target.device, match.payload);
      return Identities(target, target.kind == RouteKind::Broadcast ? "identity (broadcast)"
                                                                    : "identity (open block)");
    case RouteKind::Probe: {
      const std::string side = "side " + std::to_string(target.number) + " of " +
                               Label(target.device);
      if (!match.payload.empty()) return Silent("ignored: probe of " + side + " with a payload");
      if (target.devices.empty()) return Silent("probe of " + side + ": nobody there");
      return Identities(target, "probe of " + side);
    }
    case RouteKind::Board:
      return BoardCommand(target, match.payload);
  }
  return Silent("ignored");
}

Outcome Emulator::Identities(const RouteTarget& target, std::string note) const {
  Outcome outcome{{}, std::move(note) + ":"};
  for (std::size_t d : target.devices) {
    const Device& device = network_.Devices()[d];
    Nibbles address = device.id_route;
    address.push_back(kTerminator);
    outcome.answers.push_back(Framed(d, address, device.settings->IdentityBody(device.up_side)));
    outcome.note += (d == target.devices.front() ? " " : ", ") + Label(d);
  }
  return outcome;
}

Outcome Emulator::DeviceCommand(std::size_t device, ByteView payload) const {
  const Device& d = network_.Devices()[device];
  const std::optional<CommandReply> own = d.settings->Handle(payload, d.up_side);
  const CommandReply reply = own ? *own : d.behaviour->DeviceCommand(payload);
  Outcome outcome{{}, Label(device) + ": " + reply.note};
  if (reply.body) {
    Nibbles address = d.id_route;
    address.push_back(kTerminator);
    outcome.answers.push_back(Framed(device, address, *reply.body));
    outcome.answers.back().command = CommandOf(*reply.body);
  }
  return outcome;
}

Outcome Emulator::BoardCommand(const RouteTarget& target, ByteView payload) const {
  Outcome outcome;
  for (std::size_t d : target.devices) {
    const Device& device = network_.Devices()[d];
    const CommandReply reply = device.behaviour->BoardCommand(target.number, payload);
    Append(outcome.note, Label(d) + ": " + reply.note);
    if (!reply.body) continue;
    Nibbles address = device.send_route;
    address.push_back(target.number);
    outcome.answers.push_back(Framed(d, address, *reply.body));
    outcome.answers.back().command = CommandOf(*reply.body);
  }
  return outcome;
}

Answer Emulator::Framed(std::size_t device, const Nibbles& address, ByteView body) const {
  const unsigned hops = network_.Devices()[device].hf_hops;
  return {BuildAnswer(address, body), network_.HopDelay() * hops, device};
}

std::string Emulator::Label(std::size_t device) const {
  const Device& d = network_.Devices()[device];
  return d.key + " (ID " + std::to_string(d.block.Id()) + ")";
}

}  // namespace varnel::sim
