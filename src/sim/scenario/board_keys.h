#pragma once
// Scenario keys for the boards of one kind on a device: PREFIX_slots names the
// fitted ones, PREFIX_NAME sets NAME on all of them and PREFIXn_NAME on the board
// in slot n alone, which wins.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sim/scenario/section_reader.h"

namespace varnel::sim {

class BoardKeyFamily {
 public:
  BoardKeyFamily(std::string prefix, std::vector<unsigned> slots,
                 const std::vector<std::string_view>& names);
  BoardKeyFamily(const BoardKeyFamily&) = delete;  // keys() points into it
  BoardKeyFamily& operator=(const BoardKeyFamily&) = delete;

  // Every key of the family, for SectionReader::OnlyKeys.
  const std::vector<std::string_view>& Keys() const { return keys_; }

  // Fitted or not, per slot in constructor order; nothing when PREFIX_slots is left out.
  std::optional<std::vector<bool>> Fitted(SectionReader& section) const;

  // Calls read(board index, value) for every board whose NAME is given; a false
  // result fails the section with "KEY=value: " and the expectation.
  using ReadValue = std::function<bool(std::size_t, std::string_view)>;
  void Each(SectionReader& section, std::string_view name, std::string_view expectation,
            const ReadValue& read) const;

 private:
  std::string prefix_;
  std::vector<unsigned> slots_;
  std::vector<std::string> key_texts_;
  std::vector<std::string_view> keys_;
};

}  // namespace varnel::sim
