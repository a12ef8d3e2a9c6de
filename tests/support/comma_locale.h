// A locale whose decimal separator is a comma, set for LC_NUMERIC while the
// object lives. This machine may have none installed: then one is compiled
// into a scratch folder (LOCPATH), and only when that fails too is it
// inactive, for the test to skip saying why. Windows has its locales built
// in, under names of its own.
#pragma once

#include <stdlib.h>

#include <clocale>
#include <string>

#include "platform/shell.h"
#include "tests/support/env_guard.h"
#include "tests/support/required_tool.h"
#include "tests/support/test_files.h"

namespace test_support {

class CommaLocale {
 public:
#ifdef _WIN32
  CommaLocale() { Use("German_Germany.1252"); }
#else
  CommaLocale() : env_({"LOCPATH"}) {
    if (Use(kName)) return;
    const platform::CommandResult made = platform::RunCommand(
        {{"localedef", "-i", "de_DE", "-f", "UTF-8", (folder_.path() / kName).string()}});
    if (!made.started || made.exitCode != 0) return;
    SetEnv("LOCPATH", folder_.path().c_str());
    Use(kName);
  }
#endif
  ~CommaLocale() { std::setlocale(LC_NUMERIC, "C"); }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;

  bool active() const { return active_; }

 private:
  static constexpr const char* kName = "de_DE.UTF-8";
  bool Use(const char* name) {
    active_ = std::setlocale(LC_NUMERIC, name) != nullptr &&
              std::string(std::localeconv()->decimal_point) == ",";
    return active_;
  }
#ifndef _WIN32
  ScratchFolder folder_;
  EnvGuard env_;
#endif
  bool active_ = false;
};

}  // namespace test_support
