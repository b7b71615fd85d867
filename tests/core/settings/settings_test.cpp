#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <thread>

#include "settings/ini_values.h"
#include "settings/map_file.h"
#include "settings_fixture.h"
#include "wire/atomic_file.h"

using namespace varnel;
using namespace varnel::testing;
namespace fs = std::filesystem;

TEST_F(SettingsFileTest, MissingFileOrSectionGivesDefaults) {
  EXPECT_TRUE(LoadSettings(Path(), settings, log_).complete);
  EXPECT_EQ(std::tuple(settings.peerIp, settings.serverPort, settings.autoFind, settings.numIps),
            std::tuple("192.168.0.254", 12347, 32, 1));
  settings = AppSettings{};
  EXPECT_TRUE(Load("[COMMON]\nAUTOFIND=5\n"));
  EXPECT_EQ(std::tuple(settings.peerIp, settings.serverPort, settings.autoFind), std::tuple("192.168.0.254", 12347, 5));
  EXPECT_TRUE(trace_.lines.empty());
}

TEST_F(SettingsFileTest, UnreadableFileIsAnAccessErrorAndChangesNothing) {
  std::filesystem::create_directory(Path());  // exists, but cannot be read as a file
  const LoadResult r = LoadSettings(Path(), settings, log_);
  EXPECT_FALSE(r.complete || r.passwordKnown);
  EXPECT_TRUE(AccessErrorTraced());
  EXPECT_EQ(settings.peerIp, "192.168.0.7");
}

TEST_F(SettingsFileTest, PortInHexAnyCaseAndOutOfRangeStopsAfterTheIp) {
  EXPECT_TRUE(Load("[net]\nip=10.1.2.4\nSrvPort=0x1F90\n"));
  EXPECT_EQ(std::tuple(settings.peerIp, settings.serverPort), std::tuple("10.1.2.4", 8080));
  EXPECT_TRUE(Load("[NET]\nSRVPORT=65535\n"));
  EXPECT_EQ(settings.serverPort, 65535);
  settings.serverPort = 4000;
  EXPECT_FALSE(Load("[NET]\nIP=10.1.2.3\nSRVPORT=70000\n"));
  EXPECT_TRUE(AccessErrorTraced());
  EXPECT_EQ(std::tuple(settings.peerIp, settings.serverPort), std::tuple("10.1.2.3", 4000));  // IP read first
  EXPECT_FALSE(Load("[NET]\nSRVPORT=-1\n"));
  EXPECT_EQ(settings.serverPort, 4000);
}

// Outside 1..16 one entry is loaded; outside a byte the load stops before the list.
TEST_F(SettingsFileTest, NumIPsOutOfRangeLoadsOneEntryOrStops) {
  for (auto [n, count] : {std::pair{"0", 1}, {"16", 16}, {"17", 1}, {"255", 1}, {"two", 1}, {"256", 0}, {"-1", 0}}) {
    SCOPED_TRACE(n);
    settings = AppSettings{};
    settings.serverPort = 4000;
    EXPECT_EQ(Load(std::string("[NET]\nIP=10.0.0.9\nNumIPs=") + n +
                   "\nIP_1=10.0.0.1\nName_1=A\nIP_2=10.0.0.2\nSRVPORT=5000\n[COMMON]\nAUTOFIND=7\n"),
              count > 0);
    EXPECT_EQ(std::tuple(settings.peerIp, settings.numIps, settings.ips[0], settings.ipNames[0], settings.ips[1]),
              std::tuple("10.0.0.9", count, count ? "10.0.0.1" : "", count ? "A" : "", count > 1 ? "10.0.0.2" : ""));
    EXPECT_EQ(std::pair(int{settings.serverPort}, int{settings.autoFind}),
              count ? std::pair(5000, 7) : std::pair(4000, 0));
  }
  EXPECT_TRUE(AccessErrorTraced());
}

