#pragma once
// How a numeric editor reports what the operator typed: by colour only, never
// by refusing it. Out of range is red, not a number dark red, off the step
// grid yellow, more than two decimals (but on the grid) pale yellow.

#include <cstdint>
#include <optional>

namespace varnel {

enum class Validity { Normal, OutOfRange, NotANumber, OffGrid, TooPrecise };

// value is empty when the text is not a decimal number. The grid is
// minimum + k * step, compared in hundredths.
Validity CheckEditorValue(std::optional<double> value, double minimum, double maximum, double step);

// 0xBBGGRR; nullopt for the normal window colour.
std::optional<std::uint32_t> ValidityColour(Validity v);

}  // namespace varnel
