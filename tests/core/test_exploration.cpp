#include "core_fakes.h"
#include "network/exploration.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

class ExplorationTest : public LinkTest {
 protected:
  ExplorationTest() { link.trace.setDebug(true); }

  // What one step sent; empty when it sent nothing.
  Bytes Step() {
    const std::size_t before = sink.sent.size();
    explore.AutoStateStep();
    EXPECT_LE(sink.sent.size(), before + 1);
    return sink.sent.size() == before ? Bytes{} : sink.sent.back().bytes;
  }

  Exploration explore{link.trace, link.registry, link.send};
};

const Bytes kBroadcast{0x00, 0x0F, 0xF0};

}  // namespace

TEST_F(ExplorationTest, BroadcastUntilTheRootIsKnownThenUpToTheLimit) {
  explore.setLimit(0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Step(), kBroadcast);
  EXPECT_EQ(sink.sent[0].host, "192.168.0.7");
  EXPECT_EQ(sink.sent[0].port, kDevicePort);
  AddDevice({1}, {1});
  EXPECT_EQ(Step(), Bytes{});
  explore.setLimit(1);
  EXPECT_EQ(Step(), (Bytes{0x00, 0x11, 0xF0, 0x00, 0xFD}));  // root, channel 1
  EXPECT_EQ(Step(), Bytes{});
  explore.Reset();
  EXPECT_EQ(Step(), (Bytes{0x00, 0x11, 0xF0, 0x00, 0xFD}));
}

TEST_F(ExplorationTest, ProbesEverySideButTheUpSideInDeviceOrder) {
  AddDevice({1}, {1});
  EXPECT_EQ(Step(), (Bytes{0x00, 0x11, 0xF0, 0x00, 0xFD}));
  EXPECT_EQ(Step(), (Bytes{0x00, 0x21, 0xF0, 0x00, 0xED}));  // channel 2
  // Found behind the root's channel 2, its own channel 1 facing the root.
  link.registry.device(AddDevice({1, 2}, {1, 2, 0, 7})).upConn = 1;
  EXPECT_EQ(Step(), (Bytes{0x00, 0x31, 0xF0, 0x00, 0xDD}));  // root, channel 3
  EXPECT_EQ(Step(), (Bytes{0x00, 0x21, 0x00, 0x0F, 0xCF}));  // device 2, Ethernet
  EXPECT_EQ(Step(), (Bytes{0x00, 0x21, 0x02, 0x0F, 0xCD}));  // channel 2
  EXPECT_EQ(Step(), (Bytes{0x00, 0x21, 0x03, 0x0F, 0xCC}));  // channel 3
  EXPECT_TRUE(trace.Has("AutoState=4 Dev=2 ch=0"));
  EXPECT_EQ(Step(), Bytes{});
  EXPECT_EQ(explore.autoState(), 6);
  // A device found later extends the list where it stopped.
  link.registry.device(AddDevice({1, 3}, {1, 3, 0, 8})).upConn = 2;
  EXPECT_EQ(Step(), (Bytes{0x00, 0x31, 0x00, 0x0F, 0xBF}));
  EXPECT_EQ(explore.autoState(), 7);
}
