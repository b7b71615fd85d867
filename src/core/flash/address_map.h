#pragma once
// Which flash addresses a job wants and which the board has confirmed, one
// bit each over the 1 MiB address space. Counts are kept up to date as bits
// are set, and the lowest pending address is searched from a remembered
// lower bound, so a session's tick costs next to nothing on a 1 MiB job.

#include <cstdint>
#include <optional>
#include <vector>

namespace varnel {

constexpr std::uint32_t kFlashSize = 0x100000;  // addresses 0x00000..0xFFFFF

class AddressMap {
 public:
  AddressMap();

  void Clear();
  // Ranges are clipped to the flash; addresses already set count once.
  void Want(std::uint32_t first, std::uint32_t count);
  void MarkDone(std::uint32_t first, std::uint32_t count);

  std::uint32_t total() const { return total_; }        // wanted
  std::uint32_t done() const { return doneWanted_; }    // wanted and done
  std::uint32_t pending() const { return total_ - doneWanted_; }
  bool wanted(std::uint32_t address) const;
  bool isDone(std::uint32_t address) const;

  // The lowest wanted address not done; nothing when none is pending.
  std::optional<std::uint32_t> LowestPending();

 private:
  template <typename F>
  static void ForEachWord(std::uint32_t first, std::uint32_t count, F&& f);

  std::vector<std::uint64_t> wanted_, done_;
  std::uint32_t total_ = 0;
  std::uint32_t doneWanted_ = 0;
  // No word below this one holds a pending address.
  std::size_t lowWord_ = 0;
};

}  // namespace varnel
