#include "firmware/modem_image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace varnel;

namespace {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "modem-image-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  std::string File(const std::string& name, std::size_t bytes) const {
    const std::string p = path_ + "/" + name;
    std::ofstream out(p, std::ios::binary);
    for (std::size_t i = 0; i < bytes; ++i) out.put(static_cast<char>(i % 251));
    return p;
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

TEST(ModemImage, FileChecks) {
  TempDir dir;
  // The largest file taken: read whole, in 8192 blocks, the last one 255 bytes.
  const std::string largest = dir.File("largest.cbi", kModemImageMaxBytes);
  ModemImageLoad load = LoadModemImage(largest);
  ASSERT_TRUE(load.image) << load.error;
  EXPECT_EQ(load.image->size(), kModemImageMaxBytes);
  EXPECT_EQ((*load.image)[300], 300 % 251);
  EXPECT_EQ(load.trace, (std::vector<std::string>{"Файл найден " + largest, "Размер: 2097151"}));
  EXPECT_EQ(ModemBlockCount(load.image->size()), 8192u);
  EXPECT_EQ(ModemDataBlock(ModemFirmwareKind::Mcu, *load.image, 8191).size(), 3u + 255);

  // One byte more is refused unread.
  const std::string tooLarge = dir.File("big.cbi", kModemImageMaxBytes + 1);
  load = LoadModemImage(tooLarge);
  EXPECT_FALSE(load.image);
  EXPECT_EQ(load.error, "FW : Файл большого размера");
  EXPECT_EQ(load.trace.back(), "Размер: 2097152");

  // Missing, a folder, no name at all.
  for (const std::string& bad : {dir.path() + "/missing.lbi", dir.path(), std::string()}) {
    load = LoadModemImage(bad);
    EXPECT_FALSE(load.image) << bad;
    EXPECT_EQ(load.error, "Файл не найден или нет доступа.") << bad;
    EXPECT_TRUE(load.trace.empty());
  }
}

// The session's tests cover the FPGA start, small block numbers and whole answers.
TEST(ModemImage, McuStartHighBlockNumbersAndShortAnswers) {
  EXPECT_EQ(ModemStartRequest(ModemFirmwareKind::Mcu, 0x1234), (Bytes{0x02, 0x34, 0x12}));
  const Bytes high = ModemDataBlock(ModemFirmwareKind::Mcu, Bytes(0x1FFFFF, 1), 0x1FFF);
  EXPECT_EQ(Bytes(high.begin(), high.begin() + 3), (Bytes{0x02, 0xFF, 0x9F}));
  EXPECT_FALSE(ParseModemFirmwareAnswer(Bytes{0x02, 0x05}));
  EXPECT_TRUE(ParseModemFirmwareAnswer(Bytes{0x03, 0x34, 0x12, 0x00}));  // a longer one is taken
}

}  // namespace
