// The program's memory at start-up.
//
// Start-up touches a few hundred megabytes for the first time (the terrain's
// arrays, the grass instances the driver copies). On 2 MB pages that takes a
// small part of the page faults it takes on 4 kB pages: building the terrain
// drops from about 0.9 s to 0.4 s on the test machines.
//
// The C library puts its allocations on transparent huge pages only when
// asked through its tunables, which it reads once, when a program starts.
// So on a system that hands out huge pages on request (the kernel's
// "madvise" mode, Debian's default) the program starts itself once more with
// the tunable set, and then gives its caller's tunables back to the
// environment, so programs it starts (browser, mail) see the user's own.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The C library's tunables (GLIBC_TUNABLES; null when unset) with huge pages
// for the allocator added; nothing when they already choose.
std::optional<std::string> TunablesWithHugePages(const char* current);

// The kernel's transparent huge page mode as
// /sys/kernel/mm/transparent_hugepage/enabled shows it ("always [madvise]
// never"): true when pages come only on request.
bool HugePagesOnRequest(std::string_view enabledFile);

// Called first in main. Starts the program again (same file, same
// arguments) when that brings huge pages; returns when it does not or when
// starting fails. After the restart it puts the caller's tunables back.
void RestartWithHugePages(char** argv);

// Gives the memory the loader's temporary arrays held, now free, back to the
// system, so the running program holds only what it uses (about 40 MB less).
void ReturnFreedMemory();

}  // namespace platform
