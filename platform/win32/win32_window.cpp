#include "platform/win32/win32_window.h"

#include <GL/gl.h>

#include <vector>

#include "platform/win32/system_error.h"
#include "platform/win32/wide_text.h"

namespace platform::win32 {
namespace {

// Styles the frame switch leaves alone: visibility, state and clipping.
constexpr DWORD kFrameStyles = WS_OVERLAPPEDWINDOW | WS_POPUP;

Rect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// WINDOWPLACEMENT's normal position is in workspace coordinates: relative to
// the work area of the window's monitor rather than to the screen.
POINT WorkspaceOrigin(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) return {};
  return {monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top};
}

// An icon of the R, G, B, A pixels (top row first); null on failure.
HICON IconFromRgba(int width, int height, std::span<const uint8_t> rgba) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (colour == nullptr) return nullptr;
  auto* bgra = static_cast<uint8_t*>(bits);
  for (size_t i = 0; i < rgba.size(); i += 4) {
    bgra[i] = rgba[i + 2];
    bgra[i + 1] = rgba[i + 1];
    bgra[i + 2] = rgba[i];
    bgra[i + 3] = rgba[i + 3];
  }
  // With a 32-bit colour bitmap the alpha decides; the mask must still exist
  // (rows of whole 16-bit words), all clear.
  const std::vector<uint8_t> clear(static_cast<size_t>((width + 15) / 16) * 2 * height, 0);
  HBITMAP mask = CreateBitmap(width, height, 1, 1, clear.data());
  ICONINFO icon{TRUE, 0, 0, mask, colour};
  HICON result = mask != nullptr ? CreateIconIndirect(&icon) : nullptr;
  if (mask != nullptr) DeleteObject(mask);
  DeleteObject(colour);
  return result;
}

}  // namespace

std::string LastErrorText(std::string_view what) {
  return std::string(what) + ": " + SystemErrorText(GetLastError());
}

DWORD WindowStyle(bool bordered) {
  return (bordered ? WS_OVERLAPPEDWINDOW : WS_POPUP) | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
}

Win32Window::Win32Window(HWND window, HDC dc, std::unique_ptr<WindowLink> link, int samples,
                         bool offscreen, std::string& lastError)
    : window_(window),
      dc_(dc),
      link_(std::move(link)),
      samples_(samples),
      offscreen_(offscreen),
      lastError_(lastError) {}

Win32Window::~Win32Window() {
  if (displayModeChanged_) ChangeDisplaySettingsExW(nullptr, nullptr, nullptr, 0, nullptr);
  if (wglGetCurrentDC() == dc_) wglMakeCurrent(nullptr, nullptr);
  DestroyWindow(window_);
  if (icon_ != nullptr) DestroyIcon(icon_);
}

void Win32Window::Show(ShowState state) {
  if (offscreen_) {
    offscreenState_ = state;
    return;
  }
  switch (state) {
    case ShowState::Hidden:
      ShowWindow(window_, SW_HIDE);
      break;
    case ShowState::Normal:
      ShowWindow(window_, SW_SHOWNORMAL);
      break;
    case ShowState::Maximized:
      ShowWindow(window_, SW_SHOWMAXIMIZED);
      break;
    case ShowState::Minimized:
      ShowWindow(window_, SW_MINIMIZE);
      break;
  }
}

ShowState Win32Window::GetShowState() const {
  if (offscreen_) return offscreenState_;
  if (!IsWindowVisible(window_)) return ShowState::Hidden;
  if (IsIconic(window_)) return ShowState::Minimized;
  if (IsZoomed(window_)) return ShowState::Maximized;
  return ShowState::Normal;
}

void Win32Window::SetTitle(const std::string& utf8) { SetWindowTextW(window_, Wide(utf8).c_str()); }

// Keeps the client area where it is, as the frame grows or goes.
void Win32Window::SetBordered(bool bordered) {
  if (bordered == IsBordered()) return;
  RECT client{};
  GetClientRect(window_, &client);
  MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const DWORD style = (static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)) & ~kFrameStyles) |
                      WindowStyle(bordered);
  SetWindowLongW(window_, GWL_STYLE, static_cast<LONG>(style));
  UINT flags = SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE;
  if (IsIconic(window_) || IsZoomed(window_)) flags |= SWP_NOMOVE | SWP_NOSIZE;
  AdjustWindowRectEx(&client, style, FALSE,
                     static_cast<DWORD>(GetWindowLongW(window_, GWL_EXSTYLE)));
  SetWindowPos(window_, nullptr, client.left, client.top, client.right - client.left,
               client.bottom - client.top, flags);
}

