#include "app/link.h"

#include "model/board_table.h"

namespace varnel {

std::string Link::TrafficPanelText() const {
  const int slot = request.selectedSlot;
  if (slot < 1 || slot > kBoardSlots) return {};
  std::uint32_t requests = 0, answers = 0;
  if (registry.inUse(request.currentDevice)) {
    const TBRDS& b = registry.device(request.currentDevice).board(slot);
    requests = b.Requests;
    answers = b.Answers;
  }
  return std::string(BoardRow(slot).shortLabel) + " Запросов:" + std::to_string(requests) +
         " Ответов:" + std::to_string(answers);
}

}  // namespace varnel
