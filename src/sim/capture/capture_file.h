#pragma once
// The emulator's traffic written to a pcap file as it happens, for packet
// analysers: requests from the program's address to the block's, answers back.
// Every server thread may add to it; each record is flushed at once, so the
// file stays readable whenever the emulator is stopped.

#include <cstdio>
#include <mutex>

#include "sim/udp/traffic_record.h"

namespace varnel::sim {

class CaptureFile {
 public:
  CaptureFile() = default;
  ~CaptureFile();
  CaptureFile(const CaptureFile&) = delete;
  CaptureFile& operator=(const CaptureFile&) = delete;

  // Creates or truncates the file and writes its header; empty on success.
  std::string Open(const std::string& path);
  // One datagram a server on `local` received or sent; false when it could not
  // be written (no file, an address that is not IPv4, a write error).
  bool Add(const TrafficEntry& entry, const Peer& local);

 private:
  std::mutex mutex_;
  std::FILE* file_ = nullptr;
};

}  // namespace varnel::sim
