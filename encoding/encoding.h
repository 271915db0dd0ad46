// The text edge: where the program's byte strings meet other encodings. Inside, texts are GBK bytes
// (or UTF-8 where a text has no GBK form). This header is both halves' (Windows converts through
// UTF-16, other systems with iconv); wide.h is the Windows half's own.
#pragma once

#include <string>
#include <string_view>

namespace tarvik {

// Exact conversion between UTF-8 and GBK: false for a text that cannot be converted whole, which
// is never shortened or given look-alike characters; bytes that stand for no character are
// refused too.
bool ToGbk(std::string_view utf8, std::string& output);
bool ToUtf8(std::string_view gbk, std::string& output);

}  // namespace tarvik