TEST_F(SettingsFileTest, ListEntriesAndNamesAreCutAndDecoded) {
  // Names are Windows-1251 on disk: 40 letters "Ж", then "Пс". Written on
  // Windows and cut in the middle of the last line.
  ASSERT_TRUE(Load("[NET]\r\nNumIPs=4\r\nIP_1=192.168.100.200:12348\r\nName_1=" + std::string(40, '\xC6') +
                   "\r\nName_2=\xCF\xF1\r\nName_3=" + std::string(31, 'a') + "\t\tb\r\nIP_4=10.0."));
  EXPECT_EQ(std::tuple(settings.ips[0], settings.ips[1], settings.ips[3]),
            std::tuple("192.168.100.200", "192.168.0.254", "10.0."));
  EXPECT_EQ(settings.ipNames[0], Repeat("Ж", 32));
  EXPECT_EQ(settings.ipNames[1], "Пс");
  // A cut ending in blanks drops them, so a save reads back the same.
  EXPECT_EQ(settings.ipNames[2], std::string(31, 'a'));
}

TEST_F(SettingsFileTest, IntegersTakeHexAndFallBackOnGarbage) {
  settings.window = {800, 600, 10, 20};
  settings.serverPort = 4000;
  ASSERT_TRUE(Load("[NET]\nSRVPORT=12x47\n[Size]\nWidth=0x400\nHeight=abc\nLeft=$20\nTop=\n[COMMON]\nAUTOFIND=456\n"
                   "PSW=ab01FF\n[FW Update]\nCPU=/fw/vk.bin\n"));
  EXPECT_EQ(settings.serverPort, 12347);
  EXPECT_EQ(std::tuple(settings.window.width, settings.window.height, settings.window.left, settings.window.top),
            std::tuple(1024, 600, 32, 20));
  EXPECT_EQ(settings.autoFind, 200);  // low byte of 0x1C8
  EXPECT_EQ(settings.passwordText, "ab01FF");
  EXPECT_EQ(std::tuple(settings.mcuFile, settings.fpgaFile), std::tuple("/fw/vk.bin", ""));

  // Sizes no screen holds count as missing: fitting and painting stay sane.
  ASSERT_TRUE(Load("[Size]\nWidth=100000\nHeight=2147483647\nLeft=-2147483648\nTop=99999999999999999999\n"));
  EXPECT_EQ(std::tuple(settings.window.width, settings.window.height, settings.window.left, settings.window.top),
            std::tuple(1024, 600, 32, 20));

  ASSERT_TRUE(Load("[COMMON]\nAUTOFIND=many\nPSW=\n"));
  EXPECT_EQ(settings.autoFind, 32);
  EXPECT_EQ(settings.passwordText, "");
}

TEST(ParseIniInteger, DecimalAndThreeHexPrefixes) {
  EXPECT_EQ(ParseIniInteger("-5"), -5);
  EXPECT_EQ(ParseIniInteger("0X3039"), 0x3039);
  EXPECT_EQ(ParseIniInteger("$ff"), 255);
  for (const char* bad : {"", "abc", "12a", "0x", "$", "3039h", "0x-1", "$-10", "--5", "1 2"}) {
    EXPECT_EQ(ParseIniInteger(bad), std::nullopt) << bad;
  }
}

