// The window procedure of every window of the program and the queue it fills
// with platform::Event (inside platform/win32 only).
#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>

#include "platform/win32_names.h"
#include "platform/window.h"

namespace platform::win32 {

// Events of all windows, oldest first, and the cursor shown over their client
// areas. Push and Pop may be called from any thread.
class EventSink {
 public:
  void Push(const Event& event);
  bool Pop(Event& event);

  void SetCursor(HCURSOR cursor);
  HCURSOR cursor() const;

 private:
  mutable std::mutex mutex_;
  std::deque<Event> events_;
  HCURSOR cursor_ = nullptr;
};

// What the window procedure knows of one window; kept in the window's
// GWLP_USERDATA, owned by the object behind the window.
struct WindowLink {
  EventSink* sink = nullptr;
  uint32_t id = 0;
  int minWidth = 0;  // minimum outer size; 0 = none
  int minHeight = 0;
  int clientWidth = 0;  // the last client size reported
  int clientHeight = 0;
  // A memory DC of clientWidth x clientHeight pixels that WM_PAINT copies
  // to the window; null for GL windows.
  HDC backing = nullptr;
};

// The event a message stands for in a window of the given id; none for
// messages that carry no event. Size events are not deduplicated here.
std::optional<Event> EventFromMessage(UINT message, WPARAM wParam, LPARAM lParam, uint32_t id);

// The class procedure; CreateWindowExW's lpParam must point at the window's
// WindowLink (or be null for windows of no events).
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform::win32
