// A window system that draws nothing: it logs what the program does to its
// windows and contexts ("create 1024x768", "make current 1", "present 3",
// "show maximised", "title …", "icon 64x64", "set cursor hand", "delete
// context 1") and hands out scripted events. Safe to call from the loader
// thread.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/window.h"

namespace platform::fake {

class RecordingWindowSystem final : public WindowSystem {
 public:
  RecordingWindowSystem();
  ~RecordingWindowSystem() override;

  bool Init() override;
  void Shutdown() override { Record("shutdown"); }
  const std::string& LastError() const override { return lastError_; }
  std::unique_ptr<Window> CreateWindow(const WindowCreateInfo& info) override;
  void DeleteContext(GlContext context) override;
  void ReleaseCurrentContext() override { Record("release current"); }
  bool SetSwapInterval(int interval) override;
  int ProbeMultisample(int samples) override;
  bool PollEvent(Event& event) override;
  void PostQuit(int code) override;
  DisplaySize GetDisplaySize() override { return displaySize; }
  int GetRefreshRate() override { return refreshRate; }
  void SetCursorShape(CursorShape shape) override;
  void ShowCursor(bool show) override { Record(show ? "show cursor" : "hide cursor"); }
  void GetGlobalMouse(int& x, int& y, bool& left, bool& right) override;

  // What happened so far, in order.
  std::vector<std::string> log() const;
  void ClearLog();
  // Index of the first entry equal to the text at or after from, or -1.
  int Find(const std::string& entry, int from = 0) const;

  // Events handed out by PollEvent, oldest first.
  void QueueEvent(const Event& event);
  // Called after the n-th present (counted over all windows, from 1), on
  // the presenting thread; may queue events.
  std::function<void(int presents)> onPresent;
  int presents() const;
  // The pixels of the last icon set on any window (R, G, B, A, top row first).
  std::vector<uint8_t> icon() const;

  // Scripting.
  bool initSucceeds = true;
  int failWindowsFrom = 0;  // the n-th and later windows fail; 0 = never
  bool contextsFail = false;
  std::map<int, int> probeAnswers;  // samples asked -> given; missing = 0
  DisplaySize displaySize{1280, 1024};
  int refreshRate = 60;
  bool keyboardFocus = true;
  int mouseX = 0, mouseY = 0;
  bool mouseLeft = false, mouseRight = false;

  // State of the windows and contexts, for checks.
  int liveWindows() const;
  int liveContexts() const;

 private:
  friend class RecordingWindow;
  void Record(const std::string& entry);
  void Present();

  mutable std::mutex mutex_;
  std::vector<std::string> log_;
  std::deque<Event> events_;
  std::string lastError_;
  int windowsCreated_ = 0;
  int liveWindows_ = 0;
  int contextsCreated_ = 0;
  std::map<uintptr_t, bool> liveContexts_;
  int presents_ = 0;
  std::vector<uint8_t> icon_;
};

}  // namespace platform::fake
