// Datagrams as the program's port hands them over: the sender filter, the
// receive queue, the checksum, route matching, the dispatcher, discovery and
// every board parser, with a few known devices and a selection taken from
// the input. The flash session may be reading, so its answers are checked too.
//
// Input: 4 selection bytes (device, slot with bit 7 starting a flash read,
// expected code, request mode and channel), then records [control][length][bytes]:
//   control bits 0..1  sender: the peer, the peer from another port, a
//                      foreign address, the peer again
//   control bit 2      append the right checksum (so routing is reached often)
//   control bit 3      drain the queue after this datagram

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "byte_reader.h"

#include "app/program.h"

namespace {

using namespace varnel;

struct NoSink final : DatagramSink {
  bool isActive() const override { return true; }
  void sendTo(const Bytes&, std::string_view, std::uint16_t) override {}
};
struct NoDiscoveryEvents final : DiscoveryEvents {
  void DeviceAdded(int) override {}
  void DeviceNameKnown(int) override {}
  void BlockOpened(int) override {}
};
struct NoFlashWindow final : FlashWindow {
  void RestartTimer(int) override {}
  void StopTimer() override {}
  void CloseWindow() override {}
  void ClearMemo() override {}
  void AppendMemo(std::string_view) override {}
};

constexpr const char* kPeer = "127.0.0.1";

int Known(Program& p, Route send, Route id, std::uint8_t deviceId, int master, int port, int up) {
  const int n = p.link.registry.AllocDevice();
  TStructDev& d = p.link.registry.device(n);
  d.sendRoute = send;
  d.idRoute = id;
  d.id = deviceId;
  d.name = "Блок " + std::to_string(deviceId);
  d.rootNumber = static_cast<std::uint16_t>(master);
  d.rootPort = static_cast<std::uint8_t>(port);
  d.upConn = static_cast<std::uint8_t>(up);
  return n;
}

// One Program per process: building one per input (its flash image alone is
// a megabyte) cost nearly all the time. Each input starts from the state
// Restore() leaves, whatever the input before did.
struct Harness {
  ManualClock clock;
  NoSink sink;
  NoDiscoveryEvents events;
  NoFlashWindow window;
  Program program{clock, sink, events};
  bool flashShown = false;

  Harness() {
    program.link.trace.setDebug(true);
    clock.local = LocalDateTime{2024, 3, 7, 10, 20, 30};
    clock.unix = 1709806830;
    program.link.trace.RefreshClock();
  }

  void Restore() {
    // As switching the root does, but clearing only the devices in use: the
    // receive path writes to no other record (a freed one is cleared at once),
    // and clearing all 128 cost more than the rest of the input.
    program.link.settings.peerIp = kPeer;
    program.link.queue.clear();
    for (int n = 1; n <= kMaxDevices; ++n) {
      if (program.link.registry.inUse(n)) program.link.registry.FreeDevice(n);
    }
    program.exploration.Reset();
    RequestState& request = program.link.request;
    request = RequestState{};
    // Without its window the flash session takes no answer, so only an input
    // that showed it leaves something to undo (the reset clears 256 KiB).
    if (flashShown) {
      program.flash.Close();
      program.flash.Reset();
      flashShown = false;
    }
    program.modemFirmware.Close();
    // Answers never open the event log; only a request does.
    if (program.eventLog.state() != kLogClosed) std::abort();

    // A root, a device behind its channel 2, one behind that device's channel 1
    // and one sharing the second device's Ethernet segment.
    const int root = Known(program, Route{1}, Route{1}, 1, 0, 0, 0);
    const int behind = Known(program, Route{1, 2}, Route{1, 2, 0, 5}, 5, root, 2, 1);
    Known(program, Route{1, 2, 1}, Route{1, 2, 1, 0, 7}, 7, behind, 1, 3);
    Known(program, Route{1, 2, 0, 9}, Route{1, 2, 0, 9}, 9, behind, 0, 0);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Harness* harness = new Harness;
  harness->Restore();
  Program& program = harness->program;
  ByteReader in(data, size);

  RequestState& request = program.link.request;
  request.currentDevice = in.Byte() % 6;
  const std::uint8_t slotByte = in.Byte();
  request.selectedSlot = slotByte % 11;
  request.expectedCode = in.Byte();
  const std::uint8_t modeByte = in.Byte();
  request.requestMode = static_cast<std::uint8_t>(modeByte % 3);
  request.currentChannel = (modeByte >> 2) % 4;

  if (slotByte & 0x80) {
    FlashSession& flash = program.flash;
    flash.setBlockSize(16);
    flash.Want(0xE0000, 64);
    flash.setMode(FlashMode::Read);
    flash.setSendingOn(true);
    flash.Show(harness->window);
    harness->flashShown = true;
    flash.Tick();
  }

  while (!in.empty()) {
    const std::uint8_t control = in.Byte();
    Bytes datagram = in.Take(in.Byte());
    if (control & 0x04) datagram.push_back(FrameChecksum(datagram));
    switch (control & 0x03) {
      case 1: program.link.Receive(datagram.data(), datagram.size(), kPeer, 12347); break;
      case 2: program.link.Receive(datagram.data(), datagram.size(), "10.0.0.9", kDevicePort); break;
      default: program.link.Receive(datagram.data(), datagram.size(), kPeer, kDevicePort); break;
    }
    if (control & 0x08) {
      program.link.Drain();
      if (slotByte & 0x80) program.flash.Tick();
    }
  }
  program.link.Drain();
  return 0;
}
