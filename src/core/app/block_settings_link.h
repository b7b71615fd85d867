#pragma once
// Where the block pages meet the request hub: the page's controls become the
// block-level frame for the current device, and the state the answer is
// awaited with. An attributes request marks the device as the one being
// opened, so that its identity answer fills the page again.

#include "boards/request_hub.h"
#include "model/request_context.h"
#include "netsettings/block_request.h"

namespace varnel {

class BlockSettingsLink final : public BlockRequestBuilder {
 public:
  BlockSettingsLink(RequestContext& ctx, BlockForm form) : ctx_(ctx), form_(std::move(form)) {}

  BlockFrame BuildBlockFrame(RequestModeValue mode) override;

  // What the page's controls become; meaningful after a build.
  const BlockRequest& built() const { return built_; }

 private:
  RequestContext& ctx_;
  BlockForm form_;
  BlockRequest built_;
};

}  // namespace varnel
