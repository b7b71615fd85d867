#pragma once
// Windows-1251 only lives at the borders (names on the wire, INI and map files,
// the exported log); inside the program every text is UTF-8.

#include <string>
#include <string_view>

namespace varnel {

// Every byte maps to a character and back; the unassigned byte 0x98 is U+0098.
std::string Cp1251ToUtf8(std::string_view bytes);
// Characters without a Windows-1251 byte become '?'; invalid UTF-8 too.
std::string Utf8ToCp1251(std::string_view utf8);
// Cut a UTF-8 text to at most n characters without splitting a character.
std::string Utf8Left(std::string_view utf8, std::size_t n);

}  // namespace varnel
