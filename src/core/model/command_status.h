#pragma once
// The one-line command status the operator watches: red while a command is
// under way, green when acknowledged, maroon when its answer failed to parse.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace varnel {

// Colours are 0xBBGGRR, red in the low byte.
constexpr std::uint32_t kColourRed = 0x0000FF;
constexpr std::uint32_t kColourGreen = 0x008000;
constexpr std::uint32_t kColourMaroon = 0x000080;
// The slightly darker red of " Команда отправлена...".
constexpr std::uint32_t kColourSent = 0x0000DD;

constexpr std::string_view kFailedSuffix = " с ошибкой";

class CommandStatusLine {
 public:
  void Set(std::string text, std::uint32_t colour) {
    text_ = std::move(text);
    colour_ = colour;
    if (onChange) onChange();
  }
  // A parser failure after the success text: " с ошибкой", in maroon, once
  // however many failed answers follow.
  void MarkFailed() {
    Set(text_.ends_with(kFailedSuffix) ? text_ : text_ + std::string(kFailedSuffix), kColourMaroon);
  }

  const std::string& text() const { return text_; }
  std::uint32_t colour() const { return colour_; }

  std::function<void()> onChange;

 private:
  std::string text_;
  std::uint32_t colour_ = kColourRed;
};

}  // namespace varnel
