#include "ui/tree/icons.h"

#include <QPainter>
#include <QPixmap>
#include <array>

namespace varnel::ui {

namespace {

QPixmap Badge(const QColor& fill, const QString& text, bool round) {
  QPixmap pix(16, 16);
  pix.fill(Qt::transparent);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(fill.darker(160));
  p.setBrush(fill);
  if (round) {
    p.drawEllipse(1, 1, 14, 14);
  } else {
    p.drawRoundedRect(1, 1, 14, 14, 3, 3);
  }
  QFont font = p.font();
  font.setPixelSize(10);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, text);
  return pix;
}

}  // namespace

QIcon TreeIcon(int index) {
  static const std::array<QIcon, 6> icons{
      QIcon(Badge(QColor(40, 90, 200), "E", false)),   // reached over Ethernet
      QIcon(Badge(QColor(30, 140, 60), "1", true)),    // through its channel 1
      QIcon(Badge(QColor(30, 140, 60), "2", true)),
      QIcon(Badge(QColor(30, 140, 60), "3", true)),
      QIcon(Badge(QColor(128, 128, 128), "?", true)),  // unknown side
      QIcon(Badge(QColor(210, 120, 20), "~", false)),  // channel node
  };
  return index >= 0 && index < static_cast<int>(icons.size()) ? icons[static_cast<std::size_t>(index)] : QIcon();
}

}  // namespace varnel::ui
