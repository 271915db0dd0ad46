// What the platform tests share: the helper program, named events, a watcher that answers message
// boxes in place of a person, a scratch folder, and shell associations that exist for one test.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace tarvik::test {

// The full path of platform_helper.exe, which is built beside the test program.
std::string HelperPath();

// A folder of its own under the temporary folder, ending in a backslash.
std::string ScratchFolder();

// An auto-reset event with a name that is unique to this process.
class NamedEvent {
  public:
    explicit NamedEvent(const char* purpose);
    ~NamedEvent() { CloseHandle(handle_); }
    NamedEvent(const NamedEvent&) = delete;
    NamedEvent& operator=(const NamedEvent&) = delete;

    const std::string& Name() const { return name_; }
    HANDLE Handle() const { return handle_; }

  private:
    std::string name_;
    HANDLE handle_;
};

// platform_helper started with the given arguments; the destructor waits for it to end.
class HelperProcess {
  public:
    explicit HelperProcess(const std::string& arguments);
    ~HelperProcess();
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    bool Started() const { return process_ != nullptr; }

  private:
    HANDLE process_ = nullptr;
};

// Waits on another thread for a message box of this process with the given title (any title when
// it is empty), lets `inspect` look at it while it is up, and then presses its OK button.
class MessageBoxAnswerer {
  public:
    MessageBoxAnswerer(std::string title, std::function<void(HWND box)> inspect);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // Stops the watcher; true when it saw and answered a box.
    bool Answered();

  private:
    static DWORD WINAPI Watch(void* self);

    std::string title_;
    std::function<void(HWND box)> inspect_;
    std::atomic<bool> answered_{false};
    std::atomic<bool> stop_{false};
    HANDLE watcher_;
};

// Shell associations for one test: each pair is a key path under HKEY_CLASSES_ROOT and the
// default value it gets. At the end, keys that were made are deleted and values that were
// replaced come back. (Wine 8 does not merge HKCU\Software\Classes into HKEY_CLASSES_ROOT, so the
// keys are written through HKEY_CLASSES_ROOT itself.)
class ShellAssociation {
  public:
    ShellAssociation(std::initializer_list<std::pair<std::string, std::string>> keys);
    ~ShellAssociation();
    ShellAssociation(const ShellAssociation&) = delete;
    ShellAssociation& operator=(const ShellAssociation&) = delete;

    bool Registered() const { return registered_; }

  private:
    struct Replaced {
        std::string path;
        bool hadValue;
        std::string value;
    };
    std::vector<std::string> madeKeys_;
    std::vector<Replaced> replaced_;
    bool registered_ = true;
};

// How platform_helper was started, read back from its record file.
struct LaunchRecord {
    std::string commandLine;
    std::string workingDirectory;
    std::vector<std::string> arguments;  // arguments[0] is the program
};

// Sets TARVIK_LAUNCH_RECORD for programs started from now on, and reads what one of them wrote.
class LaunchRecorder {
  public:
    LaunchRecorder();
    ~LaunchRecorder();
    LaunchRecorder(const LaunchRecorder&) = delete;
    LaunchRecorder& operator=(const LaunchRecorder&) = delete;

    // The record, once the helper has written one within `milliseconds`.
    bool Read(LaunchRecord& record, DWORD milliseconds = 10000);

  private:
    std::string path_;
};

// Whether two Windows paths name the same folder, ignoring case and a final backslash.
bool SameFolder(std::string a, std::string b);

}  // namespace tarvik::test
