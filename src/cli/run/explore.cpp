#include "cli/run/explore.h"

#include <limits>

namespace varnel::cli {

ExploreEnd Explore(Session& session, Progress& progress, const std::function<bool()>& stopWhen) {
  Program& program = session.program();
  const CliOptions& o = session.options();
  program.exploration.Reset();
  program.exploration.AutoStateStep();
  int lastStepMs = 0;
  int lastProbeMs = 0;
  ExploreEnd end = ExploreEnd::Explored;
  bool finished = false;
  session.RunUntil(
      [&] {
        if (stopWhen && stopWhen()) {
          end = ExploreEnd::Stopped;
          finished = true;
        }
        return finished;
      },
      std::numeric_limits<int>::max(),
      [&](int elapsed) {
        const bool rootKnown = program.link.registry.inUse(1);
        if (!rootKnown && elapsed >= o.timeoutMs) {
          end = ExploreEnd::NoAnswer;
          finished = true;
          return;
        }
        if (rootKnown && program.exploration.Exhausted()) {
          // Late answers may add devices, and with them probes.
          finished = elapsed - lastProbeMs >= o.timeoutMs;
        } else if (elapsed - lastStepMs >= o.intervalMs) {
          program.exploration.AutoStateStep();
          lastStepMs = elapsed;
          if (rootKnown) lastProbeMs = elapsed;
        }
        progress.Show("exploring: " + std::to_string(program.exploration.autoState()) + " probes, " +
                      std::to_string(session.devicesAdded()) + " devices");
      });
  return end;
}

}  // namespace varnel::cli
