#pragma once
// A scratch folder per test for settings and map files.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core_fakes.h"
#include "settings/app_settings.h"
#include "wire/cp1251.h"

namespace varnel::testing {

class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFileTest() {
    char tmpl[] = "/tmp/varnel_ini_XXXXXX";
    dir_ = mkdtemp(tmpl);
    log_.setSink(&trace_);
  }
  ~SettingsFileTest() override { std::filesystem::remove_all(dir_); }

  std::string Path(const std::string& name = "varnel.ini") const { return (dir_ / name).string(); }
  void Write(const std::string& bytes, const std::string& name = "varnel.ini") const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string Raw(const std::string& name = "varnel.ini") const {
    std::ostringstream out;
    out << std::ifstream(Path(name), std::ios::binary).rdbuf();
    return out.str();
  }
  // The file's non-empty lines, decoded from Windows-1251, so a name written
  // in any other encoding does not read back as written.
  std::vector<std::string> Lines(const std::string& name = "varnel.ini") const {
    std::vector<std::string> out;
    std::istringstream in(Cp1251ToUtf8(Raw(name)));
    for (std::string line; std::getline(in, line);) {
      if (line.ends_with('\r')) line.pop_back();
      if (!line.empty()) out.push_back(line);
    }
    return out;
  }
  // Writes the INI text and loads it into settings.
  bool Load(const std::string& text) {
    Write(text);
    result_ = LoadSettings(Path(), settings, log_);
    return result_.complete;
  }
  bool AccessErrorTraced() const { return trace_.Has("Нет доступа к файлу INI !"); }

  AppSettings settings;
  LoadResult result_;
  std::filesystem::path dir_;
  ManualClock clock_ = ClockAt(8, 0, 0);
  TraceLog log_{clock_};
  RecordingTrace trace_;
};

}  // namespace varnel::testing
