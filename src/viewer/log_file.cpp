#include "viewer/log_file.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>

#include "viewer/log_line_parser.h"

namespace varnel::viewer {

namespace {

constexpr qint64 kReadPieceBytes = 1 << 20;
constexpr qint64 kSmallestPieceBytes = 4096;

LoadResult Failure(QString error) { return {{}, std::move(error)}; }

}  // namespace

LoadResult ReadLogFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return Failure(QStringLiteral("Не удалось открыть файл: %1").arg(file.errorString()));
  // Read one byte past the limit, so that a file growing meanwhile or a
  // device without a size is refused all the same. In pieces: one read of
  // the whole limit would set aside and clear 64 MiB for every file opened.
  // A piece is sized by what the file says is left (plus the byte that shows
  // its end), since each read sets aside all it asks for.
  QByteArray bytes;
  while (file.size() <= kMaxFileBytes && bytes.size() <= kMaxFileBytes) {
    const qint64 left = std::clamp<qint64>(file.size() - bytes.size() + 1, kSmallestPieceBytes, kReadPieceBytes);
    const QByteArray piece = file.read(std::min<qint64>(left, kMaxFileBytes + 1 - bytes.size()));
    if (piece.isEmpty()) break;
    bytes += piece;
  }
  if (file.size() > kMaxFileBytes || bytes.size() > kMaxFileBytes) {
    return Failure(QStringLiteral("Файл больше %1 МБ").arg(kMaxFileBytes / (1024 * 1024)));
  }
  if (bytes.count('\n') >= kMaxFileLines) return Failure(QStringLiteral("В файле больше %1 строк").arg(kMaxFileLines));
  LogLineParser parser;
  if (!parser.isValid()) return Failure(QStringLiteral("Кодировка Windows-1251 недоступна"));
  return {ParseLogBytes(bytes, parser), {}};
}

QString WriteLogRows(const QString& path, const std::vector<const LogRow*>& rows) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return QStringLiteral("Не удалось создать файл: %1").arg(file.errorString());
  for (const LogRow* row : rows) {
    file.write(row->raw);
    file.write("\r\n", 2);
  }
  // commit() reports any failed write above and leaves path untouched then.
  if (!file.commit()) return QStringLiteral("Не удалось записать файл: %1").arg(file.errorString());
  return {};
}

}  // namespace varnel::viewer
