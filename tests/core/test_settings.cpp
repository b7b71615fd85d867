#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core_fakes.h"
#include "settings/ini_values.h"
#include "settings/app_settings.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFileTest() {
    char tmpl[] = "/tmp/varnel_ini_XXXXXX";
    dir_ = mkdtemp(tmpl);
    log_.setSink(&trace_);
  }
  ~SettingsFileTest() override { std::filesystem::remove_all(dir_); }

  // Writes the INI text and loads it into link.
  bool Load(const std::string& text) {
    std::ofstream(Path()) << text;
    return LoadSettings(Path(), link, log_).complete;
  }
  std::string Path() const { return (dir_ / "varnel.ini").string(); }
  bool AccessErrorTraced() const { return trace_.Has("Нет доступа к файлу INI !"); }

  AppSettings link;
  std::filesystem::path dir_;
  ManualClock clock_ = ClockAt(8, 0, 0);
  TraceLog log_{clock_};
  RecordingTrace trace_;
};

}  // namespace

TEST_F(SettingsFileTest, MissingFileGivesEveryDefault) {
  EXPECT_TRUE(LoadSettings(Path(), link, log_).complete);
  EXPECT_FALSE(AccessErrorTraced());
  EXPECT_EQ(link.peerIp, "192.168.0.254");
  EXPECT_EQ(link.serverPort, 12347);
  EXPECT_EQ(link.autoFind, 32);
  EXPECT_EQ(link.numIps, 1);
}

TEST_F(SettingsFileTest, UnreadableFileIsAnAccessErrorAndChangesNothing) {
  std::filesystem::create_directory(Path());  // exists, but cannot be read as a file
  EXPECT_FALSE(LoadSettings(Path(), link, log_).complete);
  EXPECT_TRUE(AccessErrorTraced());
  EXPECT_EQ(link.peerIp, "192.168.0.7");
  EXPECT_EQ(link.serverPort, 12347);
}

TEST_F(SettingsFileTest, FileWithoutNetSectionGivesDefaults) {
  EXPECT_TRUE(Load("[COMMON]\nAUTOFIND=5\n"));
  EXPECT_EQ(link.peerIp, "192.168.0.254");
  EXPECT_EQ(link.serverPort, 12347);
  EXPECT_TRUE(trace_.lines.empty());
}

TEST_F(SettingsFileTest, HexPortAndCaseInsensitiveNames) {
  EXPECT_TRUE(Load("[NET]\nIP=10.1.2.3\nSRVPORT=$3039\n"));
  EXPECT_EQ(link.peerIp, "10.1.2.3");
  EXPECT_EQ(link.serverPort, 12345);

  EXPECT_TRUE(Load("[net]\nip=10.1.2.4\nSrvPort=0x1F90\n"));
  EXPECT_EQ(link.peerIp, "10.1.2.4");
  EXPECT_EQ(link.serverPort, 8080);
}

TEST_F(SettingsFileTest, PortOutOfRangeStopsLoadingAfterTheIp) {
  link.serverPort = 4000;
  EXPECT_FALSE(Load("[NET]\nIP=10.1.2.3\nSRVPORT=70000\n"));
  EXPECT_TRUE(AccessErrorTraced());
  EXPECT_EQ(link.serverPort, 4000);
  EXPECT_EQ(link.peerIp, "10.1.2.3");  // read before the failure

  EXPECT_FALSE(Load("[NET]\nSRVPORT=-1\n"));
  EXPECT_EQ(link.serverPort, 4000);
  EXPECT_TRUE(Load("[NET]\nSRVPORT=65535\n"));
  EXPECT_EQ(link.serverPort, 65535);
}

TEST_F(SettingsFileTest, NonNumericPortFallsBackToDefault) {
  link.serverPort = 4000;
  EXPECT_TRUE(Load("[NET]\nSRVPORT=12x47\n"));
  EXPECT_EQ(link.serverPort, 12347);
  EXPECT_TRUE(trace_.lines.empty());
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
