#include "eventlog/event_decoder.h"

#include <cmath>

#include "model/amplifier_alarm_names.h"
#include "wire/byte_utils.h"
#include "wire/str_utils.h"

namespace varnel {

namespace {

constexpr std::uint8_t kModemAddress = 0x04;
constexpr std::uint16_t kBoardOff = 0x0000;
constexpr std::uint16_t kBoardOn = 0x0001;
// Modem channel events: channel 1..3 in bits 14..15, the event in bits 0..13.
constexpr std::uint16_t kFirstChannelEvent = 0x4000;
constexpr std::uint16_t kLastChannelEvent = 0xCFFF;

std::string UnknownEvent(std::uint16_t code) { return "Неизвестное событие 0x" + HexText(code, 4); }

std::string ChannelEventText(std::uint16_t e) {
  switch (e) {
    case 0: return "Приёмник не активирован";
    case 1: return "Приёмник активирован";
    case 2: return "Транзитного сигнала нет";
    case 3: return "Транзитный сигнал есть";
    default: break;
  }
  if (e >= 8 && e <= 13) return "Коэффициент ошибок " + PowerText(2, 0.00128 / std::pow(4.0, e - 8));
  if (e >= 32 && e <= 49) return "Уровень вх. сигнала " + std::to_string((e - 32) * -3) + "дБ";
  if (e >= 128 && e <= 166) return "Скорость приёмника " + std::to_string(e - 128) + " кбит/с";
  return UnknownEvent(e);
}

DecodedEvent ModemEvent(std::uint16_t code) {
  if (code == kBoardOff) return {"-", "Плата выключена"};
  if (code == kBoardOn) return {"-", "Плата включена"};
  if (code < kFirstChannelEvent || code > kLastChannelEvent) return {"-", UnknownEvent(code)};
  const std::uint16_t e = code & 0x3FFF;
  return {"Канал " + std::to_string(code >> 14), ChannelEventText(e)};
}

DecodedEvent AmplifierEvent(std::uint16_t code) {
  std::string names;
  for (int bit = kFirstAmplifierAlarm; bit <= kLastAmplifierAlarm; ++bit) {
    if (!Bit16(code, bit)) continue;
    if (!names.empty()) names += ",";
    names += AmplifierAlarmName(bit);
  }
  return {"-", names.empty() ? "Нет аварий" : "Аварии: " + names};
}

}  // namespace

DecodedEvent DecodeEvent(std::uint8_t board, std::uint16_t code) {
  switch (board) {
    case kModemAddress: return ModemEvent(code);
    case 0x05:
    case 0x06:
    case 0x07:
      if (code == kBoardOff) return {"-", "Плата выключена"};
      if (code == kBoardOn) return {"-", "Плата включена"};
      break;
    case 0x0A:
    case 0x0C: return AmplifierEvent(code);
    default: break;
  }
  return {"-", UnknownEvent(code)};
}

}  // namespace varnel
