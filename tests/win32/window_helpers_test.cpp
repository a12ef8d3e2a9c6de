// The parts of the Win32 window system that need no window: messages turned
// into events, WGL extension lists, and GL names looked up without a context.
#include <gtest/gtest.h>

#include "platform/gl_proc.h"
#include "platform/win32/win32_events.h"
#include "platform/win32/win32_pixel_format.h"

namespace {

using platform::Event;
using platform::EventType;
using platform::win32::EventFromMessage;
using platform::win32::ListsExtension;

TEST(WindowEventsTest, MessagesBecomeEventsOfTheWindow) {
  struct Case {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    Event expected;
  };
  const Case cases[] = {
      {WM_CLOSE, 0, 0, {.type = EventType::Close}},
      {WM_SIZE,
       SIZE_RESTORED,
       MAKELPARAM(640, 480),
       {.type = EventType::Size, .width = 640, .height = 480}},
      {WM_SIZE,
       SIZE_MAXIMIZED,
       MAKELPARAM(1920, 1009),
       {.type = EventType::Size, .width = 1920, .height = 1009}},
      {WM_ACTIVATE, WA_CLICKACTIVE, 0, {.type = EventType::Activate, .active = true}},
      {WM_ACTIVATE, WA_INACTIVE, 0, {.type = EventType::Activate, .active = false}},
      {WM_KEYDOWN, VK_ESCAPE, 0x00010001, {.type = EventType::KeyDown, .vk = VK_ESCAPE}},
      // Alt and F10 come as system keys; the program sees them as any key.
      {WM_SYSKEYDOWN, VK_F10, 0, {.type = EventType::KeyDown, .vk = VK_F10}},
      {WM_SYSKEYDOWN, VK_MENU, 0x20000000, {.type = EventType::KeyDown, .vk = VK_MENU}},
      {WM_KEYUP, 'A', 0, {.type = EventType::KeyUp, .vk = 'A'}},
      {WM_SYSKEYUP, VK_MENU, 0, {.type = EventType::KeyUp, .vk = VK_MENU}},
      {WM_MOUSEMOVE, 0, MAKELPARAM(12, 34), {.type = EventType::MouseMove, .x = 12, .y = 34}},
      // A captured drag reports positions left of and above the window.
      {WM_MOUSEMOVE,
       MK_LBUTTON,
       MAKELPARAM(-5, -7),
       {.type = EventType::MouseMove, .x = -5, .y = -7}},
      {WM_LBUTTONDOWN,
       MK_LBUTTON,
       MAKELPARAM(1, 2),
       {.type = EventType::LButtonDown, .x = 1, .y = 2}},
      {WM_LBUTTONUP, 0, MAKELPARAM(3, 4), {.type = EventType::LButtonUp, .x = 3, .y = 4}},
      {WM_RBUTTONDOWN,
       MK_RBUTTON,
       MAKELPARAM(5, 6),
       {.type = EventType::RButtonDown, .x = 5, .y = 6}},
      {WM_RBUTTONUP, 0, MAKELPARAM(7, 8), {.type = EventType::RButtonUp, .x = 7, .y = 8}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "message 0x" << std::hex << c.message);
    const std::optional<Event> event = EventFromMessage(c.message, c.wParam, c.lParam, 3);
    ASSERT_TRUE(event.has_value());
    EXPECT_EQ(event->windowId, 3u);
    EXPECT_EQ(event->type, c.expected.type);
    EXPECT_EQ(event->vk, c.expected.vk);
    EXPECT_EQ(event->x, c.expected.x);
    EXPECT_EQ(event->y, c.expected.y);
    EXPECT_EQ(event->width, c.expected.width);
    EXPECT_EQ(event->height, c.expected.height);
    EXPECT_EQ(event->active, c.expected.active);
  }
}

TEST(WindowEventsTest, MessagesOfNoEventGiveNone) {
  // A minimised window reports 0 x 0, which is no size to draw at.
  EXPECT_FALSE(EventFromMessage(WM_SIZE, SIZE_MINIMIZED, 0, 1));
  EXPECT_FALSE(EventFromMessage(WM_PAINT, 0, 0, 1));
  EXPECT_FALSE(EventFromMessage(WM_CHAR, 'a', 0, 1));
  EXPECT_FALSE(EventFromMessage(WM_MBUTTONDOWN, MK_MBUTTON, 0, 1));
}

TEST(WglExtensionListTest, NamesMatchWholeWordsOnly) {
  const char* list = "WGL_ARB_pixel_format WGL_ARB_multisample_x WGL_EXT_swap_control";
  EXPECT_TRUE(ListsExtension(list, "WGL_ARB_pixel_format"));
  EXPECT_TRUE(ListsExtension(list, "WGL_EXT_swap_control"));
  EXPECT_FALSE(ListsExtension(list, "WGL_ARB_multisample"));
  EXPECT_FALSE(ListsExtension(list, "ARB_pixel_format"));
  EXPECT_FALSE(ListsExtension(list, ""));
  EXPECT_FALSE(ListsExtension("", "WGL_ARB_multisample"));
  // Drivers end the list with a space; a later whole name still counts.
  EXPECT_TRUE(ListsExtension("WGL_ARB_multisample_x WGL_ARB_multisample ", "WGL_ARB_multisample"));
}

// wglGetProcAddress knows nothing without a current context, and never the
// GL 1.1 functions: those come from opengl32.dll's exports.
TEST(GlProcAddressTest, OpenGl11NamesResolveWithoutAContext) {
  EXPECT_NE(platform::GetGlProcAddress("glClear"), nullptr);
  EXPECT_NE(platform::GetGlProcAddress("glReadPixels"), nullptr);
  EXPECT_EQ(platform::GetGlProcAddress("glNoSuchFunction"), nullptr);
  EXPECT_EQ(platform::GetGlProcAddress(nullptr), nullptr);
}

}  // namespace
