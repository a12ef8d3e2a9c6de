#include "platform/win32/win32_window_system.h"

#include <algorithm>

#include "platform/gl_proc.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_window.h"

namespace platform::win32 {
namespace {

// The class of every window of the program.
constexpr const wchar_t* kWindowClass = L"Velkarion_2020";

// The outer rectangle at (x, y) around a client area of the given size.
Rect OuterRect(const WindowCreateInfo& info, DWORD style) {
  RECT r{0, 0, std::max(1, info.clientWidth), std::max(1, info.clientHeight)};
  AdjustWindowRectEx(&r, style, FALSE, 0);
  return {info.x, info.y, info.x + r.right - r.left, info.y + r.bottom - r.top};
}

bool ButtonHeld(int button) { return (GetAsyncKeyState(button) & 0x8000) != 0; }

}  // namespace

bool Win32WindowSystem::Init() {
  if (initialised_) return true;
  instance_ = GetModuleHandleW(nullptr);
  thread_ = GetCurrentThreadId();
  if (GetProcessWindowStation() == nullptr || GetThreadDesktop(thread_) == nullptr) {
    lastError_ = LastErrorText("No window station or desktop to open windows on");
    return false;
  }
  if (!RegisterWindowClass(kWindowClass)) return false;
  sink_.SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  initialised_ = true;
  return true;
}

void Win32WindowSystem::Shutdown() {
  if (!initialised_) return;
  if (cursorHidden_) ::ShowCursor(TRUE);
  cursorHidden_ = false;
  for (const std::wstring& name : classes_) UnregisterClassW(name.c_str(), instance_);
  classes_.clear();
  multisample_.reset();
  initialised_ = false;
}

bool Win32WindowSystem::RegisterWindowClass(const std::wstring& name) {
  if (std::find(classes_.begin(), classes_.end(), name) != classes_.end()) return true;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_OWNDC;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name.c_str();
  if (RegisterClassExW(&windowClass) == 0) {
    // Another window system of the process made it; it stays theirs.
    if (GetLastError() == ERROR_CLASS_ALREADY_EXISTS) return true;
    lastError_ = LastErrorText("No window class could be registered (no desktop?)");
    return false;
  }
  classes_.push_back(name);
  return true;
}

HWND Win32WindowSystem::CreateNativeWindow(const NativeWindowInfo& info, WindowLink& link) {
  if (!initialised_) {
    lastError_ = "The window system is not initialised";
    return nullptr;
  }
  const std::wstring windowClass = info.windowClass.empty() ? kWindowClass : info.windowClass;
  if (!RegisterWindowClass(windowClass)) return nullptr;
  link.sink = &sink_;
  link.id = nextId_++;
  if (nextId_ == 0) nextId_ = 1;
  HWND window = CreateWindowExW(0, windowClass.c_str(), info.title.c_str(), info.style,
                                info.outer.left, info.outer.top, info.outer.width(),
                                info.outer.height(), nullptr, nullptr, instance_, &link);
  if (window == nullptr) lastError_ = LastErrorText("CreateWindowExW failed");
  return window;
}

std::unique_ptr<Window> Win32WindowSystem::CreateWindow(const WindowCreateInfo& info) {
  const int samples = std::max(0, info.samples);
  MultisampleFormats arb;
  if (samples > 0 && initialised_) {
    arb = Multisample();
    if (!arb) {
      lastError_ = "The GL driver offers no multisampled drawables (WGL_ARB_multisample)";
      return nullptr;
    }
  }
  const DWORD style = WindowStyle(info.decorated);
  auto link = std::make_unique<WindowLink>();
  link->minWidth = info.minWidth;
  link->minHeight = info.minHeight;
  link->clientWidth = std::max(1, info.clientWidth);
  link->clientHeight = std::max(1, info.clientHeight);
  HWND window = CreateNativeWindow({Wide(info.title), {}, style, OuterRect(info, style)}, *link);
  if (window == nullptr) return nullptr;
  HDC dc = GetDC(window);
  const int format = dc != nullptr ? ChooseFormat(dc, samples, arb) : 0;
  if (format == 0) {
    lastError_ = "No GL pixel format with " + std::to_string(samples) + " samples";
  } else if (!ApplyFormat(dc, format)) {
    lastError_ = LastErrorText("SetPixelFormat failed");
  } else {
    return std::make_unique<Win32Window>(window, dc, std::move(link), samples, offscreen_,
                                         lastError_);
  }
  DestroyWindow(window);
  return nullptr;
}

const MultisampleFormats& Win32WindowSystem::Multisample() {
  if (!multisample_) multisample_ = LoadMultisampleFormats(instance_, kWindowClass);
  return *multisample_;
}

void Win32WindowSystem::DeleteContext(GlContext context) {
  if (context) wglDeleteContext(reinterpret_cast<HGLRC>(context.handle()));
}

void Win32WindowSystem::ReleaseCurrentContext() { wglMakeCurrent(nullptr, nullptr); }

bool Win32WindowSystem::SetSwapInterval(int interval) {
  auto set = reinterpret_cast<PFNWGLSWAPINTERVALEXTPROC>(GetGlProcAddress("wglSwapIntervalEXT"));
  auto get =
      reinterpret_cast<PFNWGLGETSWAPINTERVALEXTPROC>(GetGlProcAddress("wglGetSwapIntervalEXT"));
  if (wglGetCurrentContext() == nullptr || set == nullptr || get == nullptr) return false;
  // Some drivers accept the request and keep their own interval.
  return set(interval) && get() == interval;
}

int Win32WindowSystem::ProbeMultisample(int samples) {
  if (samples <= 0 || !initialised_ || !Multisample()) return 0;
  // Formats need a DC of a window; choosing one changes no context.
  HWND probe = CreateWindowExW(0, kWindowClass, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               instance_, nullptr);
  if (probe == nullptr) return 0;
  int given = 0;
  if (HDC dc = GetDC(probe)) {
    given = FormatSamples(dc, ChooseFormat(dc, samples, *multisample_), *multisample_);
  }
  DestroyWindow(probe);
  return given;
}

bool Win32WindowSystem::PollEvent(Event& event) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    // A quit message from elsewhere in the process ends the program too.
    if (message.message == WM_QUIT) {
      Event quit;
      quit.type = EventType::Quit;
      quit.code = static_cast<int>(message.wParam);
      sink_.Push(quit);
      continue;
    }
    DispatchMessageW(&message);
  }
  return sink_.Pop(event);
}

