// Explores the shipped scenarios the way the program does and applies the program's
// topology rule to every answer: each device must land below the master and on the
// port the scenario gives it. The rule is restated here from the block's view, so
// this checks the emulator's routes without its own route code.

#include <gtest/gtest.h>

#include <map>

#include "sim/scenario/reader.h"
#include "sim/wire/checksum.h"
#include "sim/wire/cp1251.h"
#include "test_support.h"

namespace varnel::sim {
namespace {

struct Heard {
  Nibbles id_route;
  Bytes body;
};

// Reads a device-level answer as the program does: a 0 nibble in front, then the
// first position holding 0 with 0 two places before ends the address.
std::optional<Heard> ReadIdentity(const Bytes& frame) {
  const ByteView content = ByteView(frame).subspan(1, frame.size() - 2);
  Nibbles h{0};
  const Nibbles unpacked = UnpackNibbles(content);
  h.insert(h.end(), unpacked.begin(), unpacked.end());
  for (std::size_t i = 2; i < h.size(); ++i) {
    if (h[i] > 3 && h[i - 1] != 0) return std::nullopt;  // a board answer
    if (h[i] == 0 && h[i - 2] == 0) {
      const ByteView body = content.subspan((i + 1) / 2);
      return Heard{Nibbles(h.begin() + 1, h.begin() + i), Bytes(body.begin(), body.end())};
    }
  }
  return std::nullopt;
}

Bytes Request(const Nibbles& address) {
  Bytes frame{0x00};
  const Bytes packed = PackNibbles(address);
  frame.insert(frame.end(), packed.begin(), packed.end());
  frame.push_back(FrameChecksum(frame));
  return frame;
}

struct Known {
  std::string key;
  Nibbles id_route;
  Nibbles send_route;
  std::uint8_t up = 0;
};

void ExploreAndCheck(const std::string& file) {
  SCOPED_TRACE(file);
  const ScenarioRead read = ReadScenarioFile(ScenarioFile(file));
  ASSERT_TRUE(read.scenario) << read.error;
  const Scenario& scenario = *read.scenario;
  std::map<std::string, const DeviceEntry*> by_key, by_wire_name;
  for (const DeviceEntry& d : scenario.devices) {
    by_key[d.key] = &d;
    by_wire_name[*Utf8ToCp1251(d.block.name)] = &d;
  }

  NetworksBuilt built = NetworksFromFile(ScenarioFile(file));
  ASSERT_EQ(built.error, "");
  const Emulator emulator(std::move(built.networks.at(0)));

  const std::vector<Bytes> root = Frames(emulator.Handle(Request({15, 0})));
  ASSERT_EQ(root.size(), 1u);
  const std::optional<Heard> root_heard = ReadIdentity(root[0]);
  ASSERT_TRUE(root_heard);
  std::vector<Known> known{{scenario.roots[0].key, root_heard->id_route, root_heard->id_route, 0}};

  for (std::size_t k = 0; k < known.size(); ++k) {
    for (std::uint8_t side = 0; side <= 3; ++side) {
      if (side == known[k].up) continue;
      Nibbles probe = known[k].send_route;
      probe.insert(probe.end(), {side, 0, 15, 0});
      for (const Bytes& frame : Frames(emulator.Handle(Request(probe)))) {
        const std::optional<Heard> heard = ReadIdentity(frame);
        ASSERT_TRUE(heard) << HexText(frame);
        const Nibbles& r = heard->id_route;
        ASSERT_GE(r.size(), 3u);
        ASSERT_GE(heard->body.size(), 2u);
        const DeviceEntry& entry =
            *by_wire_name.at(std::string(heard->body.begin() + 2, heard->body.end()));
        SCOPED_TRACE(entry.key);
        EXPECT_EQ(heard->body[0], entry.up);
        EXPECT_EQ(heard->body[1], entry.block.type);
        // The topology rule: P is R without the last two nibbles, c its last, M the rest.
        const Nibbles p(r.begin(), r.end() - 2);
        const std::uint8_t port = p.back();
        const Nibbles m(p.begin(), p.end() - 1);
        std::size_t master = 0;
        while (master < known.size() && known[master].send_route != m) ++master;
        ASSERT_LT(master, known.size()) << "master not found for " << NibblesText(r);
        // An Ethernet-side device sits beside the device it is cabled to.
        const DeviceEntry& placed = entry.up != 0 ? entry : *by_key.at(entry.master);
        EXPECT_EQ(known[master].key, placed.master);
        EXPECT_EQ(port, placed.channel);
        known.push_back({entry.key, r, entry.up != 0 ? p : r, entry.up});
      }
    }
  }
  EXPECT_EQ(known.size(), scenario.devices.size() + 1) << "every device found exactly once";

  // Every device opens by its ID Route, and only that device answers.
  for (const Known& device : known) {
    Nibbles open = device.id_route;
    open.push_back(0);
    const std::vector<Bytes> frames = Frames(emulator.Handle(Request(open)));
    ASSERT_EQ(frames.size(), 1u) << device.key;
    EXPECT_EQ(ReadIdentity(frames[0])->id_route, device.id_route) << device.key;
  }
}

TEST(SimDiscoveryWalk, ShippedDevicesLandWhereTheScenarioPutsThem) {
  for (const char* file : {"demo.ini", "small.ini"}) ExploreAndCheck(file);
}

}  // namespace
}  // namespace varnel::sim
