#pragma once
// Where the dispatcher hands decoded answers: discovery, the network settings
// view and the board parsers. The base class handles nothing, so the link can
// run before every board has its parser.

#include <cstdint>

#include "model/device_record.h"
#include "wire/byte_utils.h"

namespace varnel {

class AnswerHandlers {
 public:
  virtual ~AnswerHandlers() = default;
  // Identity answer (first body byte 0..3); device is 0 when the ID Route is new.
  virtual void IdentityAnswer(std::uint8_t id, const Route& idRoute, int device, ByteView body) {
    (void)id, (void)idRoute, (void)device, (void)body;
  }
  // Acknowledged 0x11 carrying a block's attributes and network settings.
  virtual void NetworkSettingsAnswer(int device, ByteView body) { (void)device, (void)body; }
  // Board parsers return false when the answer could not be decoded.
  virtual bool ModemAnswer(int device, TStructDev& dev, std::uint8_t command, ByteView body, int slot) {
    (void)device, (void)dev, (void)command, (void)body, (void)slot;
    return true;
  }
  virtual bool TerminationAnswer(int device, TStructDev& dev, ByteView body, int slot) {
    (void)device, (void)dev, (void)body, (void)slot;
    return true;
  }
  virtual bool AmplifierAnswer(int device, TStructDev& dev, ByteView body, int slot) {
    (void)device, (void)dev, (void)body, (void)slot;
    return true;
  }
};

}  // namespace varnel
