#include "core_fakes.h"

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
  std::vector<std::string> Errors() const {
    std::vector<std::string> out;
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

  DeviceRegistry& reg = link.registry;
  RecordingEvents events;
  Discovery discovery{link.trace, reg, link.request, events};
};

}  // namespace

TEST_F(DiscoveryTest, DevicesArePlacedBelowTheirMasters) {
  Answer(1, {1}, 0, "Root", 0x21);
  Answer(1, {1}, 3, "Main", 0x22);  // known now: only name and type change
  trace.lines.clear();
  Answer(7, {1, 2, 0, 7}, 1, "B7", 5);  // root's channel 2, own channel 1 faces it
  EXPECT_EQ(trace.messages(), (std::vector<std::string>{"    New Root ETH/Ch DEV...", "   routeBRD:.1.2  root:.1",
                                                        "    rootDEV:1 RootRoute.1"}));
  Answer(8, {1, 3, 0, 8}, 0, "E8");           // root's channel 3, reached over Ethernet
  Answer(9, {1, 2, 3, 0, 9}, 2, "B9");        // channel 3 of device 2
  Answer(5, {1, 3, 0, 8, 1, 0, 5}, 1, "B5");  // channel 1 of the Ethernet device

  EXPECT_EQ(Describe(1), "id 1 send .1 idr .1 up 0 root 0:0 [] show 111 type 34 Main");
  EXPECT_EQ(Describe(2), "id 7 send .1.2 idr .1.2.0.7 up 1 root 1:2 [Main] show 011 type 5 B7");
  EXPECT_EQ(Describe(3), "id 8 send .1.3.0.8 idr .1.3.0.8 up 0 root 1:3 [Main] show 111 type 0 E8");
  EXPECT_EQ(Describe(4), "id 9 send .1.2.3 idr .1.2.3.0.9 up 2 root 2:3 [B7] show 101 type 0 B9");
  EXPECT_EQ(Describe(5), "id 5 send .1.3.0.8.1 idr .1.3.0.8.1.0.5 up 1 root 3:1 [E8] show 011 type 0 B5");
  EXPECT_EQ(events.calls, (std::vector<std::string>{"added 1", "name 1", "name 1", "added 2", "name 2", "added 3",
                                                    "name 3", "added 4", "name 4", "added 5", "name 5"}));
  EXPECT_TRUE(Errors().empty());
}

TEST_F(DiscoveryTest, RefusalsAddNothing) {
  Answer(7, {1, 2, 0, 7}, 1);  // master not known yet
  EXPECT_TRUE(trace.Has("  MasterDev not found "));
  EXPECT_TRUE(trace.Has("    rootDEV:0 RootRoute.1"));
  EXPECT_EQ(InUseCount(), 0);

  Answer(1, {1}, 0, "Root");
  events.calls.clear();
  discovery.IdentityAnswer(1, {1}, 1, Bytes{0});  // body too short
  EXPECT_TRUE(trace.Has("    len<2"));
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
  EXPECT_EQ(Errors(), (std::vector<std::string>{"  Err:0", "  Err:1", "  Err:6", "  Err:4", "  Err:4", "  Err:5",
                                                "  Err:3", "  Err:2"}));
  EXPECT_TRUE(events.calls.empty());
  EXPECT_EQ(reg.FindByIDRoute(Route{1, 2, 0, 7}), 0);
}

TEST_F(DiscoveryTest, NamesAreWindows1251CutTo32Bytes) {
  auto nameAfter = [&](std::string_view bytes) {
    Answer(1, {1}, 0, bytes);
    return reg.device(1).name;
  };
  EXPECT_EQ(nameAfter("\xC1\xEB\xEE\xEA 1"), "Блок 1");
  EXPECT_EQ(nameAfter("\xC1\xFF"), "Бя");  // 0xFF is a letter unless the whole field is 0xFF
  EXPECT_EQ(nameAfter(std::string(20, '\xFF')), "");
  EXPECT_EQ(nameAfter(std::string("A\0B\0", 4)), "AB");
  EXPECT_EQ(nameAfter("a\x98z"), "a\uFFFDz");
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
  EXPECT_EQ(events.calls, (std::vector<std::string>{"added 1", "name 1", "opened 1", "name 1"}));
}
