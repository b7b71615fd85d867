#pragma once
// INI storage as the settings and map files need it: section and key names
// compared without regard to case, values kept as Windows-1251 bytes on disk
// and UTF-8 in the program, key order and unknown keys preserved, and saving
// through a temporary file so that a crash never leaves half a file.

#include <memory>
#include <optional>
#include <string>

namespace varnel {

class IniFile {
 public:
  IniFile();
  ~IniFile();
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  // False when the file is missing, not a regular file or unreadable; the
  // content is then empty.
  bool Load(const std::string& path);
  // Writes a temporary file of its own beside the target, flushes it, gives it
  // the target's permission bits and renames it over the target; on any
  // failure the target is untouched and the temporary file is removed.
  bool Save(const std::string& path) const;

  bool HasKey(const std::string& section, const std::string& key) const;
  std::string Text(const std::string& section, const std::string& key, const std::string& fallback) const;
  // Decimal, or hexadecimal with "0x", "0X" or "$"; nullopt when missing or not a number.
  std::optional<std::int64_t> Integer(const std::string& section, const std::string& key) const;

  // A value with a line break would add lines to the file: it is refused
  // (false) and the key keeps what it had.
  bool SetText(const std::string& section, const std::string& key, const std::string& value);
  void SetInteger(const std::string& section, const std::string& key, std::int64_t value);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace varnel
