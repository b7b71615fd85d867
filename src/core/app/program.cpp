#include "app/program.h"

namespace varnel {

Program::Program(const Clock& clock, DatagramSink& sink, DiscoveryEvents& events)
    : link(clock, sink, *this),
      discovery(link.trace, link.registry, link.request, events),
      exploration(link.trace, link.registry, link.send) {}

void Program::ResetNetwork() {
  link.registry.Clear();
  link.request = RequestState{};
  exploration.Reset();
}

void Program::IdentityAnswer(std::uint8_t id, const Route& idRoute, int device, ByteView body) {
  discovery.IdentityAnswer(id, idRoute, device, body);
}

}  // namespace varnel
