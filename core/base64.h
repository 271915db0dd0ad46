// Base64 (RFC 4648, standard alphabet, "=" padding) with this tool's reading of malformed input:
// characters outside the alphabet count as 0, a pad in a group's third or fourth place ends that
// group and the next group starts at that pad. A last group of 2 or 3 characters gives its 1 or 2
// bytes when the text holds no pad at all (a link that lost its "="); after a pad, or of 1
// character, it gives nothing.
#pragma once

#include <string>
#include <string_view>

namespace tarvik {

// The Base64 form of the text's bytes, whatever its length.
std::string Base64EncodeText(std::string_view text);

// Replaces `output`, which `text` must not view, with the bytes the Base64 text stands for, read
// as a text: they end at the first zero byte. A batch decodes into one reused buffer.
void Base64DecodeText(std::string_view text, std::string& output);

}  // namespace tarvik
