// The real tarvik.exe, started as a process of its own and worked from outside through its window
// and controls, as another program could. Every wait is bounded, so a tool that hangs fails the
// scenario instead of stopping the run.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace robustness {

// The controls by number, as the tool numbers them.
enum Control : int {
    Base64EncodeButton = 1,
    Base64DecodeButton = 2,
    ThunderButton = 4,
    RayFileButton = 5,
    CopyButton = 6,
    PasteButton = 7,
    InputBox = 9,
    OutputBox = 10,
    FlashGetButton = 11,
    XuanfengButton = 12,
};

// What the system says of another process's memory. Wine reports no private bytes for another
// process (0), but the working set and the committed (page-file) bytes.
struct MemoryUse {
    std::size_t privateBytes;
    std::size_t committed;
    std::size_t workingSet;
};

class ToolUnderTest {
  public:
    // Starts the tool and waits for its window and thirteen controls; nullptr and `error` if not.
    static std::unique_ptr<ToolUnderTest> Start(std::string& error);

    // Closes the window as the user would and waits for the process; kills it if it does not end.
    ~ToolUnderTest();
    ToolUnderTest(const ToolUnderTest&) = delete;
    ToolUnderTest& operator=(const ToolUnderTest&) = delete;

    bool SetText(int control, const std::string& text);
    std::optional<std::string> Text(int control);

    // Posts a click, as a user's press arrives: through the tool's message queue.
    bool Press(int control);

    // Waits until the control's text is no longer `old`; the new text, or nothing on time-out.
    std::optional<std::string> WaitForChange(int control, const std::string& old, DWORD timeoutMs);

    // Whether the window handles a message within the time: it is not hung in a command.
    bool Answers(DWORD timeoutMs);

    // Presses a conversion after whatever was pressed before and waits for its result: once it
    // shows, every earlier press has been handled, since the queue keeps their order. False on
    // time-out.
    bool Settle();

    bool Running();
    HWND Window() const { return window_; }
    MemoryUse Memory();
    DWORD ProcessId() const { return processId_; }

    // Closes the window and returns the exit code, or nothing if the tool did not end in time.
    std::optional<DWORD> Close();

  private:
    ToolUnderTest(HANDLE process, DWORD processId) : process_(process), processId_(processId) {}
    HWND ControlWindow(int control) const { return GetDlgItem(window_, control); }

    HANDLE process_;
    DWORD processId_;
    HWND window_ = nullptr;
    bool closed_ = false;
};

// A visible top-level window of the process with this title, or nullptr.
HWND FindProcessWindow(DWORD processId, const std::string& title);

// A visible top-level window of the process other than `except` (a message box), or nullptr.
HWND FindOtherProcessWindow(DWORD processId, HWND except);

std::string WindowTitle(HWND window);

// What an edit box gives back for a text that was set into it: it holds characters, not bytes, so
// bytes that are no GBK character come back changed (as "?", or a lone lead byte with the byte
// after it as one character).
std::string ThroughEditBox(const std::string& text);

// The clipboard as another program uses it.
bool PutClipboardBlock(const void* bytes, std::size_t size);  // CF_TEXT, the block as given
bool PutClipboardText(const std::string& text);               // CF_TEXT with its NUL
std::optional<std::string> ClipboardText();

}  // namespace robustness
