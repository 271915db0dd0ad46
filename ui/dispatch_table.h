// The dispatch table: which command each control runs.
#pragma once

#include "ui/control_numbers.h"

namespace tarvik {

// Runs the command that the dispatch table binds to a control number; nothing for a number that
// has none.
void RunControlCommand(ControlNumber control);

}  // namespace tarvik
