// Where the program is and where it may write.
#pragma once

#include <filesystem>
#include <string>

namespace platform {

// The running executable (from /proc/self/exe).
std::filesystem::path ExecutablePath();

// The system's temporary folder as the environment gives it ($TMPDIR or /tmp),
// without creating anything. Used to tell whether the program runs from it.
std::filesystem::path SystemTempDir();

// Where the private per-user folder is or would be:
// <SystemTempDir>/Morvandel.Gauge-<uid>. Nothing is created or checked.
std::filesystem::path PrivateTempDirPath();

// A private per-user folder inside the temporary folder, created with mode
// 0700 on first use and checked to be a real folder owned by this user with
// no access for others. Empty when that cannot be had.
std::filesystem::path PrivateTempDir();

// A folder of that name inside PrivateTempDir(), created with mode 0700 when
// missing. Empty when it cannot be had or something other than a folder
// (a link included) has the name.
std::filesystem::path PrivateTempSubdir(const std::string& name);

// $XDG_CONFIG_HOME, or ~/.config.
std::filesystem::path AppDataDir();

// $XDG_DATA_HOME, or ~/.local/share: the user's data that outlives the
// program (the comparison server's database).
std::filesystem::path UserDataDir();

}  // namespace platform
