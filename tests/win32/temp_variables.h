// Points TMP and TEMP, which GetTempPathW reads, at a folder while the object
// lives.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace win32_test {

class TempVariables {
 public:
  explicit TempVariables(const std::wstring& folder) {
    for (const wchar_t* name : {L"TMP", L"TEMP"}) {
      std::wstring value(32767, L'\0');
      const DWORD length =
          GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
      value.resize(length < value.size() ? length : 0);
      saved_.emplace_back(name, std::move(value));
      SetEnvironmentVariableW(name, folder.c_str());
    }
  }
  ~TempVariables() {
    for (const auto& [name, value] : saved_) {
      SetEnvironmentVariableW(name, value.empty() ? nullptr : value.c_str());
    }
  }
  TempVariables(const TempVariables&) = delete;
  TempVariables& operator=(const TempVariables&) = delete;

 private:
  std::vector<std::pair<const wchar_t*, std::wstring>> saved_;
};

}  // namespace win32_test