void Win32Window::SetAlwaysOnTop(bool onTop) {
  SetWindowPos(window_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Window::SetIcon(int width, int height, std::span<const uint8_t> rgba) {
  if (width <= 0 || height <= 0 || rgba.size() != size_t{4} * width * height) return;
  HICON icon = IconFromRgba(width, height, rgba);
  if (icon == nullptr) return;
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  if (icon_ != nullptr) DestroyIcon(icon_);
  icon_ = icon;
}

Rect Win32Window::GetWindowRect() const {
  RECT r{};
  ::GetWindowRect(window_, &r);
  return FromRect(r);
}

Rect Win32Window::GetRestoreRect() const {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (!GetWindowPlacement(window_, &placement)) return GetWindowRect();
  const POINT origin = WorkspaceOrigin(window_);
  RECT r = placement.rcNormalPosition;
  OffsetRect(&r, origin.x, origin.y);
  return FromRect(r);
}

void Win32Window::SetWindowRect(const Rect& outer) {
  if (offscreen_ && offscreenState_ == ShowState::Maximized) offscreenState_ = ShowState::Normal;
  const int width = outer.width() > 1 ? outer.width() : 1;
  const int height = outer.height() > 1 ? outer.height() : 1;
  if (IsIconic(window_)) {
    // Moving a minimised window moves its icon: set where it restores to.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(window_, &placement)) return;
    const POINT origin = WorkspaceOrigin(window_);
    placement.rcNormalPosition = {outer.left - origin.x, outer.top - origin.y,
                                  outer.left - origin.x + width, outer.top - origin.y + height};
    SetWindowPlacement(window_, &placement);
    return;
  }
  if (IsZoomed(window_)) ShowWindow(window_, SW_RESTORE);
  SetWindowPos(window_, nullptr, outer.left, outer.top, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::GetClientSize(int& width, int& height) const {
  RECT r{};
  GetClientRect(window_, &r);
  width = r.right - r.left;
  height = r.bottom - r.top;
}

bool Win32Window::HasKeyboardFocus() const { return GetFocus() == window_; }

bool Win32Window::IsBordered() const {
  return (GetWindowLongW(window_, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
}

GlContext Win32Window::CreateContext(bool shareWithCurrent) {
  HGLRC current = wglGetCurrentContext();
  HGLRC context = wglCreateContext(dc_);
  if (context == nullptr) {
    lastError_ = LastErrorText("wglCreateContext failed");
    return {};
  }
  if (shareWithCurrent && current != nullptr && !wglShareLists(current, context)) {
    lastError_ = LastErrorText("wglShareLists failed");
    wglDeleteContext(context);
    return {};
  }
  if (!wglMakeCurrent(dc_, context)) {
    lastError_ = LastErrorText("wglMakeCurrent failed");
    wglDeleteContext(context);
    return {};
  }
  return GlContext(reinterpret_cast<uintptr_t>(context));
}

bool Win32Window::MakeCurrent(GlContext context) {
  return wglMakeCurrent(dc_, reinterpret_cast<HGLRC>(context.handle())) != FALSE;
}

void Win32Window::SwapBuffers() {
  ::SwapBuffers(dc_);
  // A hidden window's swap may show nothing and wait for nothing: the frame
  // is finished here so that frames are timed.
  if (offscreen_) glFinish();
}

bool Win32Window::ChangeDisplayMode(int width, int height, bool& readable) {
  DEVMODEW mode{};
  mode.dmSize = sizeof(mode);
  readable = EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode) != FALSE;
  if (!readable || width <= 0 || height <= 0) return false;
  if (!displayModeChanged_) {
    windowedBordered_ = IsBordered();
    windowedRect_ = GetWindowRect();
  }
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(height);
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  if (ChangeDisplaySettingsExW(nullptr, &mode, nullptr, CDS_FULLSCREEN, nullptr) !=
      DISP_CHANGE_SUCCESSFUL) {
    return false;
  }
  displayModeChanged_ = true;
  SetBordered(false);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& r = monitor.rcMonitor;
  SetWindowPos(window_, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOACTIVATE);
  return true;
}

void Win32Window::RestoreDisplayMode() {
  if (!displayModeChanged_) return;
  ChangeDisplaySettingsExW(nullptr, nullptr, nullptr, 0, nullptr);
  displayModeChanged_ = false;
  SetBordered(windowedBordered_);
  SetWindowRect(windowedRect_);
}

}  // namespace platform::win32
