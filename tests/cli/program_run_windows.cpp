#include <windows.h>

#include <fstream>
#include <sstream>

#include "tests/cli/program_run.h"

namespace {

// Quoted so that the C runtime's parser gives the argument back byte for byte.
std::string Quoted(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) {
        return argument;
    }
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

// The build passes the program's path as the cross build knows it; under Wine a Linux path is
// reached through drive Z:.
std::string ProgramPath() {
    std::string path = TARVIK_LINK_PATH;
    if (path.starts_with("/")) {
        path = "Z:" + path;
        for (char& c : path) c = c == '/' ? '\\' : c;
    }
    return path;
}

std::wstring Widen(const std::string& text, UINT codePage) {
    std::wstring wide(text.size() + 1, L'\0');
    const int length = MultiByteToWideChar(codePage, 0, text.c_str(), -1, wide.data(),
                                           static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
    return wide;
}

struct ScratchFile {
    std::string path;
    ScratchFile() {
        char folder[MAX_PATH];
        char name[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        GetTempFileNameA(folder, "tlk", 0, name);
        path = name;
    }
    ~ScratchFile() { DeleteFileA(path.c_str()); }
    std::string Read() const {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }
    HANDLE Open(DWORD access, DWORD disposition) const {
        SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
        return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                           disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
};

}  // namespace

ProgramRun RunTarvikLink(const std::vector<std::string>& arguments, std::string_view input,
                         const char*) {
    ScratchFile in, out, err;
    std::ofstream(in.path, std::ios::binary).write(input.data(), std::ssize(input));

    // With --gbk the arguments are UTF-8, as a UTF-8 terminal would pass them; otherwise they
    // are ANSI (GBK) bytes.
    const bool utf8 = !arguments.empty() && arguments.front() == "--gbk";
    std::string commandLine = Quoted(ProgramPath());
    for (const std::string& argument : arguments) commandLine += " " + Quoted(argument);
    std::wstring wideCommandLine = Widen(commandLine, utf8 ? CP_UTF8 : CP_ACP);

    HANDLE handles[] = {in.Open(GENERIC_READ, OPEN_EXISTING),
                        out.Open(GENERIC_WRITE, CREATE_ALWAYS),
                        err.Open(GENERIC_WRITE, CREATE_ALWAYS)};
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = handles[0];
    startup.hStdOutput = handles[1];
    startup.hStdError = handles[2];
    PROCESS_INFORMATION process{};
    ProgramRun run;
    if (CreateProcessW(nullptr, wideCommandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        run.exitCode = static_cast<int>(exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    for (HANDLE handle : handles) CloseHandle(handle);
    run.out = out.Read();
    run.err = err.Read();
    return run;
}
