#pragma once
// The controls that start a board request. Which one it was decides read
// or write and, on some pages, which requests are composed.

#include <cstdint>

#include "model/request_state.h"

namespace varnel {

enum class RequestSender {
  ButRD,           // "Чтение"; also the automatic read and ButVerVK
  ButWR,           // write
  ButVKLog,        // "Открыть журнал"
  ButVKLogRD,      // log batch "Чтение"
  ButVKLogCLR,     // "Очистить"
  ButTimeRefrVK,   // read the clock
  ButTimeSpeedVK,  // write the clock rate correction
  ButTimeSyncVK,   // set the clock from the PC
  ButCRC1,         // per-channel error count reset
  ButCRC2,
  ButCRC3,
  ButCRCall,       // reset all three error counts
  ButCRC,          // hidden template of the reset buttons
  MenuDFreset,     // PopupMenuDF "Сбросить"
  MenuDFset1,      // PopupMenuDF "Установить для КО 1"
  MenuDFset2,
  MenuDFset3,
};

// Reads need no confirmation; everything else is a write.
constexpr RequestModeValue ModeOfSender(RequestSender s) {
  switch (s) {
    case RequestSender::ButRD:
    case RequestSender::ButVKLog:
    case RequestSender::ButVKLogRD:
    case RequestSender::ButTimeRefrVK:
      return kReadRequest;
    default:
      return kWriteRequest;
  }
}

}  // namespace varnel
