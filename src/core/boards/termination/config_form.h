#pragma once
// Between the configuration record and the window's settings: the record
// keeps its fields and the bytes as read, the window its list indices.

#include "boards/termination/config_record.h"
#include "boards/termination/config_window_rules.h"

namespace varnel {

TerminationConfigForm FormFromConfig(const TerminationConfig& config);
// The window's settings over a record read before; fields the window does
// not show stay as read.
void ApplyForm(const TerminationConfigForm& form, TerminationConfig& config);

}  // namespace varnel
