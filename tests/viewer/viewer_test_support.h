// Export files built by hand for the viewer tests, independent of the viewer's code.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QStringEncoder>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

#include "viewer/log_line_parser.h"

namespace viewer_test {

inline QByteArray Cp1251(const QString& text) {
  QStringEncoder encoder("windows-1251");
  QByteArray bytes = encoder.encode(text);
  EXPECT_FALSE(encoder.hasError()) << text.toStdString();
  return bytes;
}

// A line as the export writes it, without its CR LF: each cell and a tab.
inline QByteArray LineBody(const QStringList& cells) {
  QString text;
  for (const QString& cell : cells) text += cell + u'\t';
  return Cp1251(text);
}

inline QByteArray LogLine(const QStringList& cells) { return LineBody(cells) + "\r\n"; }

inline std::vector<varnel::viewer::LogRow> ParseAll(const QByteArray& bytes) {
  varnel::viewer::LogLineParser parser;
  return varnel::viewer::ParseLogBytes(bytes, parser);
}

inline QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  const QString path = dir.filePath(name);
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  return path;
}

inline QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace viewer_test
