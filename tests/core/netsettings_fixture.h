#pragma once
// The network page as the operator fills it in the examples of the tests:
// MAC tail 12AB, VLAN 5, 10.0.0.2/24 behind 10.0.0.1, SNMP group hidden.

#include "netsettings/block_request.h"

namespace varnel::testing {

inline BlockForm ExampleNetworkForm() {
  BlockForm f;
  f.page = BlockPage::Network;
  f.mac = "12AB";
  f.vlan = "5";
  f.ip = "10.0.0.2";
  f.mask = "255.255.255.0";
  f.gateway = "10.0.0.1";
  return f;
}

}  // namespace varnel::testing
