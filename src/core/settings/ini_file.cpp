#include "settings/ini_file.h"

#include <SimpleIni.h>
#include <unistd.h>

#include <cstdio>

#include "settings/ini_values.h"
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
  return impl_->ini.LoadFile(path.c_str()) >= 0;
}

bool IniFile::Save(const std::string& path) const {
  const std::string temp = path + ".tmp";
  if (impl_->ini.SaveFile(temp.c_str(), false) < 0) {
    std::remove(temp.c_str());
    return false;
  }
  // Flush to disk before the rename replaces the old file.
  if (FILE* f = std::fopen(temp.c_str(), "rb")) {
    fsync(fileno(f));
    std::fclose(f);
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
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

void IniFile::SetText(const std::string& section, const std::string& key, const std::string& value) {
  impl_->ini.SetValue(Utf8ToCp1251(section).c_str(), Utf8ToCp1251(key).c_str(), Utf8ToCp1251(value).c_str());
}

void IniFile::SetInteger(const std::string& section, const std::string& key, std::int64_t value) {
  SetText(section, key, std::to_string(value));
}

}  // namespace varnel
