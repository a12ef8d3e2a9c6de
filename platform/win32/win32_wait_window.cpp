#include "platform/win32/win32_wait_window.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/win32/wide_text.h"

namespace platform::win32 {
namespace {

// The message block sits centred below this many pixels from the top.
constexpr int kTextTopOffset = 44;
// The white text lies this far left of and above its black shadow.
constexpr int kShadowOffset = 4;
constexpr int kSmallestFont = 6;
// Wine finds it among the host's fonts; elsewhere GDI picks a sans serif.
constexpr const wchar_t* kFontFamily = L"DejaVu Sans";

std::vector<std::wstring_view> SplitLines(std::u16string_view text) {
  const std::wstring_view all(reinterpret_cast<const wchar_t*>(text.data()), text.size());
  std::vector<std::wstring_view> lines;
  size_t start = 0;
  for (size_t end = all.find(L'\n'); end != std::wstring_view::npos;
       start = end + 1, end = all.find(L'\n', start)) {
    lines.push_back(all.substr(start, end - start));
  }
  lines.push_back(all.substr(start));
  return lines;
}

class Win32WaitWindow final : public WaitWindow {
 public:
  explicit Win32WaitWindow(const WaitWindowInfo& info)
      : width_(info.width),
        height_(info.height),
        picture_(info.picture),
        pictureWidth_(info.pictureWidth),
        pictureHeight_(info.pictureHeight) {}
  ~Win32WaitWindow() override {
    if (window_ != nullptr) DestroyWindow(window_);
    if (memory_ != nullptr) {
      if (previousFont_ != nullptr) SelectObject(memory_, previousFont_);
      SelectObject(memory_, previousBitmap_);
      DeleteDC(memory_);
    }
    if (font_ != nullptr) DeleteObject(font_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
  }
  Win32WaitWindow(const Win32WaitWindow&) = delete;
  Win32WaitWindow& operator=(const Win32WaitWindow&) = delete;

  // Makes the memory bitmap and the window; false when either fails.
  bool Open(Win32WindowSystem& windows, const WaitWindowInfo& info) {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) return false;
    memory_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width_, height_);
    ReleaseDC(nullptr, screen);
    if (memory_ == nullptr || bitmap_ == nullptr) return false;
    previousBitmap_ = SelectObject(memory_, bitmap_);
    FillBlack();
    link_.backing = memory_;
    link_.clientWidth = width_;
    link_.clientHeight = height_;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width_) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height_) / 2;
    window_ = windows.CreateNativeWindow(
        {Wide(info.title), Wide(info.windowClass), WS_POPUP, {x, y, x + width_, y + height_}},
        link_);
    if (window_ == nullptr) return false;
    if (!windows.offscreen()) ShowWindow(window_, SW_SHOW);
    return true;
  }

  uint32_t id() const override { return link_.id; }

  void Paint(std::u16string_view text) override {
    PaintPicture();
    PaintText(SplitLines(text));
    // WM_PAINT copies the memory bitmap, now rather than when the queue is
    // next pumped.
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }

  void Raise() override {
    if (!IsWindowVisible(window_)) return;
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window_);
  }

 private:
  void FillBlack() {
    const RECT all{0, 0, width_, height_};
    FillRect(memory_, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }

  void PaintPicture() {
    if (picture_.empty()) {
      FillBlack();
      return;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = pictureWidth_;
    info.bmiHeader.biHeight = -pictureHeight_;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;  // 0xFFRRGGBB is B, G, R, X in memory
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(memory_, HALFTONE);
    SetBrushOrgEx(memory_, 0, 0, nullptr);
    StretchDIBits(memory_, 0, 0, width_, height_, 0, 0, pictureWidth_, pictureHeight_,
                  picture_.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  }

  void PaintText(const std::vector<std::wstring_view>& lines) {
    ChooseFont(lines);
    TEXTMETRICW metrics{};
    GetTextMetricsW(memory_, &metrics);
    const int lineHeight = metrics.tmHeight;
    const int blockHeight = lineHeight * static_cast<int>(lines.size());
    int y = kTextTopOffset + (height_ - kTextTopOffset - blockHeight) / 2;
    SetBkMode(memory_, TRANSPARENT);
    for (std::wstring_view line : lines) {
      const int x = (width_ - LineWidth(line)) / 2;
      const int length = static_cast<int>(line.size());
      SetTextColor(memory_, RGB(0, 0, 0));
      TextOutW(memory_, x, y, line.data(), length);
      SetTextColor(memory_, RGB(255, 255, 255));
      TextOutW(memory_, x - kShadowOffset, y - kShadowOffset, line.data(), length);
      y += lineHeight;
    }
  }

  // Bold italic at a fifth of the window height, smaller while a line is
  // wider than the window.
  void ChooseFont(const std::vector<std::wstring_view>& lines) {
    for (int pixels = std::max(1, height_ / 5);; --pixels) {
      HFONT font = CreateFontW(-pixels, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                               DEFAULT_PITCH | FF_SWISS, kFontFamily);
      if (font == nullptr) return;
      HGDIOBJ previous = SelectObject(memory_, font);
      if (previousFont_ == nullptr) previousFont_ = previous;
      if (font_ != nullptr) DeleteObject(font_);
      font_ = font;
      int widest = 0;
      for (std::wstring_view line : lines) widest = std::max(widest, LineWidth(line));
      if (widest <= width_ - 2 * kShadowOffset || pixels <= kSmallestFont) return;
    }
  }

  int LineWidth(std::wstring_view line) const {
    SIZE size{};
    GetTextExtentPoint32W(memory_, line.data(), static_cast<int>(line.size()), &size);
    return size.cx;
  }

  int width_;
  int height_;
  std::vector<uint32_t> picture_;
  int pictureWidth_;
  int pictureHeight_;
  WindowLink link_;
  HWND window_ = nullptr;
  HDC memory_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previousBitmap_ = nullptr;
  HGDIOBJ previousFont_ = nullptr;
  HFONT font_ = nullptr;
};

}  // namespace

std::unique_ptr<WaitWindow> CreateWin32WaitWindow(Win32WindowSystem& windows,
                                                  const WaitWindowInfo& info) {
  if (info.width < 1 || info.height < 1) return nullptr;
  const bool pictureFits = info.pictureWidth > 0 && info.pictureHeight > 0 &&
                           info.picture.size() == static_cast<size_t>(info.pictureWidth) *
                                                      static_cast<size_t>(info.pictureHeight);
  WaitWindowInfo checked = info;
  if (!pictureFits) checked.picture.clear();
  auto window = std::make_unique<Win32WaitWindow>(checked);
  if (!window->Open(windows, checked)) return nullptr;
  return window;
}

}  // namespace platform::win32
