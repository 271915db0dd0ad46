// Which encoding the bytes hidden in a link or a Base64 text are in. Links made on a Chinese
// Windows hide GBK; links made elsewhere, and by many of today's sites, hide UTF-8. Real GBK text
// with Chinese in it is almost never valid UTF-8, so valid UTF-8 that holds a byte of 0x80 or above
// is taken as UTF-8, and every other text as GBK, which also covers plain ASCII.
#pragma once

#include <string_view>

namespace tarvik {

bool IsUtf8Text(std::string_view text);

}  // namespace tarvik
