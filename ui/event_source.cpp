#include "ui/event_source.h"

#include <windows.h>

#include "platform/object_heap.h"
#include "ui/window_layer.h"

namespace tarvik {
namespace {

struct QueuedEvent {
    QueuedEvent* next;
    std::int32_t code;
    std::int32_t control;
    std::int32_t window;
    std::int32_t type;
};

struct EventQueue {
    QueuedEvent* oldest;
    QueuedEvent* newest;
};

struct EventRecord {
    std::int32_t control;
    std::int32_t window;
    std::int32_t type;
    std::int32_t immediateCode;  // stored by the window procedure during a dispatch, 0 for none
};

EventQueue* pendingEventQueue = nullptr;
EventRecord* currentEvent = nullptr;

// Before start-up has made the record (or if it could not), the fields read as zero and writes go
// nowhere that matters.
EventRecord& Current() {
    static EventRecord standIn{};
    return currentEvent != nullptr ? *currentEvent : standIn;
}

bool TakeQueuedEvent(std::int32_t& code) {
    if (pendingEventQueue == nullptr || pendingEventQueue->oldest == nullptr) return false;
    QueuedEvent* event = pendingEventQueue->oldest;
    pendingEventQueue->oldest = event->next;
    if (pendingEventQueue->oldest == nullptr) pendingEventQueue->newest = nullptr;

    EventRecord& current = Current();
    current.control = event->control;
    current.window = event->window;
    current.type = event->type;
    code = event->code;
    FreeObject(event);
    return true;
}

void DispatchPlatformMessage(MSG& message) {
    // The active window's Tab accelerators apply whichever control has the focus; a window that
    // is not ours (a message box) has none.
    HWND active = GetActiveWindow();
    HACCEL accelerators = WindowAccelerators(active);
    if (accelerators != nullptr && TranslateAcceleratorW(active, accelerators, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

bool CreatePendingEventQueue() {
    pendingEventQueue = NewObject<EventQueue>();
    return pendingEventQueue != nullptr;
}

bool CreateCurrentEvent() {
    currentEvent = NewObject<EventRecord>();
    return currentEvent != nullptr;
}

void PostEvent(std::int32_t code, std::int32_t control, std::int32_t window, std::int32_t type) {
    if (pendingEventQueue == nullptr) return;
    const QueuedEvent* newest = pendingEventQueue->newest;
    if (newest != nullptr && newest->code == code && newest->control == control &&
        newest->window == window && newest->type == type) {
        return;
    }
    auto* event = NewObject<QueuedEvent>();
    if (event == nullptr) return;
    *event = QueuedEvent{nullptr, code, control, window, type};
    if (pendingEventQueue->newest != nullptr) {
        pendingEventQueue->newest->next = event;
    } else {
        pendingEventQueue->oldest = event;
    }
    pendingEventQueue->newest = event;
}

std::int32_t WaitForEvent() {
    EventRecord& current = Current();
    current.immediateCode = 0;
    current.type = -1;

    std::int32_t code = 0;
    if (TakeQueuedEvent(code)) return code;

    // GetMessageW's result is not looked at: the quit message comes back as its own number.
    MSG message{};
    GetMessageW(&message, nullptr, 0, 0);
    // A message that none of our windows handles (a thread message, or one for a control alone)
    // has no window; without this it would carry the window of an earlier message.
    current.window = -1;
    DispatchPlatformMessage(message);

    if (current.immediateCode != 0) {
        code = current.immediateCode;
        current.immediateCode = 0;
        return code;
    }
    return static_cast<std::int32_t>(message.message);
}

std::int32_t CurrentEventControl() {
    return Current().control;
}
std::int32_t CurrentEventWindow() {
    return Current().window;
}
std::int32_t CurrentEventType() {
    return Current().type;
}

void StoreImmediateEvent(std::int32_t code, std::int32_t control, std::int32_t type) {
    EventRecord& current = Current();
    current.immediateCode = code;
    current.control = control;
    current.type = type;
}

void StoreCurrentWindow(std::int32_t window) {
    Current().window = window;
}

}  // namespace tarvik
