#include "platform/sdl/sdl_power.h"

#include <SDL.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

namespace platform::sdl {
namespace {

id_t CurrentThreadId() { return static_cast<id_t>(syscall(SYS_gettid)); }

}  // namespace

void SdlPower::KeepAwake(bool on) {
  if (on) {
    SDL_DisableScreenSaver();
  } else {
    SDL_EnableScreenSaver();
  }
}

int SdlPower::ThreadPriority() {
  // -1 is a valid nice value: only errno tells a failure.
  errno = 0;
  const int nice = getpriority(PRIO_PROCESS, CurrentThreadId());
  return errno == 0 ? nice : 0;
}

bool SdlPower::RaiseThreadPriority() {
  if (ThreadPriority() <= kRaisedPriority) return true;
  return SetThreadPriority(kRaisedPriority);
}

bool SdlPower::SetThreadPriority(int priority) {
  // A normal user may not lower a nice value (EPERM or EACCES): the run
  // then simply plays at the priority it has.
  return setpriority(PRIO_PROCESS, CurrentThreadId(), priority) == 0;
}

}  // namespace platform::sdl
