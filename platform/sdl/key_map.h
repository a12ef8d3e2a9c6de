// SDL keys to Windows virtual-key codes.
#pragma once

#include <SDL.h>

namespace platform {

// 0 for keys the program does not know.
int VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode);

}  // namespace platform
