#include "platform/fake/recording_window_system.h"

namespace platform::fake {
namespace {

std::string RectText(const Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

const char* ShowText(ShowState state) {
  switch (state) {
    case ShowState::Hidden:
      return "hide";
    case ShowState::Normal:
      return "show normal";
    case ShowState::Maximized:
      return "show maximised";
    case ShowState::Minimized:
      return "show minimised";
  }
  return "show";
}

}  // namespace

// A window's state as a window manager would keep it: the outer rectangle,
// the rectangle it was last shown normally at, its show state and frame.
class RecordingWindow final : public Window {
 public:
  RecordingWindow(RecordingWindowSystem& system, const WindowCreateInfo& info, uint32_t id)
      : system_(system), id_(id), samples_(info.samples), bordered_(info.decorated) {
    rect_ = {info.x, info.y, info.x + info.clientWidth, info.y + info.clientHeight};
    restore_ = rect_;
  }
  ~RecordingWindow() override { system_.Record("destroy window " + std::to_string(id_)); }

  void Show(ShowState state) override {
    if (Placeable()) restore_ = rect_;
    state_ = state;
    if (state == ShowState::Maximized) {
      const DisplaySize screen = system_.displaySize;
      rect_ = {0, 0, screen.width, screen.height};
    } else if (state == ShowState::Normal) {
      rect_ = restore_;
    }
    system_.Record(ShowText(state));
  }
  ShowState GetShowState() const override { return state_; }
  void SetTitle(const std::string& utf8) override { system_.Record("title " + utf8); }
  void SetBordered(bool bordered) override {
    bordered_ = bordered;
    system_.Record(bordered ? "bordered" : "borderless");
  }
  void SetAlwaysOnTop(bool onTop) override { system_.Record(onTop ? "on top" : "not on top"); }
  void SetIcon(int width, int height, std::span<const uint8_t> rgba) override {
    if (width <= 0 || height <= 0 || rgba.size() != size_t{4} * width * height) {
      system_.Record("icon refused");
      return;
    }
    {
      std::lock_guard lock(system_.mutex_);
      system_.icon_.assign(rgba.begin(), rgba.end());
    }
    system_.Record("icon " + std::to_string(width) + "x" + std::to_string(height));
  }
  Rect GetWindowRect() const override { return rect_; }
  Rect GetRestoreRect() const override { return Placeable() ? rect_ : restore_; }
  void SetWindowRect(const Rect& outer) override {
    if (state_ == ShowState::Maximized) state_ = ShowState::Normal;
    rect_ = outer;
    if (Placeable()) restore_ = outer;
    system_.Record("place " + RectText(outer));
  }
  void GetClientSize(int& width, int& height) const override {
    width = rect_.width();
    height = rect_.height();
  }
  bool HasKeyboardFocus() const override { return system_.keyboardFocus; }
  bool IsBordered() const override { return bordered_; }
  int samples() const override { return samples_; }
  uint32_t id() const override { return id_; }

  GlContext CreateContext(bool shareWithCurrent) override {
    std::lock_guard lock(system_.mutex_);
    if (system_.contextsFail) {
      system_.lastError_ = "no context";
      system_.log_.push_back("create context failed");
      return {};
    }
    const int number = ++system_.contextsCreated_;
    system_.liveContexts_[static_cast<uintptr_t>(number)] = true;
    system_.log_.push_back("create context " + std::to_string(number) +
                           (shareWithCurrent ? " shared" : ""));
    return GlContext(static_cast<uintptr_t>(number));
  }
  bool MakeCurrent(GlContext context) override {
    system_.Record("make current " + std::to_string(context.handle()));
    return true;
  }
  void SwapBuffers() override { system_.Present(); }
  bool ChangeDisplayMode(int width, int height, bool& readable) override {
    readable = true;
    system_.Record("change display mode " + std::to_string(width) + "x" + std::to_string(height));
    return true;
  }
  void RestoreDisplayMode() override { system_.Record("restore display mode"); }

 private:
  // A hidden or normal window's rectangle is the one it is restored to.
  bool Placeable() const { return state_ == ShowState::Normal || state_ == ShowState::Hidden; }

