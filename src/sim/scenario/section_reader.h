#pragma once
// The values of one scenario section, range-checked. The first fault is kept in the
// shared error text; later calls then do nothing.

#include <SimpleIni.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::sim {

class SectionReader {
 public:
  SectionReader(const CSimpleIniA& ini, std::string section, std::string& error)
      : ini_(ini), section_(std::move(section)), error_(error) {}

  // Every key of the section must be one of `allowed` or of `unlisted`; a fault
  // lists `allowed` and then names the others by `unlisted_text`.
  void OnlyKeys(const std::vector<std::string_view>& allowed,
                const std::vector<std::string_view>& unlisted = {},
                std::string_view unlisted_text = {});
  std::optional<std::string> Text(const char* key, bool required);
  std::optional<unsigned> Number(const char* key, unsigned low, unsigned high,
                                 std::string_view meaning, bool required = true);
  void Fail(const std::string& message);

 private:
  const CSimpleIniA& ini_;
  std::string section_;
  std::string& error_;
};

}  // namespace varnel::sim
