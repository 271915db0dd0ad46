#include "tests/platform/test_support.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <fstream>
#include <sstream>

namespace tarvik::test {
namespace {

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('\\') + 1);
}

}  // namespace

std::string HelperPath() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return FolderOf(self) + "platform_helper.exe";
}

std::string ScratchFolder() {
    char temporary[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temporary);
    std::string folder = std::string(temporary) + "tarvik platform test\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

NamedEvent::NamedEvent(const char* purpose)
    : name_("tarvik-" + std::string(purpose) + "-" + std::to_string(GetCurrentProcessId())),
      handle_(CreateEventA(nullptr, FALSE, FALSE, name_.c_str())) {}

HelperProcess::HelperProcess(const std::string& arguments) {
    std::string commandLine = "\"" + HelperPath() + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &started)) {
        CloseHandle(started.hThread);
        process_ = started.hProcess;
    }
}

HelperProcess::~HelperProcess() {
    if (process_ == nullptr) return;
    WaitForSingleObject(process_, 30000);
    CloseHandle(process_);
}

MessageBoxAnswerer::MessageBoxAnswerer(std::string title, std::function<void(HWND box)> inspect)
    : title_(std::move(title)),
      inspect_(std::move(inspect)),
      watcher_(CreateThread(nullptr, 0, Watch, this, 0, nullptr)) {}

DWORD WINAPI MessageBoxAnswerer::Watch(void* self) {
    auto& answerer = *static_cast<MessageBoxAnswerer*>(self);
    const DWORD start = GetTickCount();
    while (!answerer.stop_ && GetTickCount() - start < 15000) {
        HWND box =
            FindWindowA("#32770", answerer.title_.empty() ? nullptr : answerer.title_.c_str());
        DWORD process = 0;
        if (box != nullptr) GetWindowThreadProcessId(box, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(box)) {
            answerer.inspect_(box);
            answerer.answered_ = true;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            return 0;
        }
        Sleep(20);
    }
    return 0;
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    Answered();
}

bool MessageBoxAnswerer::Answered() {
    stop_ = true;
    if (watcher_ != nullptr) {
        WaitForSingleObject(watcher_, INFINITE);
        CloseHandle(watcher_);
        watcher_ = nullptr;
    }
    return answered_;
}

namespace {

bool KeyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

bool ReadDefaultValue(const std::string& path, std::string& value) {
    char buffer[1024] = {};
    LONG size = sizeof buffer;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, path.c_str(), buffer, &size) != ERROR_SUCCESS) {
        return false;
    }
    value = buffer;
    return true;
}

bool WriteDefaultValue(const std::string& path, const std::string& value) {
    return RegSetValueA(HKEY_CLASSES_ROOT, path.c_str(), REG_SZ, value.c_str(),
                        static_cast<DWORD>(value.size())) == ERROR_SUCCESS;
}

}  // namespace

ShellAssociation::ShellAssociation(
    std::initializer_list<std::pair<std::string, std::string>> keys) {
    for (const auto& [path, value] : keys) {
        // The outermost key that does not exist yet is the one to delete at the end.
        std::string missing;
        for (std::size_t end = 0; end != std::string::npos && missing.empty();) {
            end = path.find('\\', end + 1);
            const std::string prefix = path.substr(0, end);
            if (!KeyExists(prefix)) missing = prefix;
        }
        if (missing.empty()) {
            Replaced old{path, false, {}};
            old.hadValue = ReadDefaultValue(path, old.value);
            replaced_.push_back(old);
        } else {
            madeKeys_.push_back(missing);
        }
        if (!WriteDefaultValue(path, value)) registered_ = false;
    }
}

ShellAssociation::~ShellAssociation() {
    for (auto old = replaced_.rbegin(); old != replaced_.rend(); ++old) {
        if (old->hadValue) {
            WriteDefaultValue(old->path, old->value);
        } else {
            HKEY key = nullptr;
            if (RegOpenKeyExA(HKEY_CLASSES_ROOT, old->path.c_str(), 0, KEY_SET_VALUE, &key) ==
                ERROR_SUCCESS) {
                RegDeleteValueA(key, nullptr);
                RegCloseKey(key);
            }
        }
    }
    for (auto made = madeKeys_.rbegin(); made != madeKeys_.rend(); ++made) {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, made->c_str());
    }
}

LaunchRecorder::LaunchRecorder()
    : path_(ScratchFolder() + "launch-record-" + std::to_string(GetCurrentProcessId()) + ".txt") {
    DeleteFileA(path_.c_str());
    SetEnvironmentVariableA("TARVIK_LAUNCH_RECORD", path_.c_str());
}

LaunchRecorder::~LaunchRecorder() {
    SetEnvironmentVariableA("TARVIK_LAUNCH_RECORD", nullptr);
    DeleteFileA(path_.c_str());
}

bool LaunchRecorder::Read(LaunchRecord& record, DWORD milliseconds) {
    // The helper writes at least three lines: command line, working directory and program.
    std::string text;
    for (const DWORD start = GetTickCount(); std::count(text.begin(), text.end(), '\n') < 3;) {
        if (GetTickCount() - start > milliseconds) return false;
        Sleep(20);
        std::ifstream file(path_, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    DeleteFileA(path_.c_str());
    std::istringstream lines(text);
    std::getline(lines, record.commandLine);
    std::getline(lines, record.workingDirectory);
    record.arguments.clear();
    for (std::string argument; std::getline(lines, argument);) record.arguments.push_back(argument);
    return true;
}

bool SameFolder(std::string a, std::string b) {
    for (std::string* path : {&a, &b}) {
        if (!path->empty() && path->back() == '\\') path->pop_back();
    }
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

}  // namespace tarvik::test
