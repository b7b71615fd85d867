// A three-level network worked out by hand: the Routes every device gets, and the
// bytes it answers with for each kind of request.
//
//   r (ID 1) ─ch2─ a (ID 7, up 1) ─ch3─ b (ID 4, up 2) ─ch1─ c (ID 9, up 3)
//                  a ─Ethernet─ e (ID 5, up 0) ─ch1─ f (ID 6, up 2)
//   r ─ch3─ h (ID 3, up 2) and g (ID 8, up 1), both on one channel

#include <gtest/gtest.h>

#include "test_support.h"

namespace varnel::sim {
namespace {

// c comes before its masters and h before g, to show file order is what counts.
constexpr const char* kThreeLevels =
    "[root.r]\naddress=127.0.0.1\nid=1\nname=R\ntype=1\n"
    "[dev.c]\nmaster=b\nchannel=1\nup=3\nid=9\nname=C\ntype=4\n"
    "[dev.a]\nmaster=r\nchannel=2\nup=1\nid=7\nname=A\ntype=2\n"
    "[dev.b]\nmaster=a\nchannel=3\nup=2\nid=4\nname=B\ntype=3\n"
    "[dev.e]\nmaster=a\nup=0\nid=5\nname=E\ntype=5\n"
    "[dev.f]\nmaster=e\nchannel=1\nup=2\nid=6\nname=F\ntype=6\n"
    "[dev.h]\nmaster=r\nchannel=3\nup=2\nid=3\nname=H\ntype=8\n"
    "[dev.g]\nmaster=r\nchannel=3\nup=1\nid=8\nname=G\ntype=7\n";

Network ThreeLevels(const std::string& extra = "") {
  std::vector<Network> networks = NetworksOrFail(extra + kThreeLevels);
  EXPECT_EQ(networks.size(), 1u);
  return std::move(networks.at(0));
}

std::size_t IndexOf(const Network& network, const std::string& key) {
  for (std::size_t i = 0; i < network.Devices().size(); ++i) {
    if (network.Devices()[i].key == key) return i;
  }
  throw std::runtime_error("no device " + key);
}

// ID Route, then send Route; masters come before their devices, siblings in file order.
TEST(SimTopology, RoutesFollowTheScenario) {
  const Network network = ThreeLevels();
  std::vector<std::string> routes;
  for (const Device& d : network.Devices()) {
    routes.push_back(d.key + " " + NibblesText(d.id_route) + " " + NibblesText(d.send_route));
  }
  EXPECT_EQ(routes, (std::vector<std::string>{
                        "r .1 .1", "a .1.2.0.7 .1.2", "h .1.3.0.3 .1.3", "g .1.3.0.8 .1.3",
                        "b .1.2.3.0.4 .1.2.3",
                        // No HF hop to e, so its ID stays in the address of all behind it.
                        "e .1.2.0.5 .1.2.0.5", "c .1.2.3.1.0.9 .1.2.3.1",
                        "f .1.2.0.5.1.0.6 .1.2.0.5.1"}));
}

// Each answer waits 30 ms for every HF link between the root and the answering device.
TEST(SimTopology, ProbesAnswerWithTheDevicesBehindASideAndOpensWithOneDevice) {
  const Emulator emulator(ThreeLevels("[sim]\nhop_delay_ms=30\n"));
  const struct {
    const char* what;
    int hops;
    Bytes request;
    std::vector<Bytes> answers;
  } exchanges[] = {
      {"broadcast", 0, {0x00, 0x0F, 0xF0}, {{0x80, 0x01, 0x00, 0x01, 0x52, 0x2B}}},
      // Nibbles 1,2,0,15,0 ask; 1,2,0,7,0 answer, then up 1, type 2, "A".
      {"channel 2 of r", 1, {0x00, 0x21, 0xF0, 0x00, 0xED},
       {{0x80, 0x21, 0x70, 0x00, 0x01, 0x02, 0x41, 0xA9}}},
      {"channel 1 of b", 3, {0x00, 0x21, 0x13, 0xF0, 0x00, 0xDA},
       {{0x80, 0x21, 0x13, 0x90, 0x00, 0x03, 0x04, 0x43, 0x70}}},
      // Side 0 of a: nibbles 1,2,0,0,15,0; e answers 1,2,0,5,0 with up 0.
      {"Ethernet of a", 1, {0x00, 0x21, 0x00, 0x0F, 0xCF},
       {{0x80, 0x21, 0x50, 0x00, 0x00, 0x05, 0x45, 0xC3}}},
      {"channel 1 of e", 2, {0x00, 0x21, 0x50, 0x01, 0x0F, 0x7E},
       {{0x80, 0x21, 0x50, 0x01, 0x06, 0x02, 0x06, 0x46, 0xB8}}},
      {"channel 3 of r, h then g", 1, {0x00, 0x31, 0xF0, 0x00, 0xDD},
       {{0x80, 0x31, 0x30, 0x00, 0x02, 0x08, 0x48, 0xCB},
        {0x80, 0x31, 0x80, 0x00, 0x01, 0x07, 0x47, 0x7E}}},
      {"empty channel 1 of r", 0, {0x00, 0x11, 0xF0, 0x00, 0xFD}, {}},
      {"channel 1 of a, its own up side", 0, {0x00, 0x21, 0x01, 0x0F, 0xCE}, {}},
      // 1,2,3,1,0,9,0 padded to eight nibbles.
      {"open c", 3, {0x00, 0x21, 0x13, 0x90, 0x00, 0x3B},
       {{0x80, 0x21, 0x13, 0x90, 0x00, 0x03, 0x04, 0x43, 0x70}}},
      {"open f", 2, {0x00, 0x21, 0x50, 0x01, 0x06, 0x87},
       {{0x80, 0x21, 0x50, 0x01, 0x06, 0x02, 0x06, 0x46, 0xB8}}},
      {"open g only, not h", 1, {0x00, 0x31, 0x80, 0x00, 0x4E},
       {{0x80, 0x31, 0x80, 0x00, 0x01, 0x07, 0x47, 0x7E}}},
      {"no ID 6 on channel 2 of r", 0, {0x00, 0x21, 0x60, 0x00, 0x7E}, {}},
  };
  for (const auto& x : exchanges) {
    SCOPED_TRACE(x.what);
    const Outcome outcome = emulator.Handle(x.request);
    EXPECT_EQ(Frames(outcome), x.answers);
    for (const Answer& answer : outcome.answers) {
      EXPECT_EQ(answer.delay, std::chrono::milliseconds(30 * x.hops));
    }
  }
}

// Echoes what it was sent, to see where the emulator puts a handler's body.
class EchoBehaviour final : public DeviceBehaviour {
 public:
  CommandReply DeviceCommand(ByteView payload) override {
    return {Bytes(payload.begin(), payload.end()), "echo"};
  }
  CommandReply BoardCommand(std::uint8_t, ByteView payload) override {
    return {Bytes(payload.begin(), payload.end()), "echo"};
  }
};

TEST(SimTopology, CommandsReachTheAddressedDevicesHandlers) {
  Network network = ThreeLevels();
  for (const char* key : {"b", "c", "h", "g"}) {
    network.SetBehaviour(IndexOf(network, key), std::make_shared<EchoBehaviour>());
  }
  const Emulator emulator(std::move(network));
  // Board 5 of b answers with send Route 1,2,3 and the board address: 21 53.
  EXPECT_EQ(Frames(emulator.Handle(Bytes{0x00, 0x21, 0x53, 0x01, 0xAA, 0xDF})),
            (std::vector<Bytes>{{0x80, 0x21, 0x53, 0x01, 0xAA, 0x5F}}));
  // h and g share send Route 1,3: board 5 there reaches both, in file order.
  EXPECT_EQ(Frames(emulator.Handle(Bytes{0x00, 0x31, 0x05, 0x01, 0xC8})),
            (std::vector<Bytes>{{0x80, 0x31, 0x05, 0x01, 0x48}, {0x80, 0x31, 0x05, 0x01, 0x48}}));
}

}  // namespace
}  // namespace varnel::sim
