#include "boards/termination/subchannel_view.h"

#include <algorithm>

#include "boards/termination/half_even.h"
#include "wire/str_utils.h"

namespace varnel {

namespace {

// RGB in the comments.
constexpr std::uint32_t kServiceGreen = 0x66CC66;   // #66CC66
constexpr std::uint32_t kRed = 0x0000FF;            // #FF0000
constexpr std::uint32_t kTelemechanics = 0xAEFFFF;  // #FFFFAE
constexpr std::uint32_t kVoice1 = 0xC0DCC0;         // #C0DCC0
constexpr std::uint32_t kVoice2 = 0xE0FCE0;         // #E0FCE0
constexpr std::uint32_t kData = 0xF0CAA6;           // #A6CAF0
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kMaroon = 0x000080;         // #800000

constexpr int kMinBarWidth = 32;
constexpr int kLabelInset = 4;
// A budget above this is drawn as this plus a twentieth of it, so fast lines fit.
constexpr std::int32_t kCompressFrom = 15000;

// What differs between the two rows.
struct RowInput {
  std::int32_t budget;  // data budget
  std::int32_t data;    // data rate, may be negative
  bool serviceWorking;
  std::uint32_t dataOutline;
};

std::string KbitText(std::int32_t rate) { return FixedText(1, rate / 1000.0); }

int RightEdge(const SubchannelBar& b) { return b.left + b.width - 1; }

SubchannelBar Bar(int left, std::int32_t rate, std::uint32_t fill, bool visible = true) {
  return {left, RateBarWidth(rate), fill, kBlack, visible};
}

SubchannelLabel LabelOn(const SubchannelBar& b, std::string text) {
  return {std::move(text), b.left + kLabelInset, b.visible};
}

std::string VoiceText(std::int32_t codec, int module) {
  return KbitText(codec) + "[мод." + std::to_string(module) + "]";
}

int DataLabelLeft(const SubchannelState& s, const SubchannelRow& r) {
  if (s.voice1() && s.voice2()) return r.voice2.left + r.voice2.width + 8;
  if (s.voice1()) return r.voice2.left + 16;
  return r.data.left + 8;
}

SubchannelRow ComputeRow(const SubchannelState& s, const RowInput& in, int origin) {
  SubchannelRow r;
  r.service = Bar(origin, s.service, in.serviceWorking ? kServiceGreen : kRed);
  r.serviceLabel = LabelOn(r.service, KbitText(s.service));

  r.telemechanics = Bar(RightEdge(r.service), s.telemechanics, kTelemechanics);
  r.telemechanicsLabel = LabelOn(r.telemechanics, s.telemechanics > 0 ? KbitText(s.telemechanics) : "");

  const bool short1 = s.voice1() && in.budget < s.codec;
  r.voice1 = Bar(RightEdge(r.telemechanics), s.codec, short1 ? kRed : kVoice1, s.voice1());
  r.voice1Label = LabelOn(r.voice1, VoiceText(s.codec, s.voice1Module));
  // Chained to voice 1's place even when voice 1 is hidden; red when two
  // codecs do not fit, however many channels run.
  const bool short2 = s.voice2() && 2 * s.codec > in.budget;
  r.voice2 = Bar(RightEdge(r.voice1), s.codec, short2 ? kRed : kVoice2, s.voice2());
  r.voice2Label = LabelOn(r.voice2, VoiceText(s.codec, s.voice2Module));

  // The outline is decided on the rate as received, before it is raised to 0.
  const std::int32_t data = std::max(in.data, 0);
  const std::int32_t drawn = in.budget > kCompressFrom ? kCompressFrom + in.budget / 20 : in.budget;
  r.data = Bar(RightEdge(r.telemechanics), drawn, kData);
  r.data.outline = in.dataOutline;
  r.dataLabel = {data == 0 ? "" : KbitText(data), DataLabelLeft(s, r), true};
  return r;
}

}  // namespace

int RateBarWidth(std::int32_t rate) {
  if (rate < 0) return 1;
  return std::max(kMinBarWidth, static_cast<int>(RoundHalfEven(std::int64_t{rate} * 16, 1000)));
}

SubchannelView ComputeSubchannelView(const SubchannelState& s, int origin) {
  SubchannelView v;
  v.lineTx = "Передача: " + KbitText(s.lineTx) + " кбит/с";
  v.lineRx = "Приём:    " + KbitText(s.lineRx) + " кбит/с";
  v.tx = ComputeRow(s, {s.dataTxBudget, s.dataTx, s.serviceTxWorking, s.dataTx > 0 ? kBlack : kMaroon}, origin);
  v.rx = ComputeRow(s, {s.dataRxBudget, s.dataRx, s.serviceRxWorking, s.dataRxWorking ? kBlack : kRed}, origin);
  return v;
}

}  // namespace varnel
