// Reading the text out of a CF_TEXT memory block, which another program wrote.
#pragma once

#include <windows.h>

#include <string>

namespace tarvik {

// The block's bytes up to its first NUL, and never past its size: the program that wrote it need
// not have ended it with a NUL. The empty text when the block cannot be locked.
std::string TextOfBlock(HGLOBAL block);

}  // namespace tarvik
