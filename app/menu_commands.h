// The commands the menu's items carry ("Start", "GK1", "#LNG:3", ...), run
// when the user clicks an item. Every setting a command changes is kept in
// memory and written to the settings file at once.
#pragma once

#include <string>
#include <string_view>

#include "app/application.h"
#include "platform/system_info.h"

namespace app {

// The number of a command of the form "text:number": the second field when
// the command is split at ":", read as a leading decimal integer (blanks and
// a sign allowed); 0 when there is no ":" or no digits.
int CommandNumber(std::u16string_view command);

// Runs one command. The commands are tried in a fixed order, exact texts
// and prefixes ("#LNG:", "AA--", "Light") mixed; a text that matches none,
// or a language number the string archive does not have, shows a box with
// the command as its text and "command?" as its caption and changes
// nothing. `system` describes the machine for "Compare".
void ExecuteCommand(Application& a, const std::u16string& command, platform::SystemInfo& system);

}  // namespace app
