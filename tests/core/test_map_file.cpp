#include <algorithm>

#include "settings/map_file.h"
#include "settings_fixture.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

class MapFileTest : public SettingsFileTest {
 protected:
  int Add(std::uint8_t id, const char* name, int up, int port, int root, const char* rootName, std::uint8_t type) {
    const int n = reg.AllocDevice();
    TStructDev& d = reg.device(n);
    d.id = id;
    d.name = name;
    d.upConn = static_cast<std::uint8_t>(up);
    d.rootPort = static_cast<std::uint8_t>(port);
    d.rootNumber = static_cast<std::uint16_t>(root);
    d.rootName = rootName;
    d.blockType = type;
    return n;
  }
  bool Save(const std::string& name = "map.ini") { return SaveMap(Path(name), "10.0.0.7", reg, log_); }

  DeviceRegistry reg{log_};
};

}  // namespace

TEST_F(MapFileTest, DevicesInUseInNumberOrderAndOldSectionsStay) {
  Add(1, "Корень", 0, 0, 0, "", 33);
  const int b7 = Add(7, "Блок 7", 1, 2, 1, "Корень", 5);
  reg.device(b7).channels[0].show = false;
  const int gone = Add(8, "Ушёл", 0, 3, 1, "Корень", 0);
  Add(9, "Блок 9", 0, 3, b7, "Блок 7", 255);
  reg.FreeDevice(gone);
  ASSERT_TRUE(Save());
  std::vector<std::string> expected{
      "[COMMON]", "IP=10.0.0.7",
      "[DEV_1]", "ID=1", "Name=Корень", "UpConn=0", "RootPort=0", "RootN=0", "RootName=", "BType=33",
      "CHSHOW1=1", "CHSHOW2=1", "CHSHOW3=1",
      "[DEV_2]", "ID=7", "Name=Блок 7", "UpConn=1", "RootPort=2", "RootN=1", "RootName=Корень", "BType=5",
      "CHSHOW1=0", "CHSHOW2=1", "CHSHOW3=1",
      "[DEV_4]", "ID=9", "Name=Блок 9", "UpConn=0", "RootPort=3", "RootN=2", "RootName=Блок 7", "BType=255",
      "CHSHOW1=1", "CHSHOW2=1", "CHSHOW3=1"};
  EXPECT_EQ(Lines("map.ini"), expected);

  reg.FreeDevice(b7);
  reg.device(1).name = "Главный";
  ASSERT_TRUE(Save());
  std::replace(expected.begin(), expected.end(), std::string("Name=Корень"), std::string("Name=Главный"));
  EXPECT_EQ(Lines("map.ini"), expected);
  EXPECT_TRUE(trace_.lines.empty());
}

TEST_F(MapFileTest, EmptyRegistryAndFailure) {
  ASSERT_TRUE(Save());
  EXPECT_EQ(Lines("map.ini"), (std::vector<std::string>{"[COMMON]", "IP=10.0.0.7"}));
  EXPECT_FALSE(Save("missing/map.ini"));
  EXPECT_TRUE(AccessErrorTraced());
}
