#include "netsettings/block_request.h"

#include <charconv>

#include "wire/cp1251.h"
#include "wire/frame.h"
#include "wire/ip_text.h"
#include "wire/str_utils.h"

namespace varnel {

namespace {

constexpr int kMaxVlan = 4095;
constexpr int kIdChoices = 14;

void Add(std::string& error, const char* word) { (error += word) += '\r'; }

void AppendIp(Bytes& out, std::string_view text) {
  const IpBytes ip = IpFromText(text);
  out.insert(out.end(), ip.begin(), ip.end());
}

// Digits only, whole text; blanks around are forgiven.
std::optional<int> VlanOf(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Text to Windows-1251; a character that has no byte there is refused
// rather than written as a question mark.
std::optional<std::string> WireText(std::string_view utf8) {
  std::string bytes = Utf8ToCp1251(utf8);
  if (Cp1251ToUtf8(bytes) != utf8) return std::nullopt;
  return bytes;
}

void Attributes(const BlockForm& form, RequestModeValue mode, BlockRequest& r, Bytes& payload) {
  r.expectedCode = kAttributesCode;
  if (mode != kWriteRequest) {
    r.clearName = true;
    return;
  }
  if (form.idIndex < 0 || form.idIndex >= kIdChoices) Add(r.error, "ID блока");
  payload.push_back(static_cast<std::uint8_t>(form.idIndex + 1));
  const std::optional<std::string> name = WireText(form.name);
  if (!name) Add(r.error, "Имя блока");
  if (name) payload.insert(payload.end(), name->begin(), name->end());
}

void Network(const BlockForm& form, RequestModeValue mode, BlockRequest& r, Bytes& payload) {
  r.expectedCode = kNetworkCommand;
  payload.push_back(kNetworkCommand);
  if (mode != kWriteRequest) {
    r.clearIp = true;
    return;
  }
  const Bytes mac = HexToBytes(form.mac);
  if (mac.size() != 2) Add(r.error, "МАС-адрес");
  payload.insert(payload.end(), mac.begin(), mac.end());

  const std::optional<int> vlan = VlanOf(form.vlan);
  if (!vlan || *vlan < 0 || *vlan > kMaxVlan) Add(r.error, "VLAN ID");
  const int v = vlan.value_or(0);
  payload.push_back(static_cast<std::uint8_t>(v & 0xFF));
  payload.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));

  AppendIp(payload, form.ip);
  if (!IsValidIp(form.ip)) Add(r.error, "IP адрес");
  AppendIp(payload, form.mask);
  AppendIp(payload, form.gateway);

  if (!form.snmpShown) return;
  std::string snmpIp = form.snmpIp;
  if (!form.snmpOn) {
    snmpIp = "0.0.0.0";
    r.snmpIpText = snmpIp;
  }
  AppendIp(payload, snmpIp);
  const std::optional<std::string> community = WireText(form.community);
  if (!community || community->size() > kCommunityBytes) Add(r.error, "SNMP community");
  if (community) payload.insert(payload.end(), community->begin(), community->end());
}

}  // namespace

BlockRequest BuildBlockRequest(const BlockForm& form, const Route& idRoute, RequestModeValue mode) {
  BlockRequest r;
  Bytes payload;
  switch (form.page) {
    case BlockPage::Attributes: Attributes(form, mode, r, payload); break;
    case BlockPage::Network: Network(form, mode, r, payload); break;
    case BlockPage::Other: break;
  }
  if (!r.error.empty()) return r;
  r.frame = OpenBlockRequest(idRoute);
  r.frame.insert(r.frame.end(), payload.begin(), payload.end());
  return r;
}

}  // namespace varnel
