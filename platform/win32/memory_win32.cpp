// Memory on Windows: large pages need a privilege ordinary users lack, so
// the program runs on as it is; freed memory goes back through the C
// runtime's heap.
#include <malloc.h>

#include "platform/memory.h"

namespace platform {

void RestartWithHugePages(char**) {}

void ReturnFreedMemory() { _heapmin(); }

}  // namespace platform
