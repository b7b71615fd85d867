#include "boards/termination/config_record.h"

#include <algorithm>

#include "boards/termination/config_bits.h"
#include "wire/ip_text.h"

namespace varnel {

namespace {

// Byte offsets within the record.
constexpr std::size_t kStream = 2;
constexpr std::size_t kContacts = 3;
constexpr std::size_t kService = 4;
constexpr std::size_t kRs = 5;
constexpr std::size_t kOptions = 6;
constexpr std::size_t kAnalog = 7;
constexpr std::size_t kModulesAt = 8;
constexpr std::size_t kModuleBytes = 4;
constexpr std::size_t kIpAt = 20, kMaskAt = 24, kGatewayAt = 28;

constexpr std::uint8_t kErased = 0xFF;
constexpr int kErasedServiceUnits = 2;  // an erased width byte means 200 bit/s
constexpr int kServiceStep = 100;
constexpr int kMinServiceWidth = 100, kMaxServiceWidth = 6400;
constexpr int kMaxRsRate = 11;  // rate bits above this read as 0
constexpr int kMaxRsParity = 2;
constexpr int kMaxBandSplit = 5;

// Bits of byte 6.
constexpr int kAnalogBit = 0, kCodecBit = 1, kEchoBit = 2, kBlockedBit = 5, kTwoVoicesBit = 6, kPoeOffBit = 7;
// Bits of bytes 3, 5 and 7 beside their numbered fields.
constexpr int kTransparentBit = 3, kCodeIndependentBit = 7, kLimiterBit = 7;

void DecodeOptions(const ConfigBytes& b, TerminationConfig& c) {
  c.analogMode = Flag(b[kOptions], kAnalogBit);
  c.codec8k = Flag(b[kOptions], kCodecBit);
  for (int m = 0; m < 3; ++m) c.echoCanceller[m] = Flag(b[kOptions], kEchoBit + m);
  c.ethernetBlocked = Flag(b[kOptions], kBlockedBit);
  c.twoVoiceChannels = Flag(b[kOptions], kTwoVoicesBit);
  c.poeEnabled = !Flag(b[kOptions], kPoeOffBit);
}

void DecodeEthernet(const ConfigBytes& b, TerminationConfig& c) {
  // Blocking Ethernet unticks transparent mode in the window, so it never reads as both.
  c.transparentEthernet = Flag(b[kContacts], kTransparentBit) && !c.ethernetBlocked;
  if (b[kIpAt] == kErased) {
    c.ethernetBlocked = false;
    c.ip = kDefaultConfigIp, c.mask = kDefaultConfigMask, c.gateway = kDefaultConfigGateway;
    return;
  }
  const ByteView all(b.data(), b.size());
  c.ip = IpToText(all.subspan(kIpAt, 4));
  c.mask = IpToText(all.subspan(kMaskAt, 4));
  c.gateway = IpToText(all.subspan(kGatewayAt, 4));
}

void DecodeFields(const ConfigBytes& b, TerminationConfig& c) {
  c.streamRate = b[kStream];
  c.stream = b[kStream] != 0;
  for (int ch = 0; ch < 3; ++ch) c.alarmChannels[ch] = Flag(b[kContacts], ch);
  const int units = b[kService] == kErased ? kErasedServiceUnits : b[kService];
  c.serviceWidth = std::clamp(units * kServiceStep, kMinServiceWidth, kMaxServiceWidth);
  c.rsCodeIndependent = Flag(b[kRs], kCodeIndependentBit);
  c.rsRate = Field(b[kRs], 0, 4) > kMaxRsRate ? 0 : Field(b[kRs], 0, 4);
  c.rsParity = Field(b[kRs], 4, 3) > kMaxRsParity ? 0 : Field(b[kRs], 4, 3);
  DecodeOptions(b, c);
  c.bandSplit = std::min(Field(b[kAnalog], 0, 3), kMaxBandSplit);
  c.limiter = Flag(b[kAnalog], kLimiterBit);
  DecodeEthernet(b, c);
}

void EncodeStream(const TerminationConfig& c, bool streamAsOne, std::uint8_t& b) {
  if (!c.stream) {
    b = 0;
  } else if (streamAsOne) {
    b = 1;
  } else {
    PutField(b, 0, 8, c.streamRate);
  }
}

void EncodeOptions(const TerminationConfig& c, std::uint8_t& b) {
  PutFlag(b, kAnalogBit, c.analogMode);
  PutFlag(b, kCodecBit, c.codec8k);
  for (int m = 0; m < 3; ++m) PutFlag(b, kEchoBit + m, c.echoCanceller[m]);
  PutFlag(b, kBlockedBit, c.ethernetBlocked);
  // Analog mode carries no voice subchannels.
  PutFlag(b, kTwoVoicesBit, c.twoVoiceChannels && !c.analogMode);
  PutFlag(b, kPoeOffBit, !c.poeEnabled);
}

void EncodeAddress(const std::string& text, std::uint8_t* at) {
  const IpBytes ip = IpFromText(text);
  std::copy(ip.begin(), ip.end(), at);
}

}  // namespace

std::optional<TerminationConfig> DecodeTerminationConfig(ByteView bytes,
                                                         const std::array<std::uint8_t, 3>& moduleTypes) {
  if (bytes.size() != kConfigBytes) return std::nullopt;
  TerminationConfig c;
  std::copy(bytes.begin(), bytes.end(), c.bytes.begin());
  DecodeFields(c.bytes, c);
  for (std::size_t m = 0; m < 3; ++m) {
    const ConstModuleBytes module(&c.bytes[kModulesAt + m * kModuleBytes], kModuleBytes);
    c.modules[m] = DecodeModule(module, moduleTypes[m]);
  }
  return c;
}

ConfigBytes EncodeTerminationConfig(const TerminationConfig& c, std::uint8_t ver1, std::uint8_t ver2) {
  ConfigBytes b = c.bytes;
  EncodeStream(c, FirmwareAtLeast(ver1, ver2, 2, 10), b[kStream]);
  for (int ch = 0; ch < 3; ++ch) PutFlag(b[kContacts], ch, c.alarmChannels[ch]);
  PutFlag(b[kContacts], kTransparentBit, c.transparentEthernet);
  const int width = std::clamp(c.serviceWidth, kMinServiceWidth, kMaxServiceWidth);
  b[kService] = static_cast<std::uint8_t>(width / kServiceStep);
  PutField(b[kRs], 0, 4, c.rsRate);
  PutField(b[kRs], 4, 3, c.rsParity);
  PutFlag(b[kRs], kCodeIndependentBit, c.rsCodeIndependent);
  EncodeOptions(c, b[kOptions]);
  PutField(b[kAnalog], 0, 3, c.bandSplit);
  PutFlag(b[kAnalog], kLimiterBit, c.limiter);
  for (std::size_t m = 0; m < 3; ++m) {
    EncodeModule(c.modules[m], ModuleBytes(&b[kModulesAt + m * kModuleBytes], kModuleBytes));
  }
  EncodeAddress(c.ip, &b[kIpAt]);
  EncodeAddress(c.mask, &b[kMaskAt]);
  EncodeAddress(c.gateway, &b[kGatewayAt]);
  return b;
}

}  // namespace varnel
