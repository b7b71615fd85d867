#include <gtest/gtest.h>

#include <filesystem>

#include "settings/ini_values.h"
#include "settings_fixture.h"

using namespace varnel;
using namespace varnel::testing;

TEST_F(SettingsFileTest, MissingFileGivesEveryDefault) {
  EXPECT_TRUE(LoadSettings(Path(), settings, log_).complete);
  EXPECT_FALSE(AccessErrorTraced());
  EXPECT_EQ(settings.peerIp, "192.168.0.254");
  EXPECT_EQ(settings.serverPort, 12347);
  EXPECT_EQ(settings.autoFind, 32);
  EXPECT_EQ(settings.numIps, 1);
}

TEST_F(SettingsFileTest, UnreadableFileIsAnAccessErrorAndChangesNothing) {
  std::filesystem::create_directory(Path());  // exists, but cannot be read as a file
  EXPECT_FALSE(LoadSettings(Path(), settings, log_).complete);
  EXPECT_TRUE(AccessErrorTraced());
  EXPECT_EQ(settings.peerIp, "192.168.0.7");
  EXPECT_EQ(settings.serverPort, 12347);
}

TEST_F(SettingsFileTest, FileWithoutNetSectionGivesDefaults) {
  EXPECT_TRUE(Load("[COMMON]\nAUTOFIND=5\n"));
  EXPECT_EQ(settings.peerIp, "192.168.0.254");
  EXPECT_EQ(settings.serverPort, 12347);
  EXPECT_TRUE(trace_.lines.empty());
}

TEST_F(SettingsFileTest, HexPortAndCaseInsensitiveNames) {
  EXPECT_TRUE(Load("[NET]\nIP=10.1.2.3\nSRVPORT=$3039\n"));
  EXPECT_EQ(settings.peerIp, "10.1.2.3");
  EXPECT_EQ(settings.serverPort, 12345);

  EXPECT_TRUE(Load("[net]\nip=10.1.2.4\nSrvPort=0x1F90\n"));
  EXPECT_EQ(settings.peerIp, "10.1.2.4");
  EXPECT_EQ(settings.serverPort, 8080);
}

TEST_F(SettingsFileTest, PortOutOfRangeStopsLoadingAfterTheIp) {
  settings.serverPort = 4000;
  EXPECT_FALSE(Load("[NET]\nIP=10.1.2.3\nSRVPORT=70000\n"));
  EXPECT_TRUE(AccessErrorTraced());
  EXPECT_EQ(settings.serverPort, 4000);
  EXPECT_EQ(settings.peerIp, "10.1.2.3");  // read before the failure

  EXPECT_FALSE(Load("[NET]\nSRVPORT=-1\n"));
  EXPECT_EQ(settings.serverPort, 4000);
  EXPECT_TRUE(Load("[NET]\nSRVPORT=65535\n"));
  EXPECT_EQ(settings.serverPort, 65535);
}

TEST_F(SettingsFileTest, NonNumericPortFallsBackToDefault) {
  settings.serverPort = 4000;
  EXPECT_TRUE(Load("[NET]\nSRVPORT=12x47\n"));
  EXPECT_EQ(settings.serverPort, 12347);
  EXPECT_TRUE(trace_.lines.empty());
}

TEST_F(SettingsFileTest, NumIPsOutsideOneToSixteenLoadsOneEntry) {
  for (const char* n : {"0", "40", "255", "two"}) {
    settings = AppSettings{};
    ASSERT_TRUE(Load(std::string("[NET]\nNumIPs=") + n + "\nIP_1=10.0.0.1\nName_1=A\nIP_2=10.0.0.2\n")) << n;
    EXPECT_EQ(settings.numIps, 1) << n;
    EXPECT_EQ(settings.ips[0], "10.0.0.1");
    EXPECT_EQ(settings.ipNames[0], "A");
    EXPECT_EQ(settings.ips[1], "");
  }
}

