#include "sim/capture/capture_file.h"

#include <cerrno>
#include <cstring>

#include "sim/capture/pcap_file.h"

namespace varnel::sim {

namespace {

bool WriteAll(std::FILE* file, const Bytes& bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
}

}  // namespace

CaptureFile::~CaptureFile() {
  if (file_ != nullptr) std::fclose(file_);
}

std::string CaptureFile::Open(const std::string& path) {
  std::lock_guard lock(mutex_);
  if (file_ != nullptr) std::fclose(file_);
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) return "cannot write capture file " + path + ": " + std::strerror(errno);
  if (!WriteAll(file_, PcapFileHeader())) return "cannot write capture file " + path;
  return {};
}

bool CaptureFile::Add(const TrafficEntry& entry, const Peer& local) {
  const bool received = entry.direction == Direction::Received;
  const std::optional<Bytes> packet =
      received ? Ipv4UdpPacket(entry.peer, local, entry.bytes) : Ipv4UdpPacket(local, entry.peer, entry.bytes);
  if (!packet) return false;
  const Bytes record = PcapRecord(std::chrono::system_clock::now(), *packet);
  std::lock_guard lock(mutex_);
  return file_ != nullptr && WriteAll(file_, record);
}

}  // namespace varnel::sim
