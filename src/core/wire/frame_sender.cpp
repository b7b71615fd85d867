#include "wire/frame_sender.h"

#include "wire/str_utils.h"

namespace varnel {

void FrameSender::SendDatagram(const Bytes& datagram) {
  if (sink_.isActive()) sink_.sendTo(datagram, link_.peerIp, kDevicePort);
  trace_.Trace(" >> " + BytesToHex(datagram), 1);
}

void FrameSender::SendFrame(Bytes frame) {
  frame.push_back(FrameChecksum(frame));
  SendDatagram(frame);
}

}  // namespace varnel
