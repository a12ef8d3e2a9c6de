// The application's records, owned by one test, with a settings file in a
// scratch folder of its own.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "app/window_proc.h"

namespace apptest {

class AppRecordsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = (std::filesystem::temp_directory_path() / "mg-app-XXXXXX").string();
    ASSERT_NE(mkdtemp(name.data()), nullptr);
    root_ = name;
    app::LocateSettingsFile(store_, {root_ / "bin" / "morvandel-gauge", root_ / "tmp", root_});
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  int StoredInt(std::u16string_view key) {
    return app::ReadIntSetting(store_, store_.productSection, key, -999, -1, -1);
  }
  float StoredFloat(std::u16string_view key) {
    return app::ReadFloatSetting(store_, store_.productSection, key, -999.0f);
  }

  std::filesystem::path root_;
  app::AppState app_;
  app::WindowState win_;
  app::InputState input_;
  app::SettingsStore store_;
  app::AppSettings settings_;
  gui::MenuOverlay menu_;
  bench::BenchmarkPlayer player_;
  app::WindowProcContext ctx_{app_, win_, input_, store_, settings_, menu_, player_};
};

}  // namespace apptest
