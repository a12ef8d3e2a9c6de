// What a menu item does when it is clicked: a kind and its number, made
// where the page draws the item, so that a misspelt command cannot exist.
// The program runs them through one table (app/menu_commands.cpp).
#pragma once

#include <string>

namespace gui {

enum class CommandKind {
  None,                // clicking does nothing
  Back,                // the previous page; on the main page the menu hides
  ShowPage,            // value: the page
  OpenLink,            // value: a Link
  ChooseLanguage,      // value: the language's number in the string archive
  ChooseAntialiasing,  // value: the sample count, 0 for none
  ChooseBrightness,    // value: per cent brighter (negative: darker)
  ChooseQuality,       // value: 0 low, 1 medium, 2 high
  ChooseScreen,        // value: 0 full screen, 1..3 the window sizes
  StartRun,
  StartAutopilot,
  Exit,
  MailRecommendation,
  MailProgram,
  LoadTranslation,
  ExportTranslation,
  Compare,
  Screenshot,
};
inline constexpr int kCommandKinds = static_cast<int>(CommandKind::Screenshot) + 1;

// The addresses the link items open.
enum class Link { Faq, Homepage, More, Donate, History, Thanks, Results };

struct Command {
  CommandKind kind = CommandKind::None;
  int value = 0;
  bool operator==(const Command&) const = default;
};

constexpr Command Do(CommandKind kind, int value = 0) { return {kind, value}; }
constexpr Command OpenLink(Link link) { return {CommandKind::OpenLink, static_cast<int>(link)}; }

// A short text naming the command and its number ("ChooseQuality 2"), for
// messages and test output.
std::u16string CommandText(const Command& command);

}  // namespace gui
