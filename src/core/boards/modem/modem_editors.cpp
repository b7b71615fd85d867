#include "boards/modem/modem_editors.h"

#include <optional>

#include "boards/modem/modem_encoding.h"
#include "model/modem_config.h"

namespace varnel {

namespace {

// Thrown inside the encoder only: the first field that does not fit ends it.
struct FieldOutOfRange {
  std::string field;
};

void Require(bool ok, const std::string& field) {
  if (!ok) throw FieldOutOfRange{field};
}

void Put(Bytes& out, std::optional<std::uint8_t> b, const std::string& field) {
  Require(b.has_value(), field);
  out.push_back(*b);
}

bool InRange(int value, int max) { return value >= 0 && value <= max; }

// Frequencies are ten bits; more would run into the ignored and enable bits.
void PutFrequency(Bytes& out, int kHz, bool enabled, const std::string& field) {
  Require(InRange(kHz, 1023), field);
  out.push_back(static_cast<std::uint8_t>(kHz & 0xFF));
  out.push_back(static_cast<std::uint8_t>((kHz >> 8) | (enabled ? 0x80 : 0)));
}

Bytes EncodeCommon(const ModemEditorValues& e, std::uint8_t ver1) {
  Bytes r{0x10};
  Put(r, TxLevelToByte(e.txLevelDb), "Уровень ЦАП передатчика, дБ");
  Put(r, RxLevelToByte(e.rxLevelDb), "Уровень АЦП приёмника, дБ");
  Put(r, AgcToByte(e.agcDb), "Чувствительность АРУ, дБ");
  if (ver1 >= kAggregationVersion) {
    Require(InRange(e.aggrIndex, 3), "Объединение в цифровом режиме");
    r.push_back(static_cast<std::uint8_t>(e.aggrIndex));
  }
  return r;
}

Bytes EncodeChannel(const ModemChannelEditors& e, int c, std::uint8_t ver1) {
  const std::string ch = "Канал " + std::to_string(c) + ": ";
  Bytes r{static_cast<std::uint8_t>(0x10 + c)};
  PutFrequency(r, e.txFreqKHz, e.enabled, ch + "средняя частота полосы передатчика, кГц");
  PutFrequency(r, e.rxFreqKHz, false, ch + "средняя частота полосы приёмника, кГц");
  Require(InRange(e.modeIndex, 3), ch + "режим");
  // Five bits of margin; more would spill into the EOC and mode bits.
  Require(InRange(e.noiseMargin, 31), ch + "запас по шуму, дБ");
  r.push_back(static_cast<std::uint8_t>(e.modeIndex * 64 + (e.eocMonitor ? 0x20 : 0) + (31 - e.noiseMargin)));
  Put(r, RateToByte(e.rxRateMin, ver1), ch + "мин. скорость приёмника, кбит/с");
  if (ver1 >= kMaxRateVersion) Put(r, RateToByte(e.rxRateMax, ver1), ch + "макс. скорость приёмника, кбит/с");
  return r;
}

}  // namespace

ConfigWrite EncodeModemConfig(const ModemEditorValues& e, std::uint8_t ver1) {
  ConfigWrite w;
  try {
    w.requests[0] = EncodeCommon(e, ver1);
    for (int c = 1; c <= 3; ++c) w.requests[static_cast<std::size_t>(c)] = EncodeChannel(e.channels[c - 1], c, ver1);
  } catch (const FieldOutOfRange& x) {
    return ConfigWrite{{}, x.field};
  }
  return w;
}

std::string UnreadConfigMessage(const ModemEditorValues& e, int device) {
  std::string missing;
  auto add = [&missing](const std::string& what) { missing += (missing.empty() ? "" : ", ") + what; };
  if (e.loadedFrom != device) add("общие параметры");
  for (int c = 1; c <= 3; ++c) {
    if (e.channels[c - 1].loadedFrom != device) add("канал " + std::to_string(c));
  }
  if (missing.empty()) return {};
  return "Конфигурация платы не прочитана: " + missing + ".\rСначала выполните чтение.";
}

}  // namespace varnel
