#include "boards/modem/modem_requests.h"

#include "boards/modem/modem_clock.h"
#include "boards/modem/modem_dump.h"

namespace varnel {

namespace {

BoardRequests DumpRequests(const ModemForm& form) {
  BoardRequests r;
  const auto dump = ComposeDumpRequest(form.dumpAddress, form.dumpLength);
  if (!dump) {
    r.rangeError = "Адрес / длина";
    return r;
  }
  r.requests.push_back(dump->request);
  r.expectedCode = 0x00;
  r.dumpLengthText = dump->lengthText;
  return r;
}

BoardRequests ConfigRequests(const TStructDev& dev, int device, const ModemForm& form, RequestModeValue mode) {
  BoardRequests r;
  if (mode == kWriteRequest) {
    r.refusal = UnreadConfigMessage(form.editors, device);
    if (!r.refusal.empty()) return r;
    ConfigWrite w = EncodeModemConfig(form.editors, dev.board(kModemSlot).Ver1);
    if (!w.rangeError.empty()) {
      r.rangeError = w.rangeError;
      return r;
    }
    r.requests.assign(w.requests.begin(), w.requests.end());
  } else {
    r.requests = {{0x10}, {0x11}, {0x12}, {0x13}};
  }
  r.expectedCode = 0x13;
  r.clearConfigFlags = true;
  r.redrawModemView = true;
  return r;
}

// States of the shown channels, then the configuration of those whose
// configuration is not known yet (it tells the channel's mode).
BoardRequests ChannelReadRequests(const TStructDev& dev, const ModemForm& form) {
  BoardRequests r;
  for (int c = 1; c <= 3; ++c) {
    if (form.shownChannels[c - 1]) r.requests.push_back({static_cast<std::uint8_t>(0x14 + c)});
  }
  for (int c = 1; c <= 3; ++c) {
    if (form.shownChannels[c - 1] && !dev.modemChannel(c).CfgValid)
      r.requests.push_back({static_cast<std::uint8_t>(0x10 + c)});
  }
  r.expectedCode = 0x15;
  r.resetReceiverStates = true;
  r.redrawModemView = true;
  return r;
}

// Error count resets (14 1..3) and the KO data loop (14 4..7).
BoardRequests ChannelWriteRequests(RequestSender sender) {
  BoardRequests r;
  r.expectedCode = 0x14;
  switch (sender) {
    case RequestSender::ButCRCall: r.requests = {{0x14, 0x01}, {0x14, 0x02}, {0x14, 0x03}}; break;
    case RequestSender::ButCRC1: r.requests = {{0x14, 0x01}}; break;
    case RequestSender::ButCRC2: r.requests = {{0x14, 0x02}}; break;
    case RequestSender::ButCRC3: r.requests = {{0x14, 0x03}}; break;
    case RequestSender::MenuDFset1: r.requests = {{0x14, 0x05}}; break;
    case RequestSender::MenuDFset2: r.requests = {{0x14, 0x06}}; break;
    case RequestSender::MenuDFset3: r.requests = {{0x14, 0x07}}; break;
    default: r.requests = {{0x14, 0x04}}; break;  // "Сбросить", ButCRC
  }
  return r;
}

}  // namespace

BoardRequests BuildLogClockRequests(RequestSender sender, int clockCorrection, std::int64_t nowLocal,
                                    LogRequestSource* log) {
  BoardRequests r;
  if (log) {
    if (auto request = log->LogRequest(sender)) {
      r.requests.push_back(std::move(*request));
      r.expectedCode = 0x09;
      r.redrawModemView = true;
      return r;
    }
  }
  switch (sender) {
    case RequestSender::ButRD:
    case RequestSender::ButTimeRefrVK:
      r.requests.push_back({0x08});
      break;
    case RequestSender::ButTimeSpeedVK:
      if (const auto b = CorrectionByte(clockCorrection)) {
        r.requests.push_back({0x08, *b});
      } else {
        r.rangeError = "Коррекция хода";
        return r;
      }
      break;
    case RequestSender::ButTimeSyncVK: {
      const std::uint32_t t = ClockStamp(nowLocal);
      r.requests.push_back({0x08, static_cast<std::uint8_t>(t), static_cast<std::uint8_t>(t >> 8),
                            static_cast<std::uint8_t>(t >> 16), static_cast<std::uint8_t>(t >> 24)});
      break;
    }
    default:
      return r;  // a log control without the log reader: nothing to compose
  }
  r.expectedCode = 0x08;
  return r;
}

BoardRequests BuildModemRequests(const TStructDev& dev, int device, const ModemForm& form, RequestSender sender,
                                 RequestModeValue mode, std::int64_t nowLocal, LogRequestSource* log) {
  switch (form.page) {
    case ModemPage::Dump: return DumpRequests(form);
    case ModemPage::Config: return ConfigRequests(dev, device, form, mode);
    case ModemPage::Channels:
      return mode == kWriteRequest ? ChannelWriteRequests(sender) : ChannelReadRequests(dev, form);
    case ModemPage::Log: return BuildLogClockRequests(sender, form.clockCorrection, nowLocal, log);
    case ModemPage::Firmware: break;
  }
  BoardRequests r;
  r.requests.push_back({0x01});
  r.expectedCode = 0x01;
  return r;
}

}  // namespace varnel
