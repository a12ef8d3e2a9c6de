// The commands the menu's items carry (gui/menu_command.h), run when the
// user clicks an item. Every setting a command changes is kept in memory and
// written to the settings file at once.
#pragma once

#include "app/application.h"
#include "gui/menu_command.h"
#include "platform/system_info.h"

namespace app {

// Runs one command through the table of handlers. A language number the
// string archive does not have shows a box naming it, with "command?" as
// its caption, and changes nothing. `system` describes the machine for
// Compare.
void ExecuteCommand(Application& a, const gui::Command& command, platform::SystemInfo& system);

}  // namespace app
