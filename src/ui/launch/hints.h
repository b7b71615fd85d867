#pragma once
// Every hint of the program looks and lasts alike: a light blue background
// and ten seconds on screen, whatever the length of its text.

#include <QColor>

class QApplication;

namespace varnel::ui {

constexpr int kHintHidePauseMs = 10000;
// 0xFFEEDD as the window system stores colours: blue 0xFF, green 0xEE, red 0xDD.
inline const QColor kHintColour{0xDD, 0xEE, 0xFF};

void InstallHintStyle(QApplication& app);

}  // namespace varnel::ui