TEST_F(SettingsFileTest, NumIPsOutOfByteRangeStopsBeforeTheList) {
  for (const char* n : {"300", "-1"}) {
    settings = AppSettings{};
    settings.serverPort = 4000;
    EXPECT_FALSE(Load(std::string("[NET]\nIP=10.0.0.9\nNumIPs=") + n +
                      "\nIP_1=10.0.0.1\nSRVPORT=5000\n[COMMON]\nAUTOFIND=7\n"));
    EXPECT_EQ(settings.peerIp, "10.0.0.9");
    EXPECT_EQ(settings.numIps, 0);
    EXPECT_EQ(settings.ips[0], "");
    EXPECT_EQ(settings.serverPort, 4000);
    EXPECT_EQ(settings.autoFind, 0);
  }
  EXPECT_TRUE(AccessErrorTraced());
}

TEST_F(SettingsFileTest, ListEntriesAndNamesAreCutAndDecoded) {
  // Names are Windows-1251 on disk: 40 letters "Ж", then "Пс".
  ASSERT_TRUE(Load("[NET]\nNumIPs=3\nIP_1=192.168.100.200:12348\nName_1=" + std::string(40, '\xC6') +
                   "\nName_2=\xCF\xF1\n"));
  EXPECT_EQ(settings.ips[0], "192.168.100.200");
  EXPECT_EQ(settings.ipNames[0], Repeat("Ж", 32));
  EXPECT_EQ(settings.ips[1], "192.168.0.254");
  EXPECT_EQ(settings.ipNames[1], "Пс");
  EXPECT_EQ(settings.ipNames[2], "");
}

TEST_F(SettingsFileTest, IntegersTakeHexAndFallBackOnGarbage) {
  settings.window = {800, 600, 10, 20};
  ASSERT_TRUE(Load("[Size]\nWidth=0x400\nHeight=abc\nLeft=$20\nTop=\n[COMMON]\nAUTOFIND=456\nPSW=ab01FF\n"
                   "[FW Update]\nCPU=/fw/vk.bin\n"));
  EXPECT_EQ(settings.window.width, 1024);
  EXPECT_EQ(settings.window.height, 600);
  EXPECT_EQ(settings.window.left, 32);
  EXPECT_EQ(settings.window.top, 20);
  EXPECT_EQ(settings.autoFind, 200);  // low byte of 0x1C8
  EXPECT_EQ(settings.passwordDigest, (Bytes{0xAB, 0x01, 0xFF}));
  EXPECT_FALSE(result_.adminMode);
  EXPECT_EQ(settings.mcuFile, "/fw/vk.bin");
  EXPECT_EQ(settings.fpgaFile, "");

  ASSERT_TRUE(Load("[COMMON]\nAUTOFIND=many\nPSW=\n"));
  EXPECT_EQ(settings.autoFind, 32);
  EXPECT_TRUE(settings.passwordDigest.empty());
  EXPECT_TRUE(result_.adminMode);
}

TEST_F(SettingsFileTest, TruncatedFileLoadsWhatIsThere) {
  // Written on Windows and cut in the middle of a line.
  ASSERT_TRUE(Load("[NET]\r\nIP=10.0.0.9\r\nNumIPs=2\r\nIP_1=10.0.0.1\r\nIP_2=10.0."));
  EXPECT_EQ(settings.peerIp, "10.0.0.9");
  EXPECT_EQ(settings.numIps, 2);
  EXPECT_EQ(settings.ips[0], "10.0.0.1");
  EXPECT_EQ(settings.ips[1], "10.0.");

  ASSERT_TRUE(Load("[COMMON]\r\nAUTOFIND=7\r\n[Si"));
  EXPECT_EQ(settings.autoFind, 7);
}

TEST(ParseIniInteger, DecimalAndThreeHexPrefixes) {
  EXPECT_EQ(ParseIniInteger("12347"), 12347);
  EXPECT_EQ(ParseIniInteger("-5"), -5);
  EXPECT_EQ(ParseIniInteger("0x3039"), 0x3039);
  EXPECT_EQ(ParseIniInteger("0X3039"), 0x3039);
  EXPECT_EQ(ParseIniInteger("$ff"), 255);
  for (const char* bad : {"", "abc", "12a", "0x", "$", "3039h", "0x-1", "$-10", "--5", "1 2"}) {
    EXPECT_EQ(ParseIniInteger(bad), std::nullopt) << bad;
  }
}
