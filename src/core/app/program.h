#pragma once
// Everything the program knows and does, without a window: the link, the
// settings, discovery and exploration, and the routing of decoded answers.
// The main window owns one Program and shows what it records.

#include "network/discovery.h"
#include "network/exploration.h"
#include "settings/app_settings.h"
#include "transport/link.h"

namespace varnel {

class Program : private AnswerHandlers {
 public:
  Program(const Clock& clock, DatagramSink& sink, DiscoveryEvents& events);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Start over with another peer: empty registry, exploration from scratch.
  void ResetNetwork();

  AppSettings settings;
  Link link;
  Discovery discovery;
  Exploration exploration;

 private:
  void IdentityAnswer(std::uint8_t id, const Route& idRoute, int device, ByteView body) override;
};

}  // namespace varnel
