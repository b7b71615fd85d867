#include <algorithm>
#include <string>
#include <vector>

#include "core_fakes.h"
#include "network/exploration.h"
#include "network/polling_scheduler.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

class DiscoveryTest : public LinkTest {
 protected:
  DiscoveryTest() { link.trace.setDebug(true); }

  // An identity answer as the dispatcher hands it on: the device is looked
  // up by ID Route, the name arrives as raw Windows-1251 bytes.
  void Answer(std::uint8_t id, const Route& r, std::uint8_t up, std::string_view name = "", std::uint8_t type = 0) {
    Bytes body{up, type};
    body.insert(body.end(), name.begin(), name.end());
    discovery.IdentityAnswer(id, r, reg.FindByIDRoute(r), body);
  }
  std::string Describe(int n) const {
    const TStructDev& d = reg.device(n);
    std::string show;
    for (const auto& c : d.channels) show += c.show ? '1' : '0';
    return "id " + std::to_string(d.id) + " send " + NibblesToText(d.sendRoute) + " idr " +
           NibblesToText(d.idRoute) + " up " + std::to_string(d.upConn) + " root " + std::to_string(d.rootNumber) +
           ":" + std::to_string(d.rootPort) + " [" + d.rootName + "] show " + show + " type " +
           std::to_string(d.blockType) + " " + d.name;
  }
  Strings Errors() const {
    Strings out;
    for (const auto& m : trace.messages()) {
      if (m.starts_with("  Err:")) out.push_back(m);
    }
    return out;
  }
  int InUseCount() const {
    int n = 0;
    for (int d = 1; d <= kMaxDevices; ++d) n += reg.inUse(d) ? 1 : 0;
    return n;
  }

  // What one exploration step sent; empty when it sent nothing.
  Bytes Step() {
    const std::size_t before = sink.sent.size();
    explore.AutoStateStep();
    EXPECT_LE(sink.sent.size(), before + 1);
    return sink.sent.size() == before ? Bytes{} : sink.sent.back().bytes;
  }

  DeviceRegistry& reg = link.registry;
  RecordingEvents events;
  Discovery discovery{link.trace, reg, link.request, events};
  Exploration explore{link.trace, reg, link.send};
};

}  // namespace

TEST_F(DiscoveryTest, DevicesArePlacedBelowTheirMasters) {
  Answer(1, {1}, 0, "Root", 0x21);
  Answer(1, {1}, 3, "Main", 0x22);      // known now: only name and type change
  Answer(7, {1, 2, 0, 7}, 1, "B7", 5);  // root's channel 2, own channel 1 faces it
  EXPECT_TRUE(trace.Has("    rootDEV:1 RootRoute.1"));
  Answer(8, {1, 3, 0, 8}, 0, "E8");           // root's channel 3, reached over Ethernet
  Answer(9, {1, 2, 3, 0, 9}, 2, "B9");        // channel 3 of device 2
  Answer(5, {1, 3, 0, 8, 1, 0, 5}, 1, "B5");  // channel 1 of the Ethernet device

  EXPECT_EQ(Describe(1), "id 1 send .1 idr .1 up 0 root 0:0 [] show 111 type 34 Main");
  EXPECT_EQ(Describe(2), "id 7 send .1.2 idr .1.2.0.7 up 1 root 1:2 [Main] show 011 type 5 B7");
  EXPECT_EQ(Describe(3), "id 8 send .1.3.0.8 idr .1.3.0.8 up 0 root 1:3 [Main] show 111 type 0 E8");
  EXPECT_EQ(Describe(4), "id 9 send .1.2.3 idr .1.2.3.0.9 up 2 root 2:3 [B7] show 101 type 0 B9");
  EXPECT_EQ(Describe(5), "id 5 send .1.3.0.8.1 idr .1.3.0.8.1.0.5 up 1 root 3:1 [E8] show 011 type 0 B5");
  EXPECT_EQ(events.calls, (Strings{"added 1", "name 1", "name 1", "added 2", "name 2", "added 3", "name 3", "added 4",
                                  "name 4", "added 5", "name 5"}));
  EXPECT_TRUE(Errors().empty());
}

