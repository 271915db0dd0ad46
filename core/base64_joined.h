// The codec's entry points for the link commands, which check a link once and then cut pieces of
// it: Base64 of several texts joined end to end, without joining them first (a made link wraps the
// address in markers), and decoding a piece that is known to be a text already.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace tarvik {

// Appends to `output` what AppendBase64EncodeText would append for the concatenated pieces. The
// pieces are texts (no NUL) and must not view `output`'s own bytes.
void AppendBase64EncodeJoined(std::initializer_list<std::string_view> pieces, std::string& output);

// Appends to `output` what AppendBase64DecodeText would append, without looking for the NUL that
// ends a text or for `text` lying in `output`: `text` must hold no NUL and not view `output`.
void AppendBase64DecodeOfText(std::string_view text, std::string& output);

}  // namespace tarvik
