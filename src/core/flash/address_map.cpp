#include "flash/address_map.h"

#include <algorithm>
#include <bit>

namespace varnel {

namespace {

constexpr std::uint32_t kWordBits = 64;
constexpr std::size_t kWords = kFlashSize / kWordBits;

// Bits lo..hi-1 of a word, 0 <= lo < hi <= 64.
std::uint64_t BitRange(std::uint32_t lo, std::uint32_t hi) {
  const std::uint64_t upTo = hi == kWordBits ? ~0ULL : (1ULL << hi) - 1;
  return upTo & ~((1ULL << lo) - 1);
}

std::uint32_t Count(std::uint64_t bits) { return static_cast<std::uint32_t>(std::popcount(bits)); }

bool Bit(const std::vector<std::uint64_t>& words, std::uint32_t address) {
  return address < kFlashSize && (words[address / kWordBits] >> (address % kWordBits) & 1U) != 0;
}

}  // namespace

AddressMap::AddressMap() : wanted_(kWords), done_(kWords) {}

void AddressMap::Clear() {
  std::fill(wanted_.begin(), wanted_.end(), 0);
  std::fill(done_.begin(), done_.end(), 0);
  total_ = 0;
  doneWanted_ = 0;
  lowWord_ = 0;
}

// Calls f(word index, mask) for each word the clipped range touches.
template <typename F>
void AddressMap::ForEachWord(std::uint32_t first, std::uint32_t count, F&& f) {
  if (first >= kFlashSize) return;
  const std::uint32_t end = first + std::min(count, kFlashSize - first);
  for (std::uint32_t a = first; a < end;) {
    const std::uint32_t word = a / kWordBits;
    const std::uint32_t stop = std::min(end, (word + 1) * kWordBits);
    f(word, BitRange(a % kWordBits, stop - word * kWordBits));
    a = stop;
  }
}

void AddressMap::Want(std::uint32_t first, std::uint32_t count) {
  ForEachWord(first, count, [this](std::size_t i, std::uint64_t mask) {
    const std::uint64_t added = mask & ~wanted_[i];
    total_ += Count(added);
    doneWanted_ += Count(added & done_[i]);
    wanted_[i] |= mask;
    if ((added & ~done_[i]) != 0) lowWord_ = std::min(lowWord_, i);
  });
}

void AddressMap::MarkDone(std::uint32_t first, std::uint32_t count) {
  ForEachWord(first, count, [this](std::size_t i, std::uint64_t mask) {
    doneWanted_ += Count(mask & ~done_[i] & wanted_[i]);
    done_[i] |= mask;
  });
}

bool AddressMap::wanted(std::uint32_t address) const { return Bit(wanted_, address); }
bool AddressMap::isDone(std::uint32_t address) const { return Bit(done_, address); }

std::optional<std::uint32_t> AddressMap::LowestPending() {
  if (pending() == 0) return std::nullopt;
  for (; lowWord_ < kWords; ++lowWord_) {
    const std::uint64_t open = wanted_[lowWord_] & ~done_[lowWord_];
    if (open != 0) return static_cast<std::uint32_t>(lowWord_ * kWordBits + std::countr_zero(open));
  }
  return std::nullopt;  // unreachable while the counts are right
}

}  // namespace varnel
