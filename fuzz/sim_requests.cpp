// Requests from a hostile program to the emulator: the shipped demo network
// (roots, devices four levels deep, every board) answers whatever arrives.
// Every answer must be a well-formed answer frame.
//
// Input: records [control][length, 2 bytes little-endian][bytes]; control bit 0 appends the right
// checksum, bit 1 prefixes the request direction byte 0x00.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "byte_reader.h"

#include "sim/net/builder.h"
#include "sim/net/emulator.h"
#include "sim/wire/checksum.h"

using namespace varnel::sim;

namespace {

Emulator& Demo() {
  static Emulator* emulator = [] {
    NetworksBuilt built = NetworksFromFile(VARNEL_SIM_SCENARIO_DIR "/demo.ini", [] { return std::int64_t{1709806830}; });
    if (built.networks.empty()) std::abort();
    return new Emulator(std::move(built.networks.front()));
  }();
  return *emulator;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  Emulator& emulator = Demo();
  while (!in.empty()) {
    const std::uint8_t control = in.Byte();
    Bytes request;
    if (control & 0x02) request.push_back(0x00);
    const Bytes body = in.Take(in.Word());
    request.insert(request.end(), body.begin(), body.end());
    if (control & 0x01) request.push_back(FrameChecksum(request));
    const Outcome outcome = emulator.Handle(request);
    for (const Answer& answer : outcome.answers) {
      if (answer.frame.size() < 3 || answer.frame.front() != 0x80 || FrameChecksum(answer.frame) != 0) std::abort();
    }
  }
  return 0;
}
