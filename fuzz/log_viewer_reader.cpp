// An exported event log as the viewer opens it: the file read, each line
// checked, the well-formed lines saved and read again. The saved file must
// read back as exactly those lines, all well-formed.

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "viewer/log_file.h"

using namespace varnel::viewer;

namespace {

const QTemporaryDir& Folder() {
  static QTemporaryDir* dir = [] {
    // Memory-backed, so the saves' flushes cost nothing.
    auto* made = new QTemporaryDir(QStringLiteral("/dev/shm/varnel-fuzz-viewer-XXXXXX"));
    if (!made->isValid()) std::abort();
    return made;
  }();
  return *dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = Folder().filePath(QStringLiteral("log.txt"));
  const QString saved = Folder().filePath(QStringLiteral("saved.txt"));
  {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  }
  const LoadResult read = ReadLogFile(path);
  if (!read.error.isEmpty()) return 0;
  std::vector<const LogRow*> good;
  for (const LogRow& row : read.rows) {
    if (!row.malformed()) good.push_back(&row);
  }
  if (!WriteLogRows(saved, good).isEmpty()) std::abort();
  const LoadResult again = ReadLogFile(saved);
  if (!again.error.isEmpty() || again.rows.size() != good.size()) std::abort();
  for (std::size_t i = 0; i < good.size(); ++i) {
    if (again.rows[i].malformed() || again.rows[i].raw != good[i]->raw || again.rows[i].cells != good[i]->cells) {
      std::abort();
    }
  }
  return 0;
}
