#include "boards/editor_validity.h"

#include <cmath>

namespace varnel {

namespace {
// Halves to the even neighbour, like every rounding of these editors.
long long RoundEven(double x) { return static_cast<long long>(std::nearbyint(x)); }
}  // namespace

Validity CheckEditorValue(std::optional<double> value, double minimum, double maximum, double step) {
  // A text that is not a number is told as such, whatever the range.
  if (!value) return Validity::NotANumber;
  const double v = *value;
  if (v > maximum || v < minimum) return Validity::OutOfRange;
  const long long vi = RoundEven(v * 100);
  const long long li = RoundEven(minimum * 100);
  const long long si = RoundEven(step * 100);
  if (si > 0 && ((vi - li) / si) * si + li != vi) return Validity::OffGrid;
  if (v != static_cast<double>(vi) / 100) return Validity::TooPrecise;
  return Validity::Normal;
}

std::optional<std::uint32_t> ValidityColour(Validity v) {
  switch (v) {
    case Validity::OutOfRange: return 0x0000FF;
    case Validity::NotANumber: return 0x000080;
    case Validity::OffGrid: return 0x00FFFF;
    case Validity::TooPrecise: return 0xBBFFFF;
    case Validity::Normal: break;
  }
  return std::nullopt;
}

}  // namespace varnel
