#include "wire/str_utils.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <system_error>

namespace varnel {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr int kSignificantDigits = 7;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Adds one to the last digit of a decimal digit string; returns true on a
// carry out of the first digit.
bool IncrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return false;
    }
    *it = '0';
  }
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string BytesToHex(const std::uint8_t* data, std::size_t n) {
  std::string out;
  out.reserve(n * 2);
  for (std::size_t i = 0; i < n; ++i) {
    out.push_back(kHexDigits[data[i] >> 4]);
    out.push_back(kHexDigits[data[i] & 0x0F]);
  }
  return out;
}

std::string BytesToHex(const Bytes& data) { return BytesToHex(data.data(), data.size()); }

std::string HexText(std::uint32_t value, int minDigits) {
  std::string out;
  do {
    out.insert(out.begin(), kHexDigits[value & 0x0F]);
    value >>= 4;
  } while (value != 0);
  if (static_cast<int>(out.size()) < minDigits) out.insert(0, static_cast<std::size_t>(minDigits) - out.size(), '0');
  return out;
}

Bytes HexToBytes(std::string_view text) {
  std::string padded;
  if (text.size() % 2 != 0) padded.push_back('0');
  padded.append(text);
  Bytes out;
  out.reserve(padded.size() / 2);
  for (std::size_t i = 0; i + 1 < padded.size(); i += 2) {
    const int hi = HexValue(padded[i]);
    const int lo = HexValue(padded[i + 1]);
    if (hi < 0 || lo < 0) continue;
    out.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
  }
  return out;
}

std::string BytesToName(const std::uint8_t* data, std::size_t size, std::size_t n) {
  if (size < n) return {};
  const auto* end = data + n;
  // An erased flash field reads back as all 0xFF.
  if (std::all_of(data, end, [](std::uint8_t b) { return b == 0xFF; })) return {};
  std::string out;
  for (const auto* p = data; p != end; ++p) {
    if (*p == 0) continue;
    // A line break or other control byte from the network must never reach
    // a file we write as structure: it becomes a blank.
    out.push_back(*p < 0x20 || *p == 0x7F ? ' ' : static_cast<char>(*p));
  }
  return out;
}

std::string BytesToName(const Bytes& data, std::size_t n) {
  return BytesToName(data.data(), data.size(), n);
}

// Rounds to 7 significant digits first, then to d decimals (half away from
// zero on the already rounded decimal digits). Values of 1e7 and above keep
// plain fixed notation: digits past the seventh print as zeros, so 123456789
// reads 123456800. A result that rounds to zero carries no minus sign.
std::string FixedText(int d, double x) {
  if (std::isnan(x)) return "NaN";
  if (std::isinf(x)) return x < 0 ? "-INF" : "INF";
  d = std::max(d, 0);

  // "d.dddddde±XX": correctly rounded seven digits and a decimal exponent.
  char buf[40];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x),
                                 std::chars_format::scientific, kSignificantDigits - 1);
  const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
  const std::size_t ePos = sci.find('e');
  std::string digits;
  for (char c : sci.substr(0, ePos)) {
    if (c != '.') digits.push_back(c);
  }
  std::string_view expText = sci.substr(ePos + 1);
  if (!expText.empty() && expText.front() == '+') expText.remove_prefix(1);
  int exponent = 0;
  std::from_chars(expText.data(), expText.data() + expText.size(), exponent);

  const int intDigits = exponent + 1;
  std::string intPart;
  std::string frac;
  if (intDigits <= 0) {
    intPart = "0";
    frac = std::string(static_cast<std::size_t>(-intDigits), '0') + digits;
  } else if (intDigits >= static_cast<int>(digits.size())) {
    intPart = digits + std::string(static_cast<std::size_t>(intDigits) - digits.size(), '0');
  } else {
    intPart = digits.substr(0, static_cast<std::size_t>(intDigits));
    frac = digits.substr(static_cast<std::size_t>(intDigits));
  }

  const auto decimals = static_cast<std::size_t>(d);
  if (frac.size() > decimals) {
    const bool roundUp = frac[decimals] >= '5';
    frac.resize(decimals);
    if (roundUp && IncrementDigits(frac) && IncrementDigits(intPart)) intPart.insert(0, "1");
  } else {
    frac.append(decimals - frac.size(), '0');
  }

  const bool isZero = intPart.find_first_not_of('0') == std::string::npos &&
                      frac.find_first_not_of('0') == std::string::npos;
  std::string out = (x < 0 && !isZero) ? "-" : "";
  out += intPart;
  if (!frac.empty()) out += "," + frac;
  return out;
}

// The exponent stops at 10, so very small values keep a large mantissa.
std::string PowerText(int d, double x) {
  int k = 1;
  while (true) {
    x *= 10.0;
    if (x > 1.0 || k == 10) break;
    ++k;
  }
  return FixedText(d, x) + "\xE2\x80\xA2" "10^-" + std::to_string(k);
}

// Operators type either separator and stray blanks around the number; signs,
// exponents and one separator are accepted, nothing else.
bool TryParseDecimal(std::string_view text, double& value) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);

  std::string s(text);
  if (const auto dot = s.find('.'); dot != std::string::npos) s[dot] = ',';
  // Only the comma is a separator now; a second "." or "," is garbage.
  if (std::count(s.begin(), s.end(), ',') > 1 || s.find('.') != std::string::npos) return false;
  std::replace(s.begin(), s.end(), ',', '.');

  bool negative = false;
  std::string_view body(s);
  if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
    negative = body.front() == '-';
    body.remove_prefix(1);
  }
  // from_chars would also take "inf", "nan" and a second sign.
  if (body.empty() || !(std::isdigit(static_cast<unsigned char>(body.front())) || body.front() == '.'))
    return false;

  double parsed = 0.0;
  const auto res = std::from_chars(body.data(), body.data() + body.size(), parsed,
                                   std::chars_format::general);
  if (res.ec != std::errc() || res.ptr != body.data() + body.size()) return false;
  value = negative ? -parsed : parsed;
  return true;
}

}  // namespace varnel
