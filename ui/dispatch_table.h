// The dispatch table: which command each control runs.
#pragma once

#include <cstdint>

namespace tarvik {

// Runs the command that the dispatch table binds to a control number; nothing for a number that
// has none.
void RunControlCommand(std::int32_t control);

}  // namespace tarvik
