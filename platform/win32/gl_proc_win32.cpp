#include <windows.h>

#include <cstdint>

#include "platform/gl_proc.h"

namespace platform {
namespace {

// Drivers answer 0, 1, 2, 3 or -1 for names they do not know.
bool IsFailure(PROC address) {
  const auto value = reinterpret_cast<intptr_t>(address);
  return value >= -1 && value <= 3;
}

}  // namespace

void* GetGlProcAddress(const char* name) {
  if (name == nullptr) return nullptr;
  PROC address = wglGetProcAddress(name);
  // The GL 1.1 functions are exported by opengl32.dll and not given by
  // wglGetProcAddress.
  if (IsFailure(address)) {
    HMODULE library = GetModuleHandleW(L"opengl32.dll");
    address = library != nullptr ? GetProcAddress(library, name) : nullptr;
  }
  return reinterpret_cast<void*>(address);
}

}  // namespace platform
