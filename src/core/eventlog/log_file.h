#pragma once
// The exported event log: one line per grid row with a date, the five cells
// each followed by a tab, CR LF, in Windows-1251. The log viewer reads it.

#include <string>

#include "eventlog/event_log.h"

namespace varnel {

// The file's bytes.
std::string LogFileText(const EventLog& log);
// Written whole through a temporary file, or not at all.
bool SaveLog(const std::string& path, const EventLog& log);
// The save dialog's rule: with the log file type chosen, a name not ending
// in ".log" gets it.
std::string LogSaveName(const std::string& name, bool logTypeChosen);

}  // namespace varnel
