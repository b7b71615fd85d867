#include "eventlog/log_file.h"

#include "wire/atomic_file.h"
#include "wire/cp1251.h"

namespace varnel {

std::string LogFileText(const EventLog& log) {
  std::string text;
  for (int k = 1; k < log.rowCount(); ++k) {
    const LogRow& row = log.row(k);
    if (row[0].empty()) continue;
    for (const std::string& cell : row) (text += Utf8ToCp1251(cell)) += '\t';
    text += "\r\n";
  }
  return text;
}

bool SaveLog(const std::string& path, const EventLog& log) { return WriteFileAtomically(path, LogFileText(log)); }

std::string LogSaveName(const std::string& name, bool logTypeChosen) {
  return logTypeChosen && !name.ends_with(".log") ? name + ".log" : name;
}

}  // namespace varnel
