// Base64 of several texts joined end to end, without joining them first: the link commands wrap
// an address in markers and encode the whole, and would otherwise copy the address once more.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace tarvik {

// Appends to `output` what AppendBase64EncodeText would append for the concatenated pieces. The
// pieces are texts (no NUL) and must not view `output`'s own bytes.
void AppendBase64EncodeJoined(std::initializer_list<std::string_view> pieces, std::string& output);

}  // namespace tarvik