TEST_F(SettingsFileTest, SaveKeepsKeysItDoesNotWrite) {
  Write("; operator's note\r\n[net]\r\nip=1.1.1.1\r\nNumIPs=5\r\nIP_5=10.0.0.5\r\nName_2=Old name\r\n"
        "SRVPORT=4000\r\nExtra=keep\r\n[Custom]\r\nk=v\r\n");
  settings.peerIp = "10.0.0.100";
  settings.numIps = 2;
  settings.ips = {"10.0.0.1", "10.0.0.2"};
  settings.ipNames[0] = "Подстанция";
  settings.serverPort = 5555;
  settings.slFile = "/fw/sl.bin";
  settings.passwordText = "AB01FF";
  settings.autoFind = 44;
  ASSERT_TRUE(SaveSettings(Path(), settings));

  // Names read back as written only if stored as Windows-1251 (see Lines).
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "; operator's note", "[net]", "ip=10.0.0.100", "NumIPs=2", "IP_5=10.0.0.5", "Name_2=Old name",
                         "SRVPORT=4000", "Extra=keep", "IP_1=10.0.0.1", "Name_1=Подстанция", "IP_2=10.0.0.2",
                         "[Custom]", "k=v", "[Size]", "Width=1008", "Height=735", "Left=242", "Top=110",
                         "[FW Update]", "CPU=", "FPGA=", "SL=/fw/sl.bin", "[COMMON]", "PSW=AB01FF", "AUTOFIND=44"}));
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

  AppSettings back;
  const LoadResult r = LoadSettings(Path(), back, log_);
  EXPECT_TRUE(r.complete && r.passwordKnown);
  EXPECT_EQ(back.passwordText, settings.passwordText);
  EXPECT_EQ(back.ipNames[0], "Подстанция");
  EXPECT_EQ(back.ipNames[1], "Old name");  // an empty name leaves the old key
  EXPECT_EQ(back.serverPort, 4000);
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
  EXPECT_TRUE(LoadSettings(Path(), back, log_).complete);
  EXPECT_EQ(back.passwordText, "");

  EXPECT_FALSE(SaveSettings(Path("missing/varnel.ini"), settings));
  EXPECT_FALSE(fs::exists(Path("missing")));
  // A folder in place of the file is neither read nor replaced.
  fs::create_directories(Path("folder.ini/x"));
  EXPECT_FALSE(SaveSettings(Path("folder.ini"), settings));
  EXPECT_FALSE(WriteFileAtomically(Path("folder.ini"), "[NET]\n"));
  EXPECT_TRUE(fs::is_directory(Path("folder.ini/x")));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);  // no temporary file
}

TEST_F(SettingsFileTest, AfterALoadThatStoppedEarlyShutdownLeavesTheFileAlone) {
  const std::string text = "[NET]\nIP=10.0.0.9\nNumIPs=300\n[COMMON]\nPSW=AB01FF\nAUTOFIND=90\n";
  EXPECT_FALSE(Load(text));
  EXPECT_TRUE(trace_.Has("Файл INI прочитан не полностью: при выходе он не будет перезаписан"));
  // The password still decides the access mode; keys after the stop stay unread.
  EXPECT_TRUE(result_.passwordKnown);
  EXPECT_EQ(std::tuple(settings.passwordText, settings.autoFind), std::tuple("AB01FF", 0));
  EXPECT_FALSE(SaveSettingsAtShutdown(Path(), settings, result_, log_));
  EXPECT_TRUE(trace_.Has("Файл INI не перезаписан: он был прочитан не полностью"));
  EXPECT_EQ(Raw(), text);
  ASSERT_TRUE(Load("[NET]\nIP=10.0.0.9\n"));
  settings.peerIp = "10.0.0.10";
  EXPECT_TRUE(SaveSettingsAtShutdown(Path(), settings, result_, log_));
  EXPECT_EQ(Lines()[1], "IP=10.0.0.10");
}

TEST_F(SettingsFileTest, TextFromTheNetworkCannotAddKeysOrSections) {
  settings.numIps = 1;
  settings.ips[0] = "10.0.0.1";
  settings.ipNames[0] = "x\nIP=10.6.6.6\r\nSRVPORT=70000";
  ASSERT_TRUE(SaveSettings(Path(), settings));
  for (const std::string& line : Lines()) EXPECT_FALSE(line.starts_with("SRVPORT") || line == "IP=10.6.6.6") << line;
  AppSettings back;
  ASSERT_TRUE(LoadSettings(Path(), back, log_).complete);
  EXPECT_EQ(std::tuple(back.peerIp, back.ipNames[0]), std::tuple("192.168.0.7", ""));

  DeviceRegistry reg{log_};
  reg.device(reg.AllocDevice()).name = "Блок\r\n[DEV_99]\nID=5";
  ASSERT_TRUE(SaveMap(Path("map.ini"), "10.0.0.7", reg, log_));
  for (const std::string& line : Lines("map.ini")) EXPECT_NE(line, "[DEV_99]");
}

