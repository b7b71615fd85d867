#pragma once
// A Route is a sequence of address nibbles (values 0..15) from the PC to a
// device: root ID, then channel numbers. Fixed capacity so that records stay
// plain values and route matching allocates nothing.

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>

namespace varnel {

class Route {
 public:
  // Longest route held: 64 nibbles of send Route plus what a request appends.
  static constexpr std::size_t kCapacity = 72;

  Route() = default;
  Route(std::initializer_list<std::uint8_t> nibbles) {
    for (auto n : nibbles) push_back(n);
  }
  // The value of a free record: two 0xFF "nibbles" that no real route matches.
  static Route Unset() {
    Route r;
    r.n_[0] = r.n_[1] = 0xFF;
    r.len_ = 2;
    return r;
  }

  std::size_t size() const { return len_; }
  bool empty() const { return len_ == 0; }
  std::uint8_t operator[](std::size_t i) const { return n_[i]; }
  std::uint8_t back() const { return n_[len_ - 1]; }
  const std::uint8_t* begin() const { return n_.data(); }
  const std::uint8_t* end() const { return n_.data() + len_; }

  // Nibbles beyond the capacity are dropped, like the fixed-length text they replace.
  void push_back(std::uint8_t nibble) {
    if (len_ < kCapacity) n_[len_++] = nibble;
  }
  void pop_back() {
    if (len_ > 0) --len_;
  }
  void truncate(std::size_t n) { len_ = static_cast<std::uint8_t>(std::min<std::size_t>(n, len_)); }

  friend bool operator==(const Route& a, const Route& b) {
    return a.len_ == b.len_ && std::equal(a.begin(), a.end(), b.begin());
  }

 private:
  std::array<std::uint8_t, kCapacity> n_{};
  std::uint8_t len_ = 0;
};

}  // namespace varnel
