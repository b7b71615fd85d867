#pragma once
// Core texts are UTF-8 with a lone carriage return as line break; Qt wants
// QString and "\n".

#include <QColor>
#include <QString>
#include <string>

namespace varnel::ui {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
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
