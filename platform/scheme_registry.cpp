#include "platform/scheme_registry.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <optional>

#include "platform/owned.h"

namespace tarvik {
namespace {

std::wstring SchemeKey(std::wstring_view scheme) {
    return L"Software\\Classes\\" + std::wstring(scheme);
}

constexpr const wchar_t* CommandKey = L"shell\\open\\command";

// The command's text; nothing when there is none, and "?", which names no program, when there is
// one that cannot be read, or is longer than any command this program writes.
std::optional<std::wstring> ReadOpenCommand(HKEY root, std::wstring_view scheme) {
    const std::wstring key = SchemeKey(scheme) + L"\\" + CommandKey;
    std::wstring value(0x8000 + 16, L'\0');  // the longest path, in quotes, and "%1"
    auto bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    const LSTATUS status =
        RegGetValueW(root, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value.data(), &bytes);
    if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
    if (status != ERROR_SUCCESS) return L"?";
    value.resize(wcsnlen(value.data(), bytes / sizeof(wchar_t)));
    return value;
}

// The program of a command: its first argument, quoted or up to the first space.
std::wstring_view ProgramOf(std::wstring_view command) {
    command.remove_prefix(std::min(command.find_first_not_of(L' '), command.size()));
    if (!command.starts_with(L'"')) return command.substr(0, command.find(L' '));
    command.remove_prefix(1);
    return command.substr(0, command.find(L'"'));
}

SchemeOpener OpenerNamedBy(const std::wstring& command, std::wstring_view program) {
    const std::wstring_view named = ProgramOf(command);
    if (named.empty()) return SchemeOpener::Nobody;
    // Paths name one file in any letter case.
    const bool same =
        CompareStringOrdinal(named.data(), static_cast<int>(named.size()), program.data(),
                             static_cast<int>(program.size()), TRUE) == CSTR_EQUAL;
    return same ? SchemeOpener::ThisProgram : SchemeOpener::AnotherProgram;
}

OwnedKey CreateKey(HKEY parent, const std::wstring& path) {
    HKEY key = nullptr;
    const LSTATUS status =
        RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    return OwnedKey(status == ERROR_SUCCESS ? key : nullptr);
}

bool SetText(const OwnedKey& key, const wchar_t* name, const std::wstring& text) {
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return key &&
           RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          bytes) == ERROR_SUCCESS;
}

}  // namespace

std::wstring ThisProgramPath() {
    std::wstring path(0x8000, L'\0');  // the longest path Windows has
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    // A path that fills the buffer may have been cut.
    path.resize(length < path.size() ? length : 0);
    return path;
}

SchemeOpener OpenerOfScheme(std::wstring_view scheme, std::wstring_view program, bool userOnly) {
    std::optional<std::wstring> command = ReadOpenCommand(HKEY_CURRENT_USER, scheme);
    if (!command && !userOnly) command = ReadOpenCommand(HKEY_LOCAL_MACHINE, scheme);
    return command ? OpenerNamedBy(*command, program) : SchemeOpener::Nobody;
}

bool RegisterSchemeOpener(std::wstring_view scheme, std::wstring_view program) {
    const std::wstring key = SchemeKey(scheme);
    // The path in quotes, so that one with spaces stays one argument, and the link as the next.
    const std::wstring command = L"\"" + std::wstring(program) + L"\" \"%1\"";
    // The command first: where it cannot be written, nothing else is.
    if (!SetText(CreateKey(HKEY_CURRENT_USER, key + L"\\" + CommandKey), nullptr, command))
        return false;
    const OwnedKey schemeKey = CreateKey(HKEY_CURRENT_USER, key);
    return SetText(schemeKey, L"URL Protocol", L"") &&
           SetText(schemeKey, nullptr, L"URL:" + std::wstring(scheme));
}

bool RemoveUserScheme(std::wstring_view scheme) {
    const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, SchemeKey(scheme).c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace tarvik
