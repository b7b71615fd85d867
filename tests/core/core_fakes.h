#pragma once
// Recording fakes for the transport spine and a fixture that wires a Link
// to them with a fixed clock.

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "boards/board_events.h"
#include "network/discovery.h"
#include "wire/frame.h"
#include "app/link.h"
#include "flash/session.h"
#include "model/board_command_sender.h"
#include "wire/str_utils.h"

namespace varnel::testing {

using Strings = std::vector<std::string>;

// n copies of a UTF-8 text.
inline std::string Repeat(std::string_view text, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += text;
  return out;
}

inline ManualClock ClockAt(int hour, int minute, int second) {
  ManualClock c;
  c.local = LocalDateTime{2024, 3, 7, hour, minute, second};
  return c;
}

// The frame with its checksum appended.
inline Bytes Sealed(Bytes frame) {
  frame.push_back(FrameChecksum(frame));
  return frame;
}

struct RecordingTrace : TraceSink {
  Strings lines;
  void appendLine(std::string_view line) override { lines.emplace_back(line); }
  // Lines without their "[hh:nn:ss] " stamp.
  Strings messages() const {
    Strings out;
    for (const auto& l : lines) out.push_back(l.substr(l.find("] ") + 2));
    return out;
  }
  bool Has(std::string_view message) const {
    const auto m = messages();
    return std::find(m.begin(), m.end(), message) != m.end();
  }
};

struct RecordingSink : DatagramSink {
  struct Sent {
    Bytes bytes;
    std::string host;
    std::uint16_t port;
  };
  bool active = true;
  std::vector<Sent> sent;
  bool isActive() const override { return active; }
  void sendTo(const Bytes& d, std::string_view host, std::uint16_t port) override {
    sent.push_back({d, std::string(host), port});
  }
};

struct RecordingHandlers : AnswerHandlers {
  struct Call {
    std::string kind;
    int device = 0;
    std::uint8_t code = 0;  // ID for identity answers, command for the modem
    Route route;            // identity answers only
    Bytes body;
    int slot = 0;
    bool operator==(const Call&) const = default;
    friend void PrintTo(const Call& c, std::ostream* os) {
      *os << c.kind << " dev " << c.device << " code " << int(c.code) << " route " << NibblesToText(c.route)
          << " body " << BytesToHex(c.body) << " slot " << c.slot;
    }
  };
  std::vector<Call> calls;
  bool parserResult = true;

  void IdentityAnswer(std::uint8_t id, const Route& r, int device, ByteView body) override {
    calls.push_back({"identity", device, id, r, Bytes(body.begin(), body.end())});
  }
  void NetworkSettingsAnswer(int device, ByteView body) override {
    calls.push_back({"netsettings", device, 0, {}, Bytes(body.begin(), body.end())});
  }
  bool ModemAnswer(int device, TStructDev&, std::uint8_t cmd, ByteView body, int slot) override {
    return Board("modem", device, cmd, body, slot);
  }
  bool TerminationAnswer(int device, TStructDev&, ByteView body, int slot) override {
    return Board("termination", device, 0, body, slot);
  }
  bool AmplifierAnswer(int device, TStructDev&, ByteView body, int slot) override {
    return Board("amplifier", device, 0, body, slot);
  }

 private:
  bool Board(const char* kind, int device, std::uint8_t cmd, ByteView body, int slot) {
    calls.push_back({kind, device, cmd, {}, Bytes(body.begin(), body.end()), slot});
    return parserResult;
  }
};
using Call = RecordingHandlers::Call;

// Discovery's calls to the views, as "added 2", "name 2", "opened 2".
struct RecordingEvents : DiscoveryEvents {
  Strings calls;
  void DeviceAdded(int d) override { calls.push_back("added " + std::to_string(d)); }
  void DeviceNameKnown(int d) override { calls.push_back("name " + std::to_string(d)); }
  void BlockOpened(int d) override { calls.push_back("opened " + std::to_string(d)); }
};

// The board parsers' calls, as "open 2 4" and "limits"; memo lines apart.
struct RecordingPages : BoardPageEvents {
  Strings calls, memo;
  void OpenBoardPage(int d, int s) override { calls.push_back("open " + std::to_string(d) + " " + std::to_string(s)); }
  void ApplyRateLimits() override { calls.push_back("limits"); }
  void AppendMemoLine(std::string_view line) override { memo.emplace_back(line); }
};

// Board requests as they leave a subsystem: device, slot and payload.
struct RecordingBoardSender : BoardCommandSender {
  struct Sent {
    int device = 0;
    int slot = 0;
    Bytes payload;
  };
  std::vector<Sent> sent;
  void SendBoardCommand(int device, int slot, const Bytes& payload) override {
    sent.push_back({device, slot, payload});
  }
};

// A flash progress window: its timer in simulated time, its memo, whether it closed.
struct FakeFlashWindow : FlashWindow {
  int interval = 0;
  int due = -1;  // ms until the timer fires; -1 while stopped
  bool closed = false;
  Strings memo;
  void RestartTimer(int ms) override { interval = due = ms; }
  void StopTimer() override { due = -1; }
  void CloseWindow() override { closed = true; }
  void ClearMemo() override { memo.clear(); }
  void AppendMemo(std::string_view line) override { memo.emplace_back(line); }
};

// A board parser's surroundings: a debug trace at 10:20:30 on 07.03.2024,
// recorded page events and one device record.
class ParserTest : public ::testing::Test {
 protected:
  ParserTest() {
    trace.setSink(&lines);
    trace.setDebug(true);
  }

  ManualClock clock = ClockAt(10, 20, 30);
  TraceLog trace{clock};
  RecordingTrace lines;
  RecordingPages pages;
  TStructDev dev;
};

// A Link at 10:20:30 on 07.03.2024 with every output recorded.
class LinkTest : public ::testing::Test {
 protected:
  LinkTest() { link.trace.setSink(&trace); }

  int AddDevice(const Route& sendRoute, const Route& idRoute) {
    const int n = link.registry.AllocDevice();
    link.registry.device(n).sendRoute = sendRoute;
    link.registry.device(n).idRoute = idRoute;
    return n;
  }
  // A device hanging below master through the master's channel port.
  int Below(int master, int port, int upConn = 1, const char* name = "") {
    const int n = link.registry.AllocDevice();
    auto& d = link.registry.device(n);
    d.rootNumber = static_cast<std::uint16_t>(master);
    d.rootPort = static_cast<std::uint8_t>(port);
    d.upConn = static_cast<std::uint8_t>(upConn);
    d.name = name;
    return n;
  }
  void Dispatch(Bytes frame) { link.dispatcher.DispatchAnswer(Sealed(std::move(frame))); }

  ManualClock clock = ClockAt(10, 20, 30);
  RecordingSink sink;
  RecordingHandlers handlers;
  Link link{clock, sink, handlers};
  RecordingTrace trace;
};

}  // namespace varnel::testing
