#include "core_fakes.h"
#include "network/device_lookup.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

// The root "Корень" with "Блок А" and "Блок Б" behind its channel 1 and
// "Блок А" again behind channel 2; below the first "Блок А", "Опора 5 " (a
// trailing blank, as names padded by a block arrive).
class DeviceLookupTest : public LinkTest {
 protected:
  DeviceLookupTest() {
    root = AddDevice({1}, {1});
    link.registry.device(root).name = "Корень";
    a1 = Named(Below(root, 1, 2, "Блок А"), {1, 1, 0, 2});
    b = Named(Below(root, 1, 3, "Блок Б"), {1, 1, 0, 3});
    a2 = Named(Below(root, 2, 1, "Блок А"), {1, 2, 0, 4});
    pole = Named(Below(a1, 3, 1, "Опора 5 "), {1, 1, 3, 0, 5});
  }
  int Named(int device, const Route& idRoute) {
    link.registry.device(device).idRoute = idRoute;
    link.registry.device(device).inUse = true;
    return device;
  }
  DeviceLookup Find(std::string_view text) { return FindDevice(link.registry, BuildDeviceTree(link.registry), text); }

  int root = 0, a1 = 0, b = 0, a2 = 0, pole = 0;
};

}  // namespace

TEST_F(DeviceLookupTest, PathsOfNamesWalkDownThroughChannels) {
  EXPECT_EQ(Find("Корень").device, root);
  EXPECT_EQ(Find("Корень/Блок Б").device, b);
  EXPECT_EQ(Find("Корень/Блок А").device, 0);
  EXPECT_TRUE(Find("Корень/Блок А").ambiguous);  // one behind each of two channels
  EXPECT_EQ(Find("Корень/Блок Б/Опора 5").device, 0);  // not below Блок Б
  EXPECT_EQ(Find("Блок Б").device, 0);               // paths start at the top
  EXPECT_EQ(Find("Корень/").device, 0);
  EXPECT_EQ(Find("Корень/Блок").device, 0);  // whole names only
}

TEST_F(DeviceLookupTest, IdRoutesNameEvenDevicesWhosePathIsAmbiguous) {
  EXPECT_EQ(Find(".1.1.0.2").device, a1);
  EXPECT_EQ(Find(".1.2.0.4").device, a2);
  EXPECT_EQ(Find(".1.1.3.0.5").device, pole);
  EXPECT_EQ(Find(".1.1.0.9").device, 0);
  EXPECT_EQ(Find(".1.1.0.").device, 0);
}

TEST_F(DeviceLookupTest, NamePathsReadBackAsFindDeviceTakesThem) {
  const auto tree = BuildDeviceTree(link.registry);
  EXPECT_EQ(DeviceNamePath(tree, pole), "Корень/Блок А/Опора 5 ");
  EXPECT_EQ(Find(DeviceNamePath(tree, b)).device, b);
  EXPECT_EQ(Find(DeviceNamePath(tree, pole)).ambiguous, true);  // through the ambiguous "Блок А"
  EXPECT_EQ(DeviceNamePath(tree, 99), "");
}

TEST(IdRouteText, HexDigitsEachAfterADot) {
  EXPECT_EQ(ParseIdRouteText(".1.A.0.f"), (Route{1, 10, 0, 15}));
  for (const char* bad : {"", ".", "1.2", ".1.", ".12", ".G", "..1", ".1 "}) {
    EXPECT_FALSE(ParseIdRouteText(bad).has_value()) << bad;
  }
}
