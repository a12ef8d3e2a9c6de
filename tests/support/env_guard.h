// Restores environment variables when a test ends, so that tests that point
// HOME, XDG_CONFIG_HOME, TMPDIR or the locale elsewhere leave no trace.
#pragma once

#include <stdlib.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace test_support {

// setenv and unsetenv, which Windows spells differently.
inline void SetEnv(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value);
#else
  setenv(name, value, 1);
#endif
}

inline void UnsetEnv(const char* name) {
#ifdef _WIN32
  _putenv_s(name, "");
#else
  unsetenv(name);
#endif
}

class EnvGuard {
 public:
  // Remembers the current values of the named variables.
  EnvGuard(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      const char* value = getenv(name);
      saved_.push_back({name, value != nullptr ? std::optional<std::string>(value) : std::nullopt});
    }
  }
  ~EnvGuard() {
    for (const Saved& s : saved_) {
      if (s.value) {
        SetEnv(s.name.c_str(), s.value->c_str());
      } else {
        UnsetEnv(s.name.c_str());
      }
    }
  }
  EnvGuard(const EnvGuard&) = delete;
  EnvGuard& operator=(const EnvGuard&) = delete;

 private:
  struct Saved {
    std::string name;
    std::optional<std::string> value;
  };
  std::vector<Saved> saved_;
};

}  // namespace test_support
