#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "flash/address_map.h"

using namespace varnel;

// Random ranges across word edges near both ends of the flash, checked
// against one flag per address after every step.
TEST(AddressMapTest, AgreesWithAPlainFlagPerAddress) {
  constexpr std::uint32_t kSpan = 2048;
  std::mt19937 random(7);
  std::uniform_int_distribution<std::uint32_t> at(0, 2 * kSpan - 1), length(0, 200), kind(0, 3);
  const auto address = [&](std::uint32_t i) { return i < kSpan ? i : kFlashSize - 2 * kSpan + i; };
  AddressMap map;
  std::vector<bool> wanted(2 * kSpan), done(2 * kSpan);
  for (int step = 0; step < 2000; ++step) {
    const std::uint32_t first = at(random), count = length(random);
    const bool want = kind(random) == 0;  // fewer wants than marks, so the job drains
    const bool low = first < kSpan;
    const std::uint32_t end = std::min(first + count, low ? kSpan : 2 * kSpan);
    for (std::uint32_t i = first; i < end; ++i) (want ? wanted : done)[i] = true;
    // Near the start a range stops short of the end span; at the end the map clips it.
    const std::uint32_t n = low ? end - first : count;
    want ? map.Want(address(first), n) : map.MarkDone(address(first), n);
    std::uint32_t total = 0, doneWanted = 0;
    std::optional<std::uint32_t> lowest;
    for (std::uint32_t i = 0; i < 2 * kSpan; ++i) {
      total += wanted[i];
      doneWanted += wanted[i] && done[i];
      if (!lowest && wanted[i] && !done[i]) lowest = address(i);
    }
    ASSERT_EQ(std::tuple(map.total(), map.done(), map.LowestPending()), std::tuple(total, doneWanted, lowest))
        << "step " << step;
  }
}

TEST(AddressMapTest, RangesPastTheFlashAreClippedAndClearForgetsAll) {
  AddressMap map;
  map.Want(0xFFFFFFF0u, 0x20);  // would wrap round to 0x10
  map.Want(0xFFFF0, 100);
  map.MarkDone(0xFFFF8, 0xFFFFFFFFu);  // the end would wrap round below the start
  EXPECT_EQ(std::tuple(map.total(), map.done(), map.LowestPending()), std::tuple(16u, 8u, 0xFFFF0u));
  map.Clear();
  map.Want(130, 1);  // done before the clear, pending after it
  EXPECT_EQ(std::tuple(map.total(), map.done(), map.LowestPending()), std::tuple(1u, 0u, 130u));
}
