#pragma once
// Takes a fuzz input apart from the front, so that seed files can be written
// in the order they are read: numbers and byte strings, short at the end.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : p_(data), left_(size) {}

  bool empty() const { return left_ == 0; }
  // 0 once the input is used up.
  std::uint8_t Byte() {
    if (left_ == 0) return 0;
    --left_;
    return *p_++;
  }
  // Little-endian.
  std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() | Byte() << 8); }
  std::vector<std::uint8_t> Take(std::size_t n) {
    n = std::min(n, left_);
    std::vector<std::uint8_t> out(p_, p_ + n);
    p_ += n;
    left_ -= n;
    return out;
  }

 private:
  const std::uint8_t* p_;
  std::size_t left_;
};
