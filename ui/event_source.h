// The event source: the one record of the current event, the queue of pending events, and the
// blocking wait that hands them out one at a time, running the platform's message dispatch when
// nothing is queued. Everything here belongs to the user-interface thread.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tarvik {

// Event codes. Codes below 13100 that are not listed are platform message numbers that produced
// no event of their own; a move, a size change and a close request carry the numbers of the
// messages they come from. The loop acts on ControlEvent and CloseWindowEvent alone: the others
// are posted all the same, so that a command that cares where the window is, or whether it is
// minimised, can watch for them in the one queue instead of a window procedure of its own.
inline constexpr std::int32_t MoveWindowEvent = WM_MOVE;
inline constexpr std::int32_t SizeWindowEvent = WM_SIZE;
inline constexpr std::int32_t RepaintEvent = 15;
inline constexpr std::int32_t CloseWindowEvent = WM_CLOSE;
inline constexpr std::int32_t ControlEvent = 13100;
inline constexpr std::int32_t ActivateWindowEvent = 13104;
inline constexpr std::int32_t MinimizeWindowEvent = 13107;
inline constexpr std::int32_t MaximizeWindowEvent = 13108;
inline constexpr std::int32_t RestoreWindowEvent = 13109;

// Event types of an edit box's queued ControlEvent.
inline constexpr std::int32_t FocusGainedType = 14000;
inline constexpr std::int32_t FocusLostType = 14001;

// Start-up makes the queue (empty) and the current event (zero-filled) in ObjectHeap; false when
// the heap cannot give them.
bool CreatePendingEventQueue();
bool CreateCurrentEvent();

// Appends an event to PendingEventQueue, unless it equals the newest one still waiting there.
void PostEvent(std::int32_t code, std::int32_t control, std::int32_t window, std::int32_t type);

// Blocks until there is an event and returns its code: queued events first, oldest first, one per
// call; otherwise one platform message is read, translated and dispatched.
std::int32_t WaitForEvent();

// The fields of the event that WaitForEvent last returned.
std::int32_t CurrentEventControl();
std::int32_t CurrentEventWindow();
std::int32_t CurrentEventType();

// Called by the window procedure while a wait dispatches a message to it: the event that the wait
// will return, and the window number of the message at hand.
void StoreImmediateEvent(std::int32_t code, std::int32_t control, std::int32_t type);
void StoreCurrentWindow(std::int32_t window);

}  // namespace tarvik
