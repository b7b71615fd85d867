#pragma once
// A termination board firmware update file (".qrb"): a 20-byte header, the
// data in blocks, 8 trailing bytes nobody reads. Numbers are big-endian:
//   0..8  board identifier "QRVSL30" + hardware revision "01"
//   9..11 firmware version, 3 characters
//   12    number of blocks      14 block size (512)
//   16    reserved              18 CRC-16 of the data
//   20..  data, written to the board from flash address 0

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "wire/byte_utils.h"

namespace varnel {

constexpr std::size_t kUpdateHeaderBytes = 20;
constexpr std::size_t kUpdateTrailerBytes = 8;
constexpr std::size_t kUpdateBlockBytes = 512;
// The update descriptor block; the data must end below it.
constexpr std::uint32_t kUpdateDescriptorAddress = 0x7E000;

// For a file the caller could not read.
constexpr const char* kNoFileAccessText = "Нет доступа к файлу.";

struct UpdateFile {
  std::array<std::uint8_t, 9> identifier{};
  std::array<std::uint8_t, 3> version{};  // as in the file, Windows-1251
  std::uint16_t blocks = 0;
  std::uint16_t blockSize = 0;
  std::uint16_t crc = 0;
  ByteView data;  // within the bytes given to CheckUpdateFile
};

struct UpdateFileCheck {
  std::optional<UpdateFile> file;  // when every check passed
  std::string error;               // the first failed check's text, else empty
};

// The checks in order, the first failure ending them: identifier, size
// against the declared blocks, size limits, block size, CRC-16.
UpdateFileCheck CheckUpdateFile(ByteView bytes);

// The status line of a file that passed: board, hardware revision,
// version, blocks x block size and " CRC OK".
std::string UpdateFileStatus(const UpdateFile& file);

}  // namespace varnel
