#include "viewer/log_line_parser.h"

#include <QList>
#include <QStringDecoder>

#include "viewer/time_key.h"

namespace varnel::viewer {

namespace {

bool IsControl(QChar c) { return c.category() == QChar::Other_Control; }

bool HasControlOtherThanTab(QStringView text) {
  for (QChar c : text) {
    if (c != u'\t' && IsControl(c)) return true;
  }
  return false;
}

// The text of a refused line as the table shows it: control characters
// written as escapes so that nothing invisible hides in it.
QString VisibleText(QStringView text, bool cut) {
  QString shown;
  shown.reserve(text.size() + 8);
  for (QChar c : text) {
    if (c == u'\t') {
      shown += u"\\t";
    } else if (IsControl(c)) {
      // Control characters are C0, DEL and C1: two hex digits each. Built by
      // hand: a formatted string per character made a file full of them slow.
      constexpr char16_t kHex[] = u"0123456789abcdef";
      shown += u"\\x";
      shown += QChar(kHex[(c.unicode() >> 4) & 0xF]);
      shown += QChar(kHex[c.unicode() & 0xF]);
    } else {
      shown += c;
    }
  }
  if (cut) shown += u'…';
  return shown;
}

LogRow MalformedRow(QStringView text, bool cut, QString problem) {
  LogRow row;
  row.cells[kEventColumn] = VisibleText(text, cut);
  row.eventLower = row.cells[kEventColumn].toLower();
  row.problem = std::move(problem);
  row.timeKey = kMalformedTimeKey;
  return row;
}

// Why the cells of a line are not five cells each ended by a tab, or empty.
QString CellCountProblem(QStringView text, const QList<QStringView>& parts) {
  if (text.isEmpty()) return QStringLiteral("пустая строка");
  const bool endsWithTab = text.endsWith(u'\t');
  const qsizetype cells = parts.size() - (endsWithTab ? 1 : 0);
  if (cells != kColumnCount) return QStringLiteral("ячеек %1 вместо %2").arg(cells).arg(int{kColumnCount});
  if (!endsWithTab) return QStringLiteral("нет табуляции после последней ячейки");
  return {};
}

QString Quoted(const QString& what, QStringView cell) { return QStringLiteral("%1 «%2»").arg(what, cell); }

}  // namespace

LogLineParser::LogLineParser() {
  QStringDecoder decoder("windows-1251");
  QByteArray everyByte(256, '\0');
  for (int byte = 0; byte < 256; ++byte) everyByte[byte] = static_cast<char>(byte);
  const QString decoded = decoder.decode(everyByte);
  // A single-byte code gives one UTF-16 unit per byte, or it is not the right code.
  valid_ = decoder.isValid() && !decoder.hasError() && decoded.size() == 256;
  for (int byte = 0; valid_ && byte < 256; ++byte) characters_[byte] = decoded[byte].unicode();
}

QString LogLineParser::decode(QByteArrayView bytes) const {
  QString text(bytes.size(), Qt::Uninitialized);
  char16_t* out = reinterpret_cast<char16_t*>(text.data());
  for (char byte : bytes) *out++ = characters_[static_cast<unsigned char>(byte)];
  return text;
}

LogRow LogLineParser::parse(QByteArrayView line) {
  if (line.size() > kMaxLineBytes) {
    return MalformedRow(decode(line.first(kMaxLineBytes)), true, QStringLiteral("строка длиннее %1 байт").arg(kMaxLineBytes));
  }
  const QString text = decode(line);
  if (HasControlOtherThanTab(text)) return MalformedRow(text, false, QStringLiteral("управляющий символ в строке"));
  const QList<QStringView> parts = QStringView(text).split(u'\t');
  if (QString problem = CellCountProblem(text, parts); !problem.isEmpty()) return MalformedRow(text, false, problem);

  const auto date = DateRank(parts[kDateColumn]);
  if (!date) return MalformedRow(text, false, Quoted(QStringLiteral("неверная дата"), parts[kDateColumn]));
  const auto time = TimeRank(parts[kTimeColumn]);
  if (!time) return MalformedRow(text, false, Quoted(QStringLiteral("неверное время"), parts[kTimeColumn]));

  LogRow row;
  row.cells[kDateColumn] = dates_.shared(parts[kDateColumn]);
  row.cells[kTimeColumn] = parts[kTimeColumn].toString();
  row.cells[kBoardColumn] = boards_.shared(parts[kBoardColumn]);
  row.cells[kChannelColumn] = channels_.shared(parts[kChannelColumn]);
  row.cells[kEventColumn] = parts[kEventColumn].toString();
  row.raw = line.toByteArray();
  row.eventLower = row.cells[kEventColumn].toLower();
  row.timeKey = TimeKey(*date, *time);
  return row;
}

std::vector<LogRow> ParseLogBytes(QByteArrayView bytes, LogLineParser& parser) {
  std::vector<LogRow> rows;
  rows.reserve(static_cast<std::size_t>(bytes.count('\n')) + 1);
  qsizetype start = 0;
  while (start < bytes.size()) {
    qsizetype end = bytes.indexOf('\n', start);
    if (end < 0) end = bytes.size();
    QByteArrayView line = bytes.sliced(start, end - start);
    if (line.endsWith('\r')) line.chop(1);
    rows.push_back(parser.parse(line));
    start = end + 1;
  }
  return rows;
}

}  // namespace varnel::viewer
