#include "platform/sdl/key_map.h"

#include "platform/virtual_keys.h"

namespace platform {

int VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode) {
  // The keypad by position, so that it maps the same with Num Lock on or off.
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9) {
    return vk::kNumpad0 + 1 + (scancode - SDL_SCANCODE_KP_1);
  }
  if (scancode == SDL_SCANCODE_KP_0) return vk::kNumpad0;
  if (scancode == SDL_SCANCODE_KP_ENTER) return vk::kReturn;
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return vk::kF1 + (key - SDLK_F1);
  switch (key) {
    case SDLK_BACKSPACE:
      return vk::kBack;
    case SDLK_TAB:
      return vk::kTab;
    case SDLK_RETURN:
      return vk::kReturn;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return vk::kShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return vk::kControl;
    case SDLK_LALT:
    case SDLK_RALT:
      return vk::kMenu;
    case SDLK_ESCAPE:
      return vk::kEscape;
    case SDLK_SPACE:
      return vk::kSpace;
    case SDLK_PAGEUP:
      return vk::kPrior;
    case SDLK_PAGEDOWN:
      return vk::kNext;
    case SDLK_END:
      return vk::kEnd;
    case SDLK_HOME:
      return vk::kHome;
    case SDLK_LEFT:
      return vk::kLeft;
    case SDLK_UP:
      return vk::kUp;
    case SDLK_RIGHT:
      return vk::kRight;
    case SDLK_DOWN:
      return vk::kDown;
    case SDLK_INSERT:
      return vk::kInsert;
    case SDLK_DELETE:
      return vk::kDelete;
    default:
      return 0;
  }
}

}  // namespace platform
