// Looking up GL functions by name in the current context. Some window systems
// (GLX among them) return a non-null address for any name, so a non-null
// result alone does not prove the driver offers the function: check the
// extension string or the GL version as well.
#pragma once

namespace platform {

// The address of GL function `name`, or null when the lookup finds nothing.
void* GetGlProcAddress(const char* name);

}  // namespace platform
