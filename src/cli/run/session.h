#pragma once
// One run of the tool against one root block: the program's core without a
// window, its UDP endpoint, and an event loop the commands wait in. Board
// pages are not drawn; the termination board's subchannel answers, which go
// straight to a view, are kept here for printing.

#include <functional>
#include <optional>
#include <string>

#include "app/program.h"
#include "net_qt/udp_endpoint.h"
#include "cli/options/cli_options.h"

namespace varnel::cli {

// What the termination parser shows instead of storing it.
struct TerminationShown {
  std::optional<SubchannelState> state;
  std::string counters;
  std::string analogLevel;
};

class Session final : private DiscoveryEvents, private BoardPageEvents, private TerminationViewEvents {
 public:
  explicit Session(const CliOptions& options);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Binds the local port; the reason when none of the four is free.
  std::string Start();

  // Serves datagrams until done() holds (true) or timeoutMs passed (false);
  // tick runs every kTickMs with the milliseconds since the start.
  static constexpr int kTickMs = 20;
  bool RunUntil(const std::function<bool()>& done, int timeoutMs,
                const std::function<void(int elapsedMs)>& tick = {});

  Program& program() { return program_; }
  Link& link() { return program_.link; }
  const CliOptions& options() const { return options_; }
  const TerminationShown& terminationShown() const { return shown_; }
  void ForgetTerminationShown() { shown_ = {}; }
  // Devices discovery added so far.
  int devicesAdded() const { return added_; }

 private:
  void OnDatagrams();

  void DeviceAdded(int) override { ++added_; }
  void DeviceNameKnown(int) override {}
  void BlockOpened(int) override {}
  void OpenBoardPage(int, int) override {}
  void ApplyRateLimits() override {}
  void AppendMemoLine(std::string_view) override {}
  void ShowSubchannelState(int, int, const SubchannelState& state, const std::string& counters) override {
    shown_.state = state;
    shown_.counters = counters;
  }
  void ShowAnalogLevel(const std::string& text) override { shown_.analogLevel = text; }
  void ShowLoopState(const std::string&) override {}

  const CliOptions& options_;
  SystemClock clock_;
  net::UdpEndpoint endpoint_;
  Program program_;
  TerminationShown shown_;
  int added_ = 0;
};

}  // namespace varnel::cli
