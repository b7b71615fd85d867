#pragma once
// Exploration as the program runs it, at the tool's pace: the broadcast until
// the root answers, then one side probe per interval up to the limit, then a
// wait of one timeout for late answers.

#include <functional>

#include "cli/output/progress.h"
#include "cli/run/session.h"

namespace varnel::cli {

enum class ExploreEnd {
  Explored,  // every probe the limit allows was sent and answered or timed out
  Stopped,   // stopWhen held
  NoAnswer,  // the root never answered the broadcast
};

ExploreEnd Explore(Session& session, Progress& progress, const std::function<bool()>& stopWhen = {});

}  // namespace varnel::cli
