// A run's priority and keep-awake on Windows, as power.h counts them.
#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

#include "platform/win32/win32_power.h"

namespace {

using platform::win32::Win32Power;

TEST(Win32PowerTest, ARunRaisesTheThreadAndGivesItsPriorityBack) {
  // On a thread of its own, so that the test's thread keeps its priority.
  std::thread([] {
    Win32Power power;
    const int saved = power.ThreadPriority();
    EXPECT_EQ(saved, 0) << "a new thread runs at normal priority";
    ASSERT_TRUE(power.RaiseThreadPriority());
    EXPECT_EQ(power.ThreadPriority(), Win32Power::kRaisedPriority);
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_HIGHEST);
    EXPECT_TRUE(power.RaiseThreadPriority()) << "already raised";
    ASSERT_TRUE(power.SetThreadPriority(saved));
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_NORMAL);
  }).join();
}

TEST(Win32PowerTest, KeepAwakeHoldsTheDisplayUntilItIsLetGo) {
  Win32Power power;
  power.KeepAwake(true);
  // SetThreadExecutionState answers with the state it replaces.
  const EXECUTION_STATE held =
      SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED);
  EXPECT_NE(held & ES_DISPLAY_REQUIRED, 0u);
  power.KeepAwake(false);
  EXPECT_EQ(SetThreadExecutionState(ES_CONTINUOUS) & ES_DISPLAY_REQUIRED, 0u);
}

}  // namespace