  RecordingWindowSystem& system_;
  uint32_t id_;
  int samples_;
  bool bordered_;
  ShowState state_ = ShowState::Hidden;
  Rect rect_;
  Rect restore_;
};

RecordingWindowSystem::RecordingWindowSystem() = default;
RecordingWindowSystem::~RecordingWindowSystem() = default;

bool RecordingWindowSystem::Init() {
  Record(initSucceeds ? "init" : "init failed");
  if (!initSucceeds) lastError_ = "No display could be opened";
  return initSucceeds;
}

std::unique_ptr<Window> RecordingWindowSystem::CreateWindow(const WindowCreateInfo& info) {
  std::string entry =
      "create " + std::to_string(info.clientWidth) + "x" + std::to_string(info.clientHeight);
  if (!info.decorated) entry += " borderless";
  if (info.samples != 0) entry += " samples " + std::to_string(info.samples);
  std::lock_guard lock(mutex_);
  const int number = ++windowsCreated_;
  if (failWindowsFrom != 0 && number >= failWindowsFrom) {
    lastError_ = "window refused";
    log_.push_back(entry + " failed");
    return nullptr;
  }
  log_.push_back(entry);
  ++liveWindows_;
  return std::make_unique<RecordingWindow>(*this, info, static_cast<uint32_t>(number));
}

void RecordingWindowSystem::DeleteContext(GlContext context) {
  if (!context) return;
  std::lock_guard lock(mutex_);
  liveContexts_.erase(context.handle());
  log_.push_back("delete context " + std::to_string(context.handle()));
}

bool RecordingWindowSystem::SetSwapInterval(int interval) {
  Record("swap interval " + std::to_string(interval));
  return true;
}

int RecordingWindowSystem::ProbeMultisample(int samples) {
  const auto found = probeAnswers.find(samples);
  return found == probeAnswers.end() ? 0 : found->second;
}

bool RecordingWindowSystem::PollEvent(Event& event) {
  std::lock_guard lock(mutex_);
  if (events_.empty()) return false;
  event = events_.front();
  events_.pop_front();
  return true;
}

void RecordingWindowSystem::PostQuit(int code) {
  Event event;
  event.type = EventType::Quit;
  event.code = code;
  std::lock_guard lock(mutex_);
  log_.push_back("post quit " + std::to_string(code));
  events_.push_back(event);
}

void RecordingWindowSystem::SetCursorShape(CursorShape shape) {
  Record(shape == CursorShape::Hand ? "set cursor hand" : "set cursor arrow");
}

void RecordingWindowSystem::GetGlobalMouse(int& x, int& y, bool& left, bool& right) {
  x = mouseX;
  y = mouseY;
  left = mouseLeft;
  right = mouseRight;
}

std::vector<std::string> RecordingWindowSystem::log() const {
  std::lock_guard lock(mutex_);
  return log_;
}

void RecordingWindowSystem::ClearLog() {
  std::lock_guard lock(mutex_);
  log_.clear();
}

int RecordingWindowSystem::Find(const std::string& entry, int from) const {
  std::lock_guard lock(mutex_);
  for (size_t i = from < 0 ? 0 : static_cast<size_t>(from); i < log_.size(); ++i) {
    if (log_[i] == entry) return static_cast<int>(i);
  }
  return -1;
}

void RecordingWindowSystem::QueueEvent(const Event& event) {
  std::lock_guard lock(mutex_);
  events_.push_back(event);
}

int RecordingWindowSystem::presents() const {
  std::lock_guard lock(mutex_);
  return presents_;
}

std::vector<uint8_t> RecordingWindowSystem::icon() const {
  std::lock_guard lock(mutex_);
  return icon_;
}

int RecordingWindowSystem::liveWindows() const {
  std::lock_guard lock(mutex_);
  return liveWindows_;
}

int RecordingWindowSystem::liveContexts() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(liveContexts_.size());
}

void RecordingWindowSystem::Record(const std::string& entry) {
  std::lock_guard lock(mutex_);
  if (entry.rfind("destroy window", 0) == 0) --liveWindows_;
  log_.push_back(entry);
}

void RecordingWindowSystem::Present() {
  int n = 0;
  {
    std::lock_guard lock(mutex_);
    n = ++presents_;
    log_.push_back("present " + std::to_string(n));
  }
  if (onPresent) onPresent(n);
}

}  // namespace platform::fake
