// A stand-in for the other programs that the platform services meet: it holds the clipboard open
// for a while, or, started in any other way, records how it was started.
//
//   platform_helper hold-clipboard READY RELEASE   opens the clipboard, signals the event READY,
//                                                  and closes the clipboard once RELEASE is set
//   platform_helper [anything]                     writes its command line, working directory
//                                                  and arguments, one a line, to the file named
//                                                  by TARVIK_LAUNCH_RECORD
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int HoldClipboard(const char* ready, const char* release) {
    HANDLE readyEvent = OpenEventA(EVENT_MODIFY_STATE, FALSE, ready);
    HANDLE releaseEvent = OpenEventA(SYNCHRONIZE, FALSE, release);
    // Opened for a window: Wine lets a second opener without a window in when the first one
    // had none either.
    HWND window =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (readyEvent == nullptr || releaseEvent == nullptr || !OpenClipboard(window)) return 2;
    SetEvent(readyEvent);
    WaitForSingleObject(releaseEvent, 30000);
    CloseClipboard();
    return 0;
}

int RecordStart(int argc, char** argv) {
    const char* recordPath = std::getenv("TARVIK_LAUNCH_RECORD");
    if (recordPath == nullptr) return 3;
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, directory);
    std::string record = std::string(GetCommandLineA()) + "\n" + directory + "\n";
    for (int i = 0; i < argc; ++i) record.append(argv[i]).append("\n");

    // Written beside and then renamed, so that a reader never sees half a record.
    const std::string partPath = std::string(recordPath) + ".part";
    FILE* file = std::fopen(partPath.c_str(), "wb");
    if (file == nullptr) return 4;
    std::fwrite(record.data(), 1, record.size(), file);
    std::fclose(file);
    return MoveFileExA(partPath.c_str(), recordPath, MOVEFILE_REPLACE_EXISTING) ? 0 : 5;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "hold-clipboard") == 0) {
        return HoldClipboard(argv[2], argv[3]);
    }
    return RecordStart(argc, argv);
}
