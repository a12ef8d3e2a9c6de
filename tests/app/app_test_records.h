// The application record, owned by one test, over a recording window system,
// a scripted clock, a recording power service, a recording audio output and
// a recording renderer, with a settings file in a scratch folder of its own.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "app/application.h"
#include "platform/fake/recording_audio.h"
#include "platform/fake/recording_message_box.h"
#include "platform/fake/recording_power.h"
#include "platform/fake/recording_window_system.h"
#include "platform/fake/scripted_clock.h"
#include "tests/app/recording_renderer.h"

namespace apptest {

template <typename Windows, typename FrameRenderer = RecordingRenderer>
class AppRecordsTestOver : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = (std::filesystem::temp_directory_path() / "mg-app-XXXXXX").string();
    ASSERT_NE(mkdtemp(name.data()), nullptr);
    root_ = name;
    app::LocateSettingsFile(a_.store, {root_ / "bin" / "morvandel-gauge", root_ / "tmp", root_});
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  int StoredInt(std::u16string_view key) {
    return app::ReadIntSetting(a_.store, a_.store.productSection, key, -999, -1, -1);
  }
  float StoredFloat(std::u16string_view key) {
    return app::ReadFloatSetting(a_.store, a_.store.productSection, key, -999.0f);
  }
  std::u16string StoredPlacement() {
    return app::ReadRawSetting(a_.store, u"Program", u"m_win_rc").value_or(u"none");
  }

  std::filesystem::path root_;
  Windows windows_;
  platform::fake::ScriptedClock clock_;
  platform::fake::RecordingPower power_;
  platform::fake::RecordingAudio audio_;
  FrameRenderer renderer_;
  app::Application a_{windows_, clock_, power_, audio_, renderer_};
};

using AppRecordsTest = AppRecordsTestOver<platform::fake::RecordingWindowSystem>;

}  // namespace apptest
