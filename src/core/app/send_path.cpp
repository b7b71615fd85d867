#include "app/send_path.h"

#include "model/board_table.h"

namespace varnel {

Bytes BoardCommandFrame(const Route& sendRoute, int slot, const Bytes& payload) {
  Route address = sendRoute;
  address.truncate(64);
  address.push_back(BoardRow(slot).address);
  Bytes frame{kRequestDirection};
  AppendPackedNibbles(address, frame);
  frame.insert(frame.end(), payload.begin(), payload.end());
  return frame;
}

void SendPath::SendBoardCommand(int device, int slot, const Bytes& payload) {
  if (slot < 1 || slot > kBoardSlots || !registry_.inUse(device)) return;
  TStructDev& dev = registry_.device(device);
  SendFrame(BoardCommandFrame(dev.sendRoute, slot, payload));
  Inc32(dev.board(slot).Requests);
}

}  // namespace varnel
