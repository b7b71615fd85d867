#pragma once

#include <QString>
#include <vector>

#include "viewer/log_row.h"

namespace varnel::viewer {

// Files beyond either limit are refused rather than read into memory.
inline constexpr qint64 kMaxFileBytes = 64LL * 1024 * 1024;
inline constexpr qsizetype kMaxFileLines = 1'000'000;

struct LoadResult {
  std::vector<LogRow> rows;
  QString error;  // empty when the file was read
};

LoadResult ReadLogFile(const QString& path);

// Writes well-formed rows as they were read, each ended by CR LF, through a
// temporary file in the same folder that replaces path only when complete.
// Returns an error text, empty on success.
QString WriteLogRows(const QString& path, const std::vector<const LogRow*>& rows);

}  // namespace varnel::viewer
