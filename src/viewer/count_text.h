#pragma once

#include <QString>

namespace varnel::viewer {

// "Показано: x из y", and the number of malformed lines when there are any.
QString CountText(int shown, int total, int malformed);

}  // namespace varnel::viewer
