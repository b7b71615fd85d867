// The block pages through the whole program without a window: requests out
// through the hub, answers back through the dispatcher, and the switch to
// another root block.
#include "app/block_settings_link.h"

#include "app/program.h"
#include "core_fakes.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

struct RecordingView : NetworkSettingsView {
  std::vector<std::pair<int, NetworkSettings>> shown;
  void ShowNetworkSettings(int device, const NetworkSettings& s) override { shown.emplace_back(device, s); }
};

class BlockSettingsTest : public ::testing::Test {
 protected:
  BlockSettingsTest() {
    program.setNetworkSettingsView(&view);
    program.link.settings.peerIp = "127.0.0.9";
    // The root block answers the broadcast: ID 1, Ethernet, type 1, "A".
    Answer({0x80, 0x01, 0x00, 0x01, 'A'});
    program.link.request.currentDevice = 1;
    sink.sent.clear();
  }
  void Answer(Bytes frame) { program.link.dispatcher.DispatchAnswer(Sealed(std::move(frame))); }
  ClickResult Click(BlockSettingsLink& block, RequestSender sender) {
    BoardRequestInput input;
    input.sender = sender;
    return ButRDClick(program.link, input, RequestHooks{&block, nullptr});
  }

  ManualClock clock = ClockAt(10, 20, 30);
  RecordingSink sink;
  RecordingEvents events;
  RecordingView view;
  Program program{clock, sink, events};
};

}  // namespace

TEST_F(BlockSettingsTest, OnlyAwaitedFullAnswersForTheCurrentBlockAreShown) {
  const Bytes answer{0x80, 0x01, 0x11, 0x12, 0xAB, 0x05, 0x00, 10, 0, 0, 2, 255, 255, 255, 0, 10, 0, 0, 1};
  Answer(answer);  // nothing awaited
  EXPECT_TRUE(view.shown.empty());
  program.link.request.expectedCode = 0x11;
  Answer(answer);
  ASSERT_EQ(view.shown.size(), 1u);
  EXPECT_EQ(view.shown[0].first, 1);
  EXPECT_EQ(view.shown[0].second.gateway, "10.0.0.1");
  // Awaited, but the page now shows no block.
  program.link.request.expectedCode = 0x11;
  program.link.request.currentDevice = 0;
  Answer(answer);
  EXPECT_EQ(view.shown.size(), 1u);
}

TEST_F(BlockSettingsTest, SwitchingRootForgetsTheNetworkAndStartsOver) {
  program.link.request.selectedSlot = 4;
  program.link.request.expectedCode = 0x11;
  program.exploration.AutoStateStep();
  ASSERT_NE(program.exploration.autoState(), 0);
  // An answer of the old root still waiting in the queue.
  const Bytes late = Sealed({0x80, 0x01, 0x00, 0x01, 'A'});
  program.link.Receive(late.data(), late.size(), "127.0.0.9", kDevicePort);
  ASSERT_EQ(program.link.queue.count(), 1);

  program.SwitchRoot("127.0.0.10");
  EXPECT_EQ(program.link.settings.peerIp, "127.0.0.10");
  const RequestState& r = program.link.request;
  EXPECT_EQ(std::tuple(program.link.registry.inUse(1), r.currentDevice, r.selectedSlot, r.expectedCode),
            std::tuple(false, 0, 0, 0));
  EXPECT_EQ(program.exploration.autoState(), 0);
  program.link.Drain();
  EXPECT_FALSE(program.link.registry.inUse(1));

  // The next step broadcasts to the new root.
  sink.sent.clear();
  program.exploration.AutoStateStep();
  ASSERT_EQ(sink.sent.size(), 1u);
  EXPECT_EQ(sink.sent[0].host, "127.0.0.10");
  EXPECT_EQ(sink.sent[0].bytes, Sealed(BroadcastIdentityRequest()));
}
