// The tool's one kind of modal message: a title, a text and an OK button, with the calling
// thread's other top-level windows disabled while it is up.
#pragma once

#include <string_view>

namespace tarvik {

// What MessageBoxA returned (0 when the box failed).
int ShowMessage(std::string_view title, std::string_view text);

}  // namespace tarvik