// A thread message would be lost while a message box runs its own loop, so
// the event goes through the locked queue and the message only wakes the
// window thread.
void Win32WindowSystem::PostQuit(int code) {
  Event quit;
  quit.type = EventType::Quit;
  quit.code = code;
  sink_.Push(quit);
  if (thread_ != 0) PostThreadMessageW(thread_, WM_NULL, 0, 0);
}

DisplaySize Win32WindowSystem::GetDisplaySize() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

int Win32WindowSystem::GetRefreshRate() {
  DEVMODEW mode{};
  mode.dmSize = sizeof(mode);
  if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return 0;
  // 0 and 1 stand for the hardware's default rate.
  return mode.dmDisplayFrequency > 1 ? static_cast<int>(mode.dmDisplayFrequency) : 0;
}

void Win32WindowSystem::SetCursorShape(CursorShape shape) {
  HCURSOR cursor = LoadCursorW(nullptr, shape == CursorShape::Hand ? IDC_HAND : IDC_ARROW);
  sink_.SetCursor(cursor);
  // At once where the mouse is over a window of this thread; elsewhere the
  // window procedure sets it when the mouse comes in.
  POINT at{};
  HWND under = GetCursorPos(&at) ? WindowFromPoint(at) : nullptr;
  if (under != nullptr && GetWindowThreadProcessId(under, nullptr) == GetCurrentThreadId()) {
    ::SetCursor(cursor);
  }
}

// ShowCursor counts; the program only says shown or hidden.
void Win32WindowSystem::ShowCursor(bool show) {
  if (show == !cursorHidden_) return;
  ::ShowCursor(show ? TRUE : FALSE);
  cursorHidden_ = !show;
}

void Win32WindowSystem::GetGlobalMouse(int& x, int& y, bool& left, bool& right) {
  POINT at{};
  GetCursorPos(&at);
  x = at.x;
  y = at.y;
  // GetAsyncKeyState reads the physical buttons; swapped buttons swap them.
  const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
  left = ButtonHeld(swapped ? VK_RBUTTON : VK_LBUTTON);
  right = ButtonHeld(swapped ? VK_LBUTTON : VK_RBUTTON);
}

}  // namespace platform::win32
