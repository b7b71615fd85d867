#include "firmware/update_file.h"

#include <algorithm>
#include <string_view>

#include "wire/cp1251.h"

namespace varnel {

namespace {

constexpr std::string_view kIdentifier = "QRVSL3001";
constexpr std::size_t kVersionAt = 9, kBlocksAt = 12, kBlockSizeAt = 14, kCrcAt = 18;
constexpr std::size_t kMaxDataBytes = 0xFFFFF;

constexpr const char* kSizeMismatch = "Размер данных в файле и заявленный\r размер в блоках не совпадает.";
constexpr const char* kTooLarge = "Размер данных превышает допустимый";
constexpr const char* kBlockSizeMismatch = "Размер блока не совпадает.";
constexpr const char* kNoData = "Файл не содержит данных.";
constexpr const char* kOverDescriptor =
    "Данные не должны заходить на адрес 0x7E000:\r не более 1008 блоков по 512 байт.";
constexpr const char* kCrcMismatch = "Контрольная сумма не совпадает.";

// File bytes in a message: control characters become '?'.
std::string FileText(ByteView bytes) {
  std::string raw;
  for (std::uint8_t b : bytes) raw.push_back(b < 0x20 || b == 0x7F ? '?' : static_cast<char>(b));
  return Cp1251ToUtf8(raw);
}

std::optional<std::string> IdentifierError(ByteView bytes) {
  const ByteView id = bytes.first(std::min(bytes.size(), kIdentifier.size()));
  if (std::equal(id.begin(), id.end(), kIdentifier.begin(), kIdentifier.end())) return std::nullopt;
  return "Данный файл не предназначен для: " + std::string(kIdentifier) + "\rФайл для:" + FileText(id);
}

// bytes holds at least the header.
UpdateFile ReadHeader(ByteView bytes) {
  UpdateFile f;
  std::copy_n(bytes.begin(), f.identifier.size(), f.identifier.begin());
  std::copy_n(bytes.begin() + kVersionAt, f.version.size(), f.version.begin());
  f.blocks = WordOf(bytes[kBlocksAt], bytes[kBlocksAt + 1]);
  f.blockSize = WordOf(bytes[kBlockSizeAt], bytes[kBlockSizeAt + 1]);
  f.crc = WordOf(bytes[kCrcAt], bytes[kCrcAt + 1]);
  return f;
}

// Every check after the identifier's, in order.
std::optional<std::string> LayoutError(ByteView bytes, const UpdateFile& f) {
  const std::size_t dataBytes = std::size_t{f.blocks} * f.blockSize;
  if (bytes.size() < kUpdateHeaderBytes + kUpdateTrailerBytes ||
      dataBytes != bytes.size() - kUpdateHeaderBytes - kUpdateTrailerBytes) {
    return kSizeMismatch;
  }
  if (dataBytes > kMaxDataBytes) return kTooLarge;
  if (f.blockSize != kUpdateBlockBytes) return kBlockSizeMismatch;
  // An update of nothing, or data running into the descriptor, would leave the board unbootable.
  if (dataBytes == 0) return kNoData;
  if (dataBytes > kUpdateDescriptorAddress) return kOverDescriptor;
  return std::nullopt;
}

}  // namespace

UpdateFileCheck CheckUpdateFile(ByteView bytes) {
  if (std::optional<std::string> error = IdentifierError(bytes)) return {std::nullopt, *error};
  if (bytes.size() < kUpdateHeaderBytes) return {std::nullopt, kSizeMismatch};
  UpdateFile f = ReadHeader(bytes);
  if (std::optional<std::string> error = LayoutError(bytes, f)) return {std::nullopt, *error};
  f.data = bytes.subspan(kUpdateHeaderBytes, std::size_t{f.blocks} * f.blockSize);
  if (Crc16(f.data) != f.crc) return {std::nullopt, kCrcMismatch};
  return {f, ""};
}

std::string UpdateFileStatus(const UpdateFile& f) {
  const ByteView id(f.identifier);
  return "Файл предназначен для:\rПлата:" + FileText(id.subspan(3, 4)) + " HRDW:" + FileText(id.subspan(7, 2)) +
         " Версия ПО:" + FileText(f.version) + "\rБлоков:" + std::to_string(f.blocks) + "x" +
         std::to_string(f.blockSize) + " CRC OK";
}

}  // namespace varnel
