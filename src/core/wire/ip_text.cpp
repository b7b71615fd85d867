#include "wire/ip_text.h"

#include <algorithm>

namespace varnel {

namespace {

constexpr std::size_t kMinIpChars = 7;  // "0.0.0.0"
constexpr std::size_t kMaxIpChars = 255;
constexpr int kIpGroups = 4;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal value of a digit string, saturated just above 255.
int GroupValue(std::string_view digits) {
  int v = 0;
  for (char c : digits) v = std::min(v * 10 + (c - '0'), 256);
  return v;
}

std::size_t Utf8Chars(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

bool IsValidIp(std::string_view text) {
  if (text.size() < kMinIpChars || text.size() > kMaxIpChars) return false;
  std::array<std::string_view, kIpGroups> groups{};
  int group = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '.') {
      if (group < kIpGroups) groups[group] = text.substr(start, i - start);
      ++group;
      start = i + 1;
    } else if (!IsDigit(text[i]) || group >= kIpGroups) {
      return false;
    }
  }
  if (group < kIpGroups) groups[group] = text.substr(start);
  return std::all_of(groups.begin(), groups.end(),
                     [](std::string_view g) { return !g.empty() && GroupValue(g) <= 255; });
}

std::string IpToText(ByteView bytes) {
  if (bytes.size() != 4) return "0.0.0.0";
  return std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." + std::to_string(bytes[2]) + "." +
         std::to_string(bytes[3]);
}

IpBytes IpFromText(std::string_view text) {
  IpBytes out{};
  for (std::uint8_t& b : out) {
    const std::size_t dot = text.find('.');
    const std::string_view part = text.substr(0, dot);
    // The low 8 bits of the leading digits' value, kept small on the way.
    unsigned v = 0;
    for (std::size_t i = 0; i < part.size() && IsDigit(part[i]); ++i) v = (v * 10 + (part[i] - '0')) & 0xFF;
    b = static_cast<std::uint8_t>(v);
    text = dot == std::string_view::npos ? std::string_view{} : text.substr(dot + 1);
  }
  return out;
}

std::string PadText(std::string_view text, int width, std::string_view pad, PadSide side) {
  std::string out(text);
  const std::size_t padChars = Utf8Chars(pad);
  if (padChars == 0 || width <= 0) return out;
  std::string padding;
  for (std::size_t n = Utf8Chars(text); n < static_cast<std::size_t>(width); n += padChars) padding += pad;
  return side == PadSide::Front ? padding + out : out + padding;
}

}  // namespace varnel
