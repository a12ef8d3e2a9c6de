// The names of the temporary files ReplaceFileAtomically (file_io.h) writes
// beside a file before renaming them over it, shared by every platform's
// implementation: "." + file name + ".tmp-<pid>-<number>-<attempt>".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// "." + the target's file name + ".tmp-": what every temporary name for that
// target starts with.
std::string ReplaceFilePrefix(std::string_view targetFileName);

// The writer's process id when `name` is one of our temporary names for the
// target (`prefix`, then three decimal numbers joined by "-"), else nothing.
std::optional<long> ReplaceFileWriter(std::string_view name, std::string_view prefix);

}  // namespace platform
