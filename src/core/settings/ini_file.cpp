#include "settings/ini_file.h"

#include <SimpleIni.h>
#include <filesystem>

#include "settings/ini_values.h"
#include "wire/atomic_file.h"
#include "wire/cp1251.h"

namespace varnel {

struct IniFile::Impl {
  CSimpleIniA ini{false, false, false};  // single-byte, unique keys, no multi-line
};

IniFile::IniFile() : impl_(std::make_unique<Impl>()) {
  impl_->ini.SetSpaces(false);  // "key=value", as other readers of these files expect
}
IniFile::~IniFile() = default;

bool IniFile::Load(const std::string& path) {
  impl_->ini.Reset();
  impl_->ini.SetSpaces(false);
  // A folder or a device in place of the file is not ours to read.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  return impl_->ini.LoadFile(path.c_str()) >= 0;
}

bool IniFile::Save(const std::string& path) const {
  std::string text;
  if (impl_->ini.Save(text, false) < 0) return false;
  return WriteFileAtomically(path, text);
}

bool IniFile::HasKey(const std::string& section, const std::string& key) const {
  return impl_->ini.GetValue(Utf8ToCp1251(section).c_str(), Utf8ToCp1251(key).c_str(), nullptr) != nullptr;
}

std::string IniFile::Text(const std::string& section, const std::string& key, const std::string& fallback) const {
  const char* v = impl_->ini.GetValue(Utf8ToCp1251(section).c_str(), Utf8ToCp1251(key).c_str(), nullptr);
  return v == nullptr ? fallback : Cp1251ToUtf8(v);
}

std::optional<std::int64_t> IniFile::Integer(const std::string& section, const std::string& key) const {
  const char* v = impl_->ini.GetValue(section.c_str(), key.c_str(), nullptr);
  if (v == nullptr) return std::nullopt;
  return ParseIniInteger(v);
}

bool IniFile::SetText(const std::string& section, const std::string& key, const std::string& value) {
  if (value.find_first_of("\r\n") != std::string::npos) return false;
  return impl_->ini.SetValue(Utf8ToCp1251(section).c_str(), Utf8ToCp1251(key).c_str(), Utf8ToCp1251(value).c_str()) >= 0;
}

void IniFile::SetInteger(const std::string& section, const std::string& key, std::int64_t value) {
  SetText(section, key, std::to_string(value));
}

}  // namespace varnel
