#pragma once
// What the program knows about one board of one device. Parsers fill these
// records; views are drawn from them, never from an answer.

#include <array>
#include <cstdint>
#include <string>

namespace varnel {

// One HF channel (module) of a board. Elements are numbered from 1 in the
// board descriptions, so element k lives at index k - 1.
struct T_MODULES {
  std::uint8_t Tag = 0;
  std::array<std::uint32_t, 12> Values{};
  std::array<std::string, 12> Texts{};
};

struct TBRDS {
  std::uint8_t Valid = 0;  // set once the board has identified itself
  std::uint8_t Ver1 = 0;
  std::uint8_t Ver2 = 0;
  std::array<std::uint32_t, 20> Values{};
  std::array<std::string, 20> Texts{};
  std::array<T_MODULES, 3> Modules{};
  std::uint8_t Flags8 = 0;
  std::uint16_t Word16 = 0;
  std::uint32_t Requests = 0;  // counted by the send path
  std::uint32_t Answers = 0;   // counted by the dispatcher
};

}  // namespace varnel
