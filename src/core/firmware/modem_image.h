#pragma once
// The modem board's firmware: the MCU program (".cbi", command 0x02) or the
// FPGA image (".lbi", command 0x03), its file checks and the wire layout of
// the transfer. Numbers are little-endian; the 15-bit number n of a request
// or answer sits in byte 1 and the low 7 bits of byte 2, whose bit 7 tells a
// data block (set) from the start of a session (clear).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "wire/byte_utils.h"

namespace varnel {

enum class ModemFirmwareKind : std::uint8_t { Mcu = 1, Fpga = 2 };

constexpr std::size_t kModemImageMaxBytes = 2'097'151;
constexpr std::size_t kModemBlockBytes = 256;
// Block answers that are no acknowledgement.
constexpr std::uint16_t kBlockSequenceBroken = 0x7FFE;
constexpr std::uint16_t kBoardEndsTransfer = 0x7FFF;

constexpr const char* kModemImageTooLargeText = "FW : Файл большого размера";
constexpr const char* kModemImageNoAccessText = "Файл не найден или нет доступа.";

// 0x02 or 0x03: the first byte of every request and answer of the kind.
std::uint8_t TargetCode(ModemFirmwareKind kind);

struct ModemImageLoad {
  std::optional<Bytes> image;  // the file's bytes, read once
  std::string error;           // one of the two texts above when refused
  std::vector<std::string> trace;  // "Файл найден ..." and "Размер: ..." when the file is there
};

// Refuses a file over the limit before reading it; a file that vanishes or
// changes size while being read counts as unreadable.
ModemImageLoad LoadModemImage(const std::string& path);

// size / 256 + 1: the last block is always shorter than 256 bytes, empty
// when the size is a multiple of 256.
std::uint32_t ModemBlockCount(std::size_t imageBytes);

Bytes ModemStartRequest(ModemFirmwareKind kind, std::uint16_t session);
Bytes ModemDataBlock(ModemFirmwareKind kind, ByteView image, std::uint32_t block);

struct ModemFirmwareAnswer {
  bool blockAnswer = false;  // bit 7 of byte 2
  std::uint16_t n = 0;       // session number, block number or 0x7FFE/0x7FFF
};

// Nothing for fewer than 3 bytes.
std::optional<ModemFirmwareAnswer> ParseModemFirmwareAnswer(ByteView data);

}  // namespace varnel