TEST_F(DiscoveryTest, RefusalsAddNothing) {
  Answer(7, {1, 2, 0, 7}, 1);  // master not known yet
  EXPECT_EQ(InUseCount(), 0);

  Answer(1, {1}, 0, "Root");
  events.calls.clear();
  discovery.IdentityAnswer(1, {1}, 1, Bytes{0});  // body too short
  Answer(7, {1, 7}, 1);        // too short for a channel device
  Answer(7, {1, 0, 0, 7}, 1);  // channel 0
  Answer(7, {1, 4, 0, 7}, 1);  // a board address, not a channel
  // Another block claims to be the main root: the record it got is given back.
  Answer(2, {2}, 0, "Other");
  EXPECT_EQ(InUseCount(), 1);
  EXPECT_EQ(reg.device(1).name, "Root");

  for (int n = 2; n <= kMaxDevices; ++n) reg.AllocDevice();
  Answer(7, {1, 2, 0, 7}, 1);
  Answer(3, {3}, 0);
  EXPECT_EQ(Errors(),
            (Strings{"  Err:0", "  Err:1", "  Err:6", "  Err:4", "  Err:4", "  Err:5", "  Err:3", "  Err:2"}));
  EXPECT_TRUE(events.calls.empty());
  EXPECT_EQ(reg.FindByIDRoute(Route{1, 2, 0, 7}), 0);
}

TEST_F(DiscoveryTest, NamesAreWindows1251CutTo32Bytes) {
  auto nameAfter = [&](std::string_view bytes) {
    Answer(1, {1}, 0, bytes);
    return reg.device(1).name;
  };
  // The cut counts bytes after the zeros are dropped, before decoding.
  EXPECT_EQ(nameAfter(std::string(8, '\0') + std::string(33, 'x')), std::string(32, 'x'));
  EXPECT_EQ(nameAfter(std::string(40, '\xC6')), Repeat("Ж", 32));

  Answer(2, {1, 1, 0, 2}, 1);
  EXPECT_EQ(reg.device(2).rootName, Repeat("Ж", 31));
}

TEST_F(DiscoveryTest, OnlyTheOpenCurrentBlockCountsAsOpened) {
  link.request.openDevice = 1;
  link.request.currentDevice = 1;
  Answer(1, {1}, 0, "Root");
  link.request.currentDevice = 2;
  Answer(1, {1}, 0, "Root");
  EXPECT_EQ(events.calls, (Strings{"added 1", "name 1", "opened 1", "name 1"}));
}

TEST_F(DiscoveryTest, ExplorationBroadcastsThenProbesEverySideButTheUpSide) {
  explore.setLimit(0);
  EXPECT_FALSE(explore.Exhausted());  // nothing known: the broadcast goes on
  EXPECT_EQ(Step(), (Bytes{0x00, 0x0F, 0xF0}));
  EXPECT_EQ(Step(), (Bytes{0x00, 0x0F, 0xF0}));  // the limit does not stop the broadcast
  AddDevice({1}, {1});
  EXPECT_EQ(Step(), Bytes{});
  explore.setLimit(32);
  EXPECT_EQ(Step(), (Bytes{0x00, 0x11, 0xF0, 0x00, 0xFD}));  // root, channel 1
  EXPECT_EQ(Step(), (Bytes{0x00, 0x21, 0xF0, 0x00, 0xED}));  // channel 2
  // Found behind the root's channel 2, its own channel 1 facing the root.
  reg.device(AddDevice({1, 2}, {1, 2, 0, 7})).upConn = 1;
  EXPECT_EQ(Step(), (Bytes{0x00, 0x31, 0xF0, 0x00, 0xDD}));  // root, channel 3
  EXPECT_EQ(Step(), (Bytes{0x00, 0x21, 0x00, 0x0F, 0xCF}));  // device 2, Ethernet
  EXPECT_EQ(Step(), (Bytes{0x00, 0x21, 0x02, 0x0F, 0xCD}));  // channel 2
  EXPECT_FALSE(explore.Exhausted());
  EXPECT_EQ(Step(), (Bytes{0x00, 0x21, 0x03, 0x0F, 0xCC}));  // channel 3
  EXPECT_EQ(explore.Candidates(), 6);
  EXPECT_TRUE(explore.Exhausted());
  EXPECT_EQ(Step(), Bytes{});
  // A device found later extends the list where it stopped, up to the limit.
  reg.device(AddDevice({1, 3}, {1, 3, 0, 8})).upConn = 2;
  EXPECT_FALSE(explore.Exhausted());
  explore.setLimit(7);
  EXPECT_EQ(Step(), (Bytes{0x00, 0x31, 0x00, 0x0F, 0xBF}));
  EXPECT_TRUE(explore.Exhausted());  // the limit, two candidates short
  EXPECT_EQ(Step(), Bytes{});
  explore.Reset();
  EXPECT_EQ(Step(), (Bytes{0x00, 0x11, 0xF0, 0x00, 0xFD}));
}

