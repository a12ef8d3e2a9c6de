// Where the program is and where it may write.
#pragma once

#include <filesystem>
#include <string>

namespace platform {

// The running executable (from /proc/self/exe).
std::filesystem::path ExecutablePath();

// Where an installed program keeps its read-only data (the rock model):
// `fromBinDir` taken from the executable's folder and normalised, e.g.
// /usr/bin/morvandel-gauge with "../share/morvandel-gauge" gives
// /usr/share/morvandel-gauge. Nothing is checked.
std::filesystem::path DataDirBeside(const std::filesystem::path& executable,
                                    const std::filesystem::path& fromBinDir);

// DataDirBeside for the running executable and the layout `cmake --install`
// gives it (bin/ and share/morvandel-gauge/ under one prefix).
std::filesystem::path InstalledDataDir();

// The file to read for a data file the program looks for at a relative path:
// `relative` itself when that file is in the working folder `workingDir`
// (empty: the current one), else dataDir / relative when it is there. Empty
// when neither holds it; a folder of that name does not count.
std::filesystem::path FindDataFile(const std::filesystem::path& relative,
                                   const std::filesystem::path& workingDir,
                                   const std::filesystem::path& dataDir);

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

// Creates the folder and its missing parents, the new ones for this user
// alone (mode 0700, or an access list for the user); existing ones stay as
// they are. True when the folder is there afterwards.
bool MakeUserFolders(const std::filesystem::path& folder);

// $XDG_CONFIG_HOME, or ~/.config.
std::filesystem::path AppDataDir();

// $XDG_DATA_HOME, or ~/.local/share: the user's data that outlives the
// program (the comparison server's database).
std::filesystem::path UserDataDir();

}  // namespace platform
