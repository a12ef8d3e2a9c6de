#include "platform/win32/win32_events.h"

#include <windowsx.h>

namespace platform::win32 {
namespace {

WindowLink* LinkOf(HWND window) {
  return reinterpret_cast<WindowLink*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

Event MouseEvent(EventType type, LPARAM lParam) {
  Event event;
  event.type = type;
  event.x = GET_X_LPARAM(lParam);
  event.y = GET_Y_LPARAM(lParam);
  return event;
}

// A size event that repeats the last reported size is dropped: Windows sends
// WM_SIZE on every show and restore as well.
bool IsNewSize(WindowLink& link, const Event& event) {
  if (event.width == link.clientWidth && event.height == link.clientHeight) return false;
  link.clientWidth = event.width;
  link.clientHeight = event.height;
  return true;
}

// Messages the window procedure answers itself; true when handled.
bool HandleOwnMessage(HWND window, WindowLink& link, UINT message, WPARAM wParam, LPARAM lParam,
                      LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      if (link.minWidth > 0) info->ptMinTrackSize.x = link.minWidth;
      if (link.minHeight > 0) info->ptMinTrackSize.y = link.minHeight;
      return true;
    }
    case WM_SYSCOMMAND:
      // F10 and a lone Alt would open the system menu and stop the frames.
      return (wParam & 0xFFF0) == SC_KEYMENU;
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT || link.sink->cursor() == nullptr) return false;
      SetCursor(link.sink->cursor());
      result = TRUE;
      return true;
    case WM_PAINT: {
      if (link.backing == nullptr) return false;
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      BitBlt(dc, 0, 0, link.clientWidth, link.clientHeight, link.backing, 0, 0, SRCCOPY);
      EndPaint(window, &paint);
      return true;
    }
    default:
      return false;
  }
}

// Drags that leave the window keep reporting to it until the buttons are up.
void TrackCapture(HWND window, UINT message, WPARAM wParam) {
  if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) SetCapture(window);
  if ((message == WM_LBUTTONUP || message == WM_RBUTTONUP) &&
      (wParam & (MK_LBUTTON | MK_RBUTTON)) == 0 && GetCapture() == window) {
    ReleaseCapture();
  }
}

}  // namespace

void EventSink::Push(const Event& event) {
  std::lock_guard lock(mutex_);
  events_.push_back(event);
}

bool EventSink::Pop(Event& event) {
  std::lock_guard lock(mutex_);
  if (events_.empty()) return false;
  event = events_.front();
  events_.pop_front();
  return true;
}

void EventSink::SetCursor(HCURSOR cursor) {
  std::lock_guard lock(mutex_);
  cursor_ = cursor;
}

HCURSOR EventSink::cursor() const {
  std::lock_guard lock(mutex_);
  return cursor_;
}

std::optional<Event> EventFromMessage(UINT message, WPARAM wParam, LPARAM lParam, uint32_t id) {
  Event event;
  switch (message) {
    case WM_CLOSE:
      event.type = EventType::Close;
      break;
    case WM_SIZE:
      // A minimised window keeps its drawable; SIZE_MINIMIZED reports 0 x 0.
      if (wParam == SIZE_MINIMIZED) return std::nullopt;
      event.type = EventType::Size;
      event.width = LOWORD(lParam);
      event.height = HIWORD(lParam);
      break;
    case WM_ACTIVATE:
      event.type = EventType::Activate;
      event.active = LOWORD(wParam) != WA_INACTIVE;
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
      event.type =
          message == WM_KEYDOWN || message == WM_SYSKEYDOWN ? EventType::KeyDown : EventType::KeyUp;
      event.vk = static_cast<int>(wParam);
      break;
    case WM_MOUSEMOVE:
      event = MouseEvent(EventType::MouseMove, lParam);
      break;
    case WM_LBUTTONDOWN:
      event = MouseEvent(EventType::LButtonDown, lParam);
      break;
    case WM_LBUTTONUP:
      event = MouseEvent(EventType::LButtonUp, lParam);
      break;
    case WM_RBUTTONDOWN:
      event = MouseEvent(EventType::RButtonDown, lParam);
      break;
    case WM_RBUTTONUP:
      event = MouseEvent(EventType::RButtonUp, lParam);
      break;
    default:
      return std::nullopt;
  }
  event.windowId = id;
  return event;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  WindowLink* link = LinkOf(window);
  if (link == nullptr || link->sink == nullptr) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  LRESULT result = 0;
  if (HandleOwnMessage(window, *link, message, wParam, lParam, result)) return result;
  TrackCapture(window, message, wParam);
  if (std::optional<Event> event = EventFromMessage(message, wParam, lParam, link->id)) {
    if (event->type != EventType::Size || IsNewSize(*link, *event)) link->sink->Push(*event);
    // The program decides whether a window closes.
    if (message == WM_CLOSE) return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace platform::win32
