#include "sim/wire/cp1251.h"

#include <iconv.h>

namespace varnel::sim {

std::optional<std::string> Utf8ToCp1251(std::string_view utf8) {
  iconv_t cd = iconv_open("CP1251", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  // Each Windows-1251 character takes at least one UTF-8 byte, so this is enough.
  std::string out(utf8.size(), '\0');
  char* in_ptr = const_cast<char*>(utf8.data());
  std::size_t in_left = utf8.size();
  char* out_ptr = out.data();
  std::size_t out_left = out.size();
  const std::size_t rc = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
  iconv_close(cd);
  // A non-zero count means something was substituted; a name must arrive as typed.
  if (rc != 0 || in_left != 0) return std::nullopt;
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace varnel::sim
