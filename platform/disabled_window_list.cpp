#include "platform/disabled_window_list.h"

#include "platform/object_heap.h"

namespace tarvik {
namespace {

struct DisabledWindow {
    DWORD threadId;
    HWND window;
    DisabledWindow* next;
};

// Records are appended at the end so that windows are enabled in the order they were disabled.
DisabledWindow* firstRecord = nullptr;
SRWLOCK listLock = SRWLOCK_INIT;

class ListLock {
  public:
    explicit ListLock(bool exclusive) : exclusive_(exclusive) {
        exclusive_ ? AcquireSRWLockExclusive(&listLock) : AcquireSRWLockShared(&listLock);
    }
    ~ListLock() {
        exclusive_ ? ReleaseSRWLockExclusive(&listLock) : ReleaseSRWLockShared(&listLock);
    }
    ListLock(const ListLock&) = delete;
    ListLock& operator=(const ListLock&) = delete;

  private:
    bool exclusive_;
};

}  // namespace

bool RecordDisabledWindow(DWORD threadId, HWND window) {
    auto* record = NewObject<DisabledWindow>();
    if (record == nullptr) return false;
    record->threadId = threadId;
    record->window = window;
    ListLock lock(true);
    DisabledWindow** end = &firstRecord;
    while (*end != nullptr) end = &(*end)->next;
    *end = record;
    return true;
}

void EnableWindowsDisabledBy(DWORD threadId) {
    std::vector<HWND> windows;
    {
        ListLock lock(true);
        for (DisabledWindow** link = &firstRecord; *link != nullptr;) {
            DisabledWindow* record = *link;
            if (record->threadId != threadId) {
                link = &record->next;
                continue;
            }
            windows.push_back(record->window);
            *link = record->next;
            FreeObject(record);
        }
    }
    // Enabling sends messages to the windows; no lock is held while their procedures run.
    for (HWND window : windows) EnableWindow(window, TRUE);
}

std::vector<HWND> WindowsDisabledBy(DWORD threadId) {
    std::vector<HWND> windows;
    ListLock lock(false);
    for (const DisabledWindow* record = firstRecord; record != nullptr; record = record->next) {
        if (record->threadId == threadId) windows.push_back(record->window);
    }
    return windows;
}

}  // namespace tarvik