TEST_F(SettingsFileTest, BytesTheProgramDidNotChangeAreWrittenBackAsTheyWere) {
  // Every byte but blanks and controls, including the one Windows-1251 leaves unassigned.
  std::string name;
  for (int b = 0x21; b < 0x100; ++b) name.push_back(static_cast<char>(b));
  const std::string text = "[NET]\r\nIP=10.0.0.1\r\nNumIPs=1\r\nIP_1=10.0.0.1\r\nName_1=\x98\xC6\r\n"
                           "[Custom]\r\nRaw=" + name + "\r\n";
  ASSERT_TRUE(Load(text));
  ASSERT_TRUE(SaveSettings(Path(), settings));
  EXPECT_NE(Raw().find("Name_1=\x98\xC6\n"), std::string::npos);
  EXPECT_NE(Raw().find("Raw=" + name + "\n"), std::string::npos);
}

TEST_F(SettingsFileTest, SavesRaceWithoutBreakingTheFileOrLooseningItsMode) {
  ASSERT_TRUE(SaveSettings(Path(), settings));
  fs::permissions(Path(), fs::perms::owner_read | fs::perms::owner_write);
  // Two copies of the program closing at once, many times over; a reader in
  // between must always find a whole file.
  std::atomic<bool> done = false;
  std::atomic<int> broken = 0;
  std::vector<std::thread> savers;
  for (int t = 0; t < 2; ++t) {
    savers.emplace_back([&, t] {
      AppSettings mine;
      mine.autoFind = static_cast<std::uint8_t>(10 + t);
      for (int i = 0; i < 100; ++i) SaveSettings(Path(), mine);
    });
  }
  std::thread reader([&] {
    while (!done) {
      const std::string raw = Raw();
      const bool whole = raw.starts_with("[NET]\n") && raw.find("\nPSW=\nAUTOFIND=") != std::string::npos;
      if (!whole || !raw.ends_with("\n")) ++broken;
    }
  });
  for (auto& s : savers) s.join();
  done = true;
  reader.join();
  EXPECT_EQ(broken, 0);
  EXPECT_EQ(fs::status(Path()).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(SettingsFileTest, StaleTemporaryFilesOfEndedProcessesAreRemoved) {
  const pid_t ended = fork();
  if (ended == 0) _exit(0);
  waitpid(ended, nullptr, 0);
  const std::string stale = "varnel.ini.tmp." + std::to_string(ended) + ".a1b2c3";
  const std::string live = "varnel.ini.tmp." + std::to_string(getppid()) + ".d4e5f6";
  for (const std::string& name : {stale, live, std::string("varnel.ini.tmp.x"), std::string("other.tmp.1.x")})
    Write("half", name);
  RemoveStaleSaveFiles(Path());
  EXPECT_FALSE(fs::exists(Path(stale)));
  for (const char* kept : {"varnel.ini.tmp.x", "other.tmp.1.x"}) EXPECT_TRUE(fs::exists(Path(kept))) << kept;
  EXPECT_TRUE(fs::exists(Path(live)));
}

TEST(FitToScreen, ShrinksOnceMovesAnOffScreenCornerThenClamps) {
  // A window as "WxH+L+T" after fit or clamp on a 1920x1080 screen.
  auto on = [](WindowGeometry (*place)(WindowGeometry, int, int), int w, int h, int l, int t) {
    const WindowGeometry g = place({w, h, l, t}, 1920, 1080);
    return std::to_string(g.width) + "x" + std::to_string(g.height) + "+" + std::to_string(g.left) + "+" +
           std::to_string(g.top);
  };
  EXPECT_EQ(on(FitToScreen, 1920, 600, 10, 10), "1915x595+10+10");
  EXPECT_EQ(on(FitToScreen, 800, 1080, 10, 10), "795x1075+10+10");
  EXPECT_EQ(on(FitToScreen, 1919, 1079, 1919, 1079), "1919x1079+1919+1079");
  EXPECT_EQ(on(FitToScreen, 800, 600, 4000, 10), "800x600+0+0");
  EXPECT_EQ(on(FitToScreen, 800, 600, 10, 1080), "800x600+0+0");
  // What the window then takes: never more than the screen, the corner on it.
  EXPECT_EQ(on(ClampToScreen, 4995, 4995, 0, 0), "1920x1080+0+0");
  EXPECT_EQ(on(ClampToScreen, 800, 600, -50, 2000), "800x600+0+1079");
  EXPECT_EQ(on(ClampToScreen, 0, -7, 10, 10), "1x1+10+10");
}

TEST_F(SettingsFileTest, SettingsGoToTheConfigFolderWhenTheProgramFolderIsNotWritable) {
  const SettingsLocation here = ChooseSettingsLocation(Path(), Path("cfg"));
  EXPECT_EQ(std::tuple(here.loadPath, here.savePath, here.inConfigFolder, fs::exists(Path("cfg"))),
            std::tuple(Path(), Path(), false, false));
  // A folder that does not exist cannot be written, even by root.
  const std::string beside = Path("absent/varnel.ini");
  const SettingsLocation there = ChooseSettingsLocation(beside, Path("cfg/varnel"));
  EXPECT_EQ(std::tuple(there.loadPath, there.savePath, there.inConfigFolder),
            std::tuple(beside, Path("cfg/varnel/varnel.ini"), true));
  Write("", "cfg/varnel/varnel.ini");  // the folder was made; the user's own copy is read from now on
  EXPECT_EQ(ChooseSettingsLocation(beside, Path("cfg/varnel")).loadPath, Path("cfg/varnel/varnel.ini"));
}

TEST_F(SettingsFileTest, MapHoldsDevicesInUseByNumberAndKeepsOldSections) {
  DeviceRegistry reg{log_};
  auto add = [&](std::uint8_t id, const char* name, int up, int port, int root, std::uint8_t type) {
    TStructDev& d = reg.device(reg.AllocDevice());
    std::tie(d.id, d.name, d.upConn, d.rootPort, d.rootNumber, d.rootName, d.blockType) =
        std::tuple(id, name, up, port, root, root ? "Корень" : "", type);
    return &d;
  };
  auto save = [&](const char* name) { return SaveMap(Path(name), "10.0.0.7", reg, log_); };
  ASSERT_TRUE(save("map.ini"));
  EXPECT_EQ(Lines("map.ini"), (std::vector<std::string>{"[COMMON]", "IP=10.0.0.7"}));
  add(1, "Корень", 0, 0, 0, 33);
  add(8, "Ушёл", 0, 3, 1, 0);
  add(7, "Блок 7", 1, 2, 1, 255)->channels[0].show = false;
  reg.FreeDevice(2);
  ASSERT_TRUE(save("map.ini"));
  std::vector<std::string> expected{
      "[COMMON]", "IP=10.0.0.7",
      "[DEV_1]", "ID=1", "Name=Корень", "UpConn=0", "RootPort=0", "RootN=0", "RootName=", "BType=33",
      "CHSHOW1=1", "CHSHOW2=1", "CHSHOW3=1",
      "[DEV_3]", "ID=7", "Name=Блок 7", "UpConn=1", "RootPort=2", "RootN=1", "RootName=Корень", "BType=255",
      "CHSHOW1=0", "CHSHOW2=1", "CHSHOW3=1"};
  EXPECT_EQ(Lines("map.ini"), expected);
  // A device gone since the last save keeps its section.
  reg.FreeDevice(3);
  reg.device(1).name = "Главный";
  ASSERT_TRUE(save("map.ini"));
  expected[4] = "Name=Главный";
  EXPECT_EQ(Lines("map.ini"), expected);
  EXPECT_TRUE(trace_.lines.empty());
  EXPECT_FALSE(save("missing/map.ini"));
  EXPECT_TRUE(AccessErrorTraced());
}
