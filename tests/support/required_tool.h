// A test that needs something scripts/deps.sh installs (a program, a locale)
// skips without it on a developer's machine, saying why. Under CI=true the
// install ran first, so a missing tool means a broken install: the test fails.
#pragma once

#include <stdlib.h>

#include <string_view>

namespace test_support {

inline bool InContinuousIntegration() {
  const char* ci = getenv("CI");
  return ci != nullptr && std::string_view(ci) == "true";
}

}  // namespace test_support

// Use in a test's body or SetUp(): ends the test when `available` is false.
#define MG_REQUIRE_INSTALLED(available, what)                                           \
  do {                                                                                  \
    if (!(available)) {                                                                 \
      if (test_support::InContinuousIntegration())                                      \
        FAIL() << what << " is missing although scripts/deps.sh installs it (CI=true)"; \
      GTEST_SKIP() << what << " is missing (scripts/deps.sh installs it)";              \
    }                                                                                   \
  } while (false)
