// What the menu's pages show of the running program.
#pragma once

#include <string>

#include "app/application.h"
#include "gui/menu_pages.h"
#include "platform/system_info.h"

namespace app {

// The settings, antialiasing modes, display size, homepage, last result, GL
// strings and languages as they are now. `osVersion` is major.minor.build.
gui::MenuPageData CollectMenuPageData(const Application& a, const std::string& osVersion);

// Sets the menu's page drawing: each repaint draws the current page from
// the program's state at that moment. `system` tells the OS version.
void WireMenuPages(Application& a, platform::SystemInfo& system);

}  // namespace app
