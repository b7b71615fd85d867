#include "viewer/count_text.h"

namespace varnel::viewer {

QString CountText(int shown, int total, int malformed) {
  QString text = QStringLiteral("Показано: %1 из %2").arg(shown).arg(total);
  if (malformed > 0) text += QStringLiteral(", ошибочных строк: %1").arg(malformed);
  return text;
}

}  // namespace varnel::viewer
