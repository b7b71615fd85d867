#include "firmware/modem_image.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace varnel {

namespace {

constexpr std::uint8_t kBlockFlag = 0x80;

Bytes Numbered(ModemFirmwareKind kind, std::uint32_t n, bool block) {
  return {TargetCode(kind), static_cast<std::uint8_t>(n & 0xFF),
          static_cast<std::uint8_t>(((n >> 8) & 0x7F) | (block ? kBlockFlag : 0))};
}

}  // namespace

std::uint8_t TargetCode(ModemFirmwareKind kind) { return kind == ModemFirmwareKind::Mcu ? 0x02 : 0x03; }

ModemImageLoad LoadModemImage(const std::string& path) {
  ModemImageLoad load;
  std::error_code ec;
  const std::filesystem::path file(path);
  const bool regular = !path.empty() && std::filesystem::is_regular_file(file, ec);
  const std::uintmax_t size = regular ? std::filesystem::file_size(file, ec) : 0;
  if (!regular || ec) {
    load.error = kModemImageNoAccessText;
    return load;
  }
  load.trace.push_back("Файл найден " + path);
  load.trace.push_back("Размер: " + std::to_string(size));
  if (size > kModemImageMaxBytes) {
    load.error = kModemImageTooLargeText;
    return load;
  }
  std::ifstream in(file, std::ios::binary);
  Bytes bytes(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  // Fewer bytes than the size said, or more behind them: not the file that was checked.
  const bool whole = in && static_cast<std::size_t>(in.gcount()) == bytes.size() &&
                     in.peek() == std::ifstream::traits_type::eof();
  if (!in.is_open() || !whole) {
    load.error = kModemImageNoAccessText;
    return load;
  }
  load.image = std::move(bytes);
  return load;
}

std::uint32_t ModemBlockCount(std::size_t imageBytes) {
  return static_cast<std::uint32_t>(imageBytes / kModemBlockBytes + 1);
}

Bytes ModemStartRequest(ModemFirmwareKind kind, std::uint16_t session) { return Numbered(kind, session, false); }

Bytes ModemDataBlock(ModemFirmwareKind kind, ByteView image, std::uint32_t block) {
  Bytes request = Numbered(kind, block, true);
  const std::size_t from = std::min<std::size_t>(std::size_t{block} * kModemBlockBytes, image.size());
  const std::size_t to = std::min(from + kModemBlockBytes, image.size());
  request.insert(request.end(), image.begin() + static_cast<std::ptrdiff_t>(from),
                 image.begin() + static_cast<std::ptrdiff_t>(to));
  return request;
}

std::optional<ModemFirmwareAnswer> ParseModemFirmwareAnswer(ByteView data) {
  if (data.size() < 3) return std::nullopt;
  return ModemFirmwareAnswer{(data[2] & kBlockFlag) != 0,
                             static_cast<std::uint16_t>((data[2] & 0x7F) << 8 | data[1])};
}

}  // namespace varnel
