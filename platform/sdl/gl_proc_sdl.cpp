#include <SDL.h>

#include "platform/gl_proc.h"

namespace platform {

void* GetGlProcAddress(const char* name) { return SDL_GL_GetProcAddress(name); }

}  // namespace platform
