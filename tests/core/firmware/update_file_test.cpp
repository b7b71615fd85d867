#include "firmware/update_file.h"

#include <gtest/gtest.h>

#include <tuple>

#include "firmware/qrb_generator.h"
#include "firmware/update_placement.h"

using namespace varnel;
using namespace varnel::testing;

namespace {

const std::string kSizeMismatch = "Размер данных в файле и заявленный\r размер в блоках не совпадает.";

Bytes WithByte(Bytes b, std::size_t at, std::uint8_t v) {
  b[at] = v;
  return b;
}

}  // namespace

TEST(UpdateFile, ValidFileIsReadAndPlaced) {
  const Bytes bytes = MakeQrb();
  ASSERT_EQ(bytes.size(), 28u + 3 * 512);
  const UpdateFileCheck check = CheckUpdateFile(bytes);
  ASSERT_TRUE(check.file) << check.error;
  EXPECT_EQ(check.error, "");
  const UpdateFile& f = *check.file;
  EXPECT_EQ(std::tuple(f.blocks, f.blockSize, f.crc), std::tuple(3, 512, 0xB14B));
  EXPECT_EQ(f.data.data(), bytes.data() + 20);
  EXPECT_EQ(f.data.size(), 1536u);
  EXPECT_EQ(UpdateFileStatus(f), "Файл предназначен для:\rПлата:SL30 HRDW:01 Версия ПО:215\rБлоков:3x512 CRC OK");

  std::vector<std::uint8_t> image(kFlashBytes, 0xAA);
  EXPECT_EQ(PlaceUpdate(f, image), (std::vector<FlashRange>{{0, 1536}, {0x7E000, 0x7E200}}));
  EXPECT_EQ(Bytes(image.begin(), image.begin() + 4), (Bytes{0x00, 0x1F, 0x3E, 0x5D}));
  EXPECT_EQ(Bytes(image.begin() + 1530, image.begin() + 1537), (Bytes{0x4B, 0x6A, 0x89, 0xA8, 0xC7, 0xE6, 0xAA}));
  const Bytes descriptor{'2', '1', '5', 0, 0x00, 0x03, 0, 0, 0xB1, 0x4B, 0};
  EXPECT_EQ(Bytes(image.begin() + 0x7E000, image.begin() + 0x7E00B), descriptor);
  EXPECT_EQ(std::count(image.begin() + 0x7E000, image.begin() + 0x7E200, 0), 512 - 6);
  EXPECT_EQ(image[0x7DFFF], 0xAA);
  EXPECT_EQ(image[0x7E200], 0xAA);

  std::vector<std::uint8_t> fresh;  // grows to the whole flash
  PlaceUpdate(f, fresh);
  EXPECT_EQ(fresh.size(), 0x100000u);
}

TEST(UpdateFile, DataMayFillTheFlashUpToTheDescriptor) {
  const Bytes bytes = MakeQrb({.blocks = 1008});
  const UpdateFileCheck check = CheckUpdateFile(bytes);
  ASSERT_TRUE(check.file) << check.error;
  std::vector<std::uint8_t> image;
  EXPECT_EQ(PlaceUpdate(*check.file, image), (std::vector<FlashRange>{{0, 0x7E000}, {0x7E000, 0x7E200}}));
}

TEST(UpdateFile, FailuresInCheckingOrder) {
  const Bytes valid = MakeQrb();
  const std::tuple<const char*, Bytes, std::string> cases[] = {
      {"empty", {}, "Данный файл не предназначен для: QRVSL3001\rФайл для:"},
      {"short identifier", Bytes(valid.begin(), valid.begin() + 5),
       "Данный файл не предназначен для: QRVSL3001\rФайл для:QRVSL"},
      {"revision 02", MakeQrb({.identifier = "QRVSL3002", .blockSize = 7}),
       "Данный файл не предназначен для: QRVSL3001\rФайл для:QRVSL3002"},
      {"control and 1251 bytes", MakeQrb({.identifier = "QRV\x01L30\xC0\xC1"}),
       "Данный файл не предназначен для: QRVSL3001\rФайл для:QRV?L30АБ"},
      {"no whole header", Bytes(valid.begin(), valid.begin() + 15), kSizeMismatch},
      {"one byte long", MakeQrb({.trailingBytes = 9}), kSizeMismatch},
      {"one byte short", MakeQrb({.trailingBytes = 7}), kSizeMismatch},
      {"blocks read little-endian", WithByte(valid, 13, 0), kSizeMismatch},
      {"1 MiB of data", MakeQrb({.blocks = 4096, .blockSize = 256}), "Размер данных превышает допустимый"},
      {"2 x 256", MakeQrb({.blocks = 2, .blockSize = 256, .crc = 0}), "Размер блока не совпадает."},
      {"no blocks", MakeQrb({.blocks = 0}), "Файл не содержит данных."},
      {"into the descriptor", MakeQrb({.blocks = 1009}),
       "Данные не должны заходить на адрес 0x7E000:\r не более 1008 блоков по 512 байт."},
      {"data byte changed", WithByte(valid, 20 + 700, valid[20 + 700] ^ 0x01), "Контрольная сумма не совпадает."},
      {"CRC bytes swapped", WithByte(WithByte(valid, 18, 0x4B), 19, 0xB1), "Контрольная сумма не совпадает."},
  };
  for (const auto& [what, bytes, error] : cases) {
    const UpdateFileCheck check = CheckUpdateFile(bytes);
    EXPECT_FALSE(check.file) << what;
    EXPECT_EQ(check.error, error) << what;
  }
}
