// The driver's own use of the clipboard, as another program on the same desktop would use it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace acceptance {

bool PutClipboardText(std::string_view text);

// The clipboard's CF_TEXT bytes; nullopt when it holds no text or cannot be opened.
std::optional<std::string> ClipboardText();

// Keeps the clipboard open, so that no other program can change or read it, while it lives.
// It opens the clipboard for a window of its own: Wine lets a second program that opens it
// without a window in while another holds it open without one.
class HeldClipboard {
  public:
    HeldClipboard();
    HeldClipboard(const HeldClipboard&) = delete;
    HeldClipboard& operator=(const HeldClipboard&) = delete;
    ~HeldClipboard();
    bool held() const { return held_; }

  private:
    HWND owner_;
    bool held_;
};

}  // namespace acceptance
