#include "platform/sdl/key_map.h"

#include <gtest/gtest.h>

#include "platform/virtual_keys.h"

namespace {

struct KeyCase {
  SDL_Keycode key;
  SDL_Scancode scancode;
  int vk;
};

TEST(KeyMapTest, MapsTheKeysTheProgramReads) {
  const KeyCase cases[] = {
      {SDLK_a, SDL_SCANCODE_A, 'A'},
      {SDLK_w, SDL_SCANCODE_W, 'W'},
      {SDLK_z, SDL_SCANCODE_Z, 'Z'},
      {SDLK_0, SDL_SCANCODE_0, '0'},
      {SDLK_9, SDL_SCANCODE_9, '9'},
      {SDLK_F1, SDL_SCANCODE_F1, 0x70},
      {SDLK_F8, SDL_SCANCODE_F8, 0x77},
      {SDLK_F11, SDL_SCANCODE_F11, 0x7A},
      {SDLK_F12, SDL_SCANCODE_F12, 0x7B},
      {SDLK_LEFT, SDL_SCANCODE_LEFT, 0x25},
      {SDLK_UP, SDL_SCANCODE_UP, 0x26},
      {SDLK_RIGHT, SDL_SCANCODE_RIGHT, 0x27},
      {SDLK_DOWN, SDL_SCANCODE_DOWN, 0x28},
      {SDLK_HOME, SDL_SCANCODE_HOME, 0x24},
      {SDLK_END, SDL_SCANCODE_END, 0x23},
      {SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, 0x21},
      {SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, 0x22},
      {SDLK_TAB, SDL_SCANCODE_TAB, 0x09},
      {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, 0x10},
      {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, 0x10},
      {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 0x1B},
      {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 0x08},
      {SDLK_RETURN, SDL_SCANCODE_RETURN, 0x0D},
      {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 0x0D},
      // The keypad maps by position: with Num Lock off SDL reports the
      // arrow meaning, but the water keys must still work.
      {SDLK_KP_2, SDL_SCANCODE_KP_2, 0x62},
      {SDLK_DOWN, SDL_SCANCODE_KP_2, 0x62},
      {SDLK_KP_3, SDL_SCANCODE_KP_3, 0x63},
      {SDLK_KP_8, SDL_SCANCODE_KP_8, 0x68},
      {SDLK_UP, SDL_SCANCODE_KP_8, 0x68},
      {SDLK_KP_9, SDL_SCANCODE_KP_9, 0x69},
      {SDLK_KP_0, SDL_SCANCODE_KP_0, 0x60},
      {SDLK_CAPSLOCK, SDL_SCANCODE_CAPSLOCK, 0},
  };
  for (const KeyCase& c : cases) {
    EXPECT_EQ(platform::VirtualKeyFromSdl(c.key, c.scancode), c.vk)
        << SDL_GetKeyName(c.key) << " / scancode " << c.scancode;
  }
}

}  // namespace
