// The program from start to exit.
#pragma once

#include <string>

namespace app {

// Returns the exit code: 0 when the string archive cannot be loaded, 1 when
// the main window cannot be created, otherwise the quit message's code.
int RunApplication();

// Product name and version, as the window title shows it.
std::string ProductTitle();

}  // namespace app
