#include "transport/send_path.h"

#include "transport/str_utils.h"

namespace varnel {

SendPath::SendPath(DatagramSink& sink, TraceLog& trace, DeviceRegistry& registry,
                   const LinkSettings& link)
    : sink_(sink), trace_(trace), registry_(registry), link_(link) {}

void SendPath::SendDatagram(const Bytes& datagram) {
  if (sink_.isActive()) sink_.sendTo(datagram, link_.peerIp, kDevicePort);
  trace_.Trace(" >> " + BytesToHex(datagram), 1);
}

void SendPath::SendFrame(Bytes frame) {
  frame.push_back(FrameChecksum(frame));
  SendDatagram(frame);
}

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
