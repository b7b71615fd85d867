#pragma once
// Core texts are UTF-8 with a lone carriage return as line break; Qt wants
// QString and "\n".

#include <QColor>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace varnel::ui {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline QStringList QItems(const std::vector<std::string>& items) {
  QStringList list;
  for (const std::string& item : items) list << Q(item);
  return list;
}
// For labels and message boxes: "\r" breaks the line.
inline QString Display(const std::string& s) { return QString::fromStdString(s).replace('\r', '\n'); }
// Colours are kept as 0xBBGGRR.
inline QColor BgrColour(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }
inline QString ColourCss(std::uint32_t bgr) {
  return QString("color: rgb(%1, %2, %3);").arg(bgr & 0xFF).arg((bgr >> 8) & 0xFF).arg((bgr >> 16) & 0xFF);
}

inline QString BackgroundCss(std::uint32_t bgr) {
  return QString("background-color: rgb(%1, %2, %3);").arg(bgr & 0xFF).arg((bgr >> 8) & 0xFF).arg((bgr >> 16) & 0xFF);
}

}  // namespace varnel::ui
