#pragma once
// The list of root block addresses behind the peer button: up to 16 entries
// with the names their blocks reported, newest first.

#include <array>
#include <string>
#include <string_view>

namespace varnel {

inline constexpr int kAddressEntries = 16;
inline constexpr std::size_t kAddressChars = 15;
using AddressTexts = std::array<std::string, kAddressEntries>;

struct AddressList {
  int& count;  // entries 1..count are in use
  AddressTexts& ips;
  AddressTexts& names;
};

struct AddressMenuItem {
  bool visible = false;
  bool checked = false;  // the address datagrams go to now
  std::string caption;   // the address padded to 20 characters, then its name
};

inline constexpr const char* kNewAddressCaption = "Новый IP-адрес...";
inline constexpr const char* kAddressDialogTitle = "Ввод IP-адреса";
inline constexpr const char* kAddressDialogPrompt = "Введите IP-адрес блока";
inline constexpr const char* kAddressInvalid = "Адрес введен неверно";

// Menu items 1..16; item 0 is always kNewAddressCaption.
std::array<AddressMenuItem, kAddressEntries> AddressMenuItems(const AddressList& list, std::string_view peer);

// A valid address goes first in its plain dotted form (no name yet); the 16th
// entry falls off a full list. Duplicates are kept. False, and nothing
// changed, for an invalid address.
bool AddAddressFirst(const AddressList& list, std::string_view text);

}  // namespace varnel