namespace {

// Records each action with the counter value it ran at, e.g. "read@2000".
class SchedulerTest : public ::testing::Test {
 protected:
  void Note(const char* what) { log.push_back(std::string(what) + "@" + std::to_string(scheduler.counter().ms())); }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) scheduler.Tick();
  }

  std::vector<std::string> log;
  bool allowed = true;
  bool writing = false;
  PollingScheduler scheduler{{[this] { Note("clock"); }, [this] { Note("explore"); }, [this] { return allowed; },
                              [this] { Note("read"); }, [this] { return writing; }}};
};

}  // namespace

TEST_F(SchedulerTest, AutoReadSwitchedOffStaysOffUntilSetAgain) {
  scheduler.setAutoReadPeriod(1);
  Ticks(10);
  allowed = false;
  Ticks(1);
  EXPECT_EQ(scheduler.autoReadPeriod(), 0);
  allowed = true;
  Ticks(19);
  scheduler.setAutoReadPeriod(1);
  Ticks(10);
  EXPECT_EQ(std::count(log.begin(), log.end(), "read@1000"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "read@4000"), 1);
  EXPECT_EQ(log.size(), 10u);  // clock and explore for 4 seconds, 2 reads
}

// Ticks of 100 ms; the wrap to 0 counts as a whole second.
TEST_F(SchedulerTest, WholeSecondsAutoReadPeriodAndTheCounterWrap) {
  scheduler.counter().reset(0xFFFFF000u - 300);
  scheduler.setAutoReadPeriod(3);
  Ticks(13);
  EXPECT_EQ(log, (std::vector<std::string>{"clock@4294963000", "explore@4294963000", "clock@0", "explore@0", "read@0",
                                           "clock@1000", "explore@1000"}));
}

// A read due while a write's answer is awaited waits for it, but not forever.
TEST_F(SchedulerTest, AutoReadWaitsForAWritesAnswer) {
  scheduler.setAutoReadPeriod(1);
  writing = true;
  Ticks(15);
  EXPECT_EQ(std::count(log.begin(), log.end(), "read@1000"), 0);
  writing = false;
  Ticks(1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "read@1600"), 1) << "the due read goes once the answer came";
  writing = true;
  log.clear();
  Ticks(29);  // due at 2000, the write unanswered since 1700
  EXPECT_EQ(log.size(), 6u) << "clock and explore only";
  Ticks(1);
  EXPECT_EQ(log.back(), "read@4600") << "after 3 s the read goes anyway";
}

TEST(AutoReadAllowed, ModemChannelPageOrAnsweredTerminationBoard) {
  EXPECT_TRUE(AutoReadAllowed(4, true, 0, 0));
  EXPECT_FALSE(AutoReadAllowed(4, false, 3, 1));
  EXPECT_TRUE(AutoReadAllowed(1, false, 0, 2));
  EXPECT_FALSE(AutoReadAllowed(2, true, 0, 0));
  EXPECT_FALSE(AutoReadAllowed(5, true, 1, 1));
}
