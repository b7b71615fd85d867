#include "app/block_settings_link.h"

namespace varnel {

BlockFrame BlockSettingsLink::BuildBlockFrame(RequestModeValue mode) {
  const int device = ctx_.request.currentDevice;
  if (!ctx_.registry.inUse(device)) return {};
  built_ = BuildBlockRequest(form_, ctx_.registry.device(device).idRoute, mode);
  if (!built_.error.empty() || built_.frame.empty()) return {{}, built_.error};
  ctx_.request.expectedCode = built_.expectedCode;
  if (form_.page == BlockPage::Attributes) ctx_.request.openDevice = device;
  return {built_.frame, {}};
}

}  // namespace varnel
