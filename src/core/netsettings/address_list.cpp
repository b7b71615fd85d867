#include "netsettings/address_list.h"

#include <algorithm>

#include "wire/cp1251.h"
#include "wire/ip_text.h"

namespace varnel {

std::array<AddressMenuItem, kAddressEntries> AddressMenuItems(const AddressList& list, std::string_view peer) {
  std::array<AddressMenuItem, kAddressEntries> items{};
  for (int n = 1; n <= kAddressEntries; ++n) {
    const auto i = static_cast<std::size_t>(n - 1);
    AddressMenuItem& item = items[i];
    item.visible = n <= list.count;
    item.checked = list.ips[i] == peer;
    item.caption = PadText(list.ips[i], 20, " ", PadSide::Behind) + list.names[i];
  }
  return items;
}

bool AddAddressFirst(const AddressList& list, std::string_view text) {
  if (!IsValidIp(text)) return false;
  list.count = std::clamp(list.count + 1, 1, kAddressEntries);
  std::move_backward(list.ips.begin(), list.ips.end() - 1, list.ips.end());
  std::move_backward(list.names.begin(), list.names.end() - 1, list.names.end());
  // Datagrams go to this text and answers are matched against it, so it is
  // kept in the form the socket reports (no leading zeros, no trailing dot).
  const IpBytes ip = IpFromText(text);
  list.ips[0] = Utf8Left(IpToText(ip), kAddressChars);
  list.names[0].clear();
  return true;
}

}  // namespace varnel
