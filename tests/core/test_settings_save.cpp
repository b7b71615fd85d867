#include <unistd.h>

#include <filesystem>

#include "settings_fixture.h"

using namespace varnel;
using namespace varnel::testing;
namespace fs = std::filesystem;

TEST_F(SettingsFileTest, SaveKeepsKeysItDoesNotWrite) {
  Write("; operator's note\r\n[net]\r\nip=1.1.1.1\r\nNumIPs=5\r\nIP_5=10.0.0.5\r\nName_2=Old name\r\n"
        "SRVPORT=4000\r\nExtra=keep\r\n[Custom]\r\nk=v\r\n");
  settings.peerIp = "10.0.0.100";
  settings.numIps = 2;
  settings.ips[0] = "10.0.0.1";
  settings.ips[1] = "10.0.0.2";
  settings.ipNames[0] = "Подстанция";
  settings.serverPort = 5555;
  settings.slFile = "/fw/sl.bin";
  settings.passwordDigest = {0xAB, 0x01, 0xFF};
  settings.autoFind = 44;
  ASSERT_TRUE(SaveSettings(Path(), settings));

  // Names read back as written only if stored as Windows-1251 (see Lines).
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "; operator's note", "[net]", "ip=10.0.0.100", "NumIPs=2", "IP_5=10.0.0.5", "Name_2=Old name",
                         "SRVPORT=4000", "Extra=keep", "IP_1=10.0.0.1", "Name_1=Подстанция", "IP_2=10.0.0.2",
                         "[Custom]", "k=v", "[Size]", "Width=1008", "Height=735", "Left=242", "Top=110",
                         "[FW Update]", "CPU=", "FPGA=", "SL=/fw/sl.bin", "[COMMON]", "PSW=AB01FF", "AUTOFIND=44"}));
  EXPECT_NE(Raw().find("\nName_1=\xCF\xEE\xE4\xF1\xF2\xE0\xED\xF6\xE8\xFF\n"), std::string::npos);
  EXPECT_EQ(fs::directory_iterator(dir_)->path().filename(), "varnel.ini");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

  AppSettings back;
  const LoadResult r = LoadSettings(Path(), back, log_);
  EXPECT_TRUE(r.complete);
  EXPECT_FALSE(r.adminMode);
  EXPECT_EQ(back.passwordDigest, settings.passwordDigest);
  EXPECT_EQ(back.ipNames[0], "Подстанция");
  EXPECT_EQ(back.ipNames[1], "Old name");  // an empty name leaves the old key
  EXPECT_EQ(back.serverPort, 4000);
  EXPECT_EQ(back.autoFind, 44);
}

TEST_F(SettingsFileTest, FreshSaveAndFailedSaves) {
  settings.numIps = 1;
  settings.ips[0] = "10.0.0.1";
  settings.serverPort = 5555;
  ASSERT_TRUE(SaveSettings(Path(), settings));
  EXPECT_EQ(Lines(), (std::vector<std::string>{"[NET]", "IP=192.168.0.7", "NumIPs=1", "IP_1=10.0.0.1", "[Size]",
                                               "Width=1008", "Height=735", "Left=242", "Top=110", "[FW Update]",
                                               "CPU=", "FPGA=", "SL=", "[COMMON]", "PSW=", "AUTOFIND=0"}));
  AppSettings back;
  EXPECT_TRUE(LoadSettings(Path(), back, log_).adminMode);

  const std::string saved = Raw();
  settings.peerIp = "10.9.9.9";
  fs::create_directory(Path("varnel.ini.tmp"));  // the temporary file cannot be made
  EXPECT_FALSE(SaveSettings(Path(), settings));
  EXPECT_EQ(Raw(), saved);
  EXPECT_FALSE(SaveSettings(Path("missing/varnel.ini"), settings));
  EXPECT_FALSE(fs::exists(Path("missing")));
}

TEST(FitToScreen, ShrinksOnceAndMovesAnOffScreenCorner) {
  auto fit = [](int w, int h, int l, int t) {
    const WindowGeometry g = FitToScreen({w, h, l, t}, 1920, 1080);
    return std::to_string(g.width) + "x" + std::to_string(g.height) + "+" + std::to_string(g.left) + "+" +
           std::to_string(g.top);
  };
  EXPECT_EQ(fit(5000, 5000, 10, 10), "4995x4995+10+10");
  EXPECT_EQ(fit(1920, 600, 10, 10), "1915x595+10+10");
  EXPECT_EQ(fit(800, 1080, 10, 10), "795x1075+10+10");
  EXPECT_EQ(fit(1919, 1079, 1919, 1079), "1919x1079+1919+1079");
  EXPECT_EQ(fit(800, 600, 4000, 10), "800x600+0+0");
  EXPECT_EQ(fit(800, 600, 10, 1080), "800x600+0+0");
}

TEST_F(SettingsFileTest, SettingsGoToTheConfigFolderWhenTheProgramFolderIsNotWritable) {
  const SettingsLocation here = ChooseSettingsLocation(Path(), Path("cfg"));
  EXPECT_EQ(here.loadPath, Path());
  EXPECT_EQ(here.savePath, Path());
  EXPECT_FALSE(here.inConfigFolder);
  EXPECT_FALSE(fs::exists(Path("cfg")));

  // A folder that does not exist cannot be written, even by root.
  const std::string beside = Path("absent/varnel.ini");
  SettingsLocation there = ChooseSettingsLocation(beside, Path("cfg/varnel"));
  EXPECT_EQ(there.loadPath, beside);  // until the user's own copy exists
  EXPECT_EQ(there.savePath, Path("cfg/varnel/varnel.ini"));
  EXPECT_TRUE(there.inConfigFolder);
  EXPECT_TRUE(fs::is_directory(Path("cfg/varnel")));
  Write("", "cfg/varnel/varnel.ini");
  there = ChooseSettingsLocation(beside, Path("cfg/varnel"));
  EXPECT_EQ(there.loadPath, Path("cfg/varnel/varnel.ini"));
}

TEST_F(SettingsFileTest, ReadOnlyProgramFolderIsNotWritten) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  fs::create_directory(Path("bin"));
  fs::permissions(Path("bin"), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_TRUE(ChooseSettingsLocation(Path("bin/varnel.ini"), Path("cfg")).inConfigFolder);
  fs::permissions(Path("bin"), fs::perms::owner_all);
}
