#include "app/start_failure.h"

#include <gtest/gtest.h>

#include "platform/fake/recording_message_box.h"

namespace {

using app::StartFailure;

TEST(StartFailureTest, SaysWhatIsMissingInTheUsersLanguageOrInEnglish) {
  const struct {
    StartFailure failure;
    int language;
    const char* detail;
    std::u16string_view caption;
    std::u16string_view words;  // a part of the text
  } cases[] = {
      {StartFailure::GlExtension, 1, "GL_ARB_shader_objects", u"Morvandel.Gauge cannot start",
       u"lacks the OpenGL extension GL_ARB_shader_objects, which"},
      {StartFailure::GlExtension, 0, "GL_ARB_shading_language_100",
       u"Morvandel.Gauge kann nicht starten",
       u"fehlt die OpenGL-Erweiterung GL_ARB_shading_language_100, die"},
      {StartFailure::Multitexture, 2, "", u"Morvandel.Gauge ne peut pas démarrer",
       u"multitexturage OpenGL"},
      {StartFailure::GlContext, 13, "no visual", u"Morvandel.Gauge no puede iniciarse",
       u"para la ventana (no visual)"},  // Spanish (Venezuela) reads Spanish
      {StartFailure::StringArchive, 3, "", u"Morvandel.Gauge cannot start",
       u"Install Morvandel.Gauge again."},  // no Japanese words here: English
      {StartFailure::GlContext, 99, "", u"Morvandel.Gauge cannot start",
       u"for the window (?)"},  // an unknown language, and no reason given
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.failure) << " in " << c.language);
    const app::StartFailureMessage message =
        app::DescribeStartFailure(c.failure, c.language, c.detail);
    EXPECT_EQ(message.caption, c.caption);
    EXPECT_NE(message.text.find(c.words), std::u16string::npos);
    EXPECT_EQ(message.text.find(u"{}"), std::u16string::npos);
  }
}

TEST(StartFailureTest, EveryLanguageHasItsOwnWordsForEveryFailure) {
  for (const StartFailure failure : {StartFailure::StringArchive, StartFailure::GlContext,
                                     StartFailure::Multitexture, StartFailure::GlExtension}) {
    const std::u16string english = app::DescribeStartFailure(failure, 1, "x").text;
    for (const int language : {0, 2, 5, 7}) {
      const std::u16string text = app::DescribeStartFailure(failure, language, "x").text;
      EXPECT_NE(text, english) << static_cast<int>(failure) << " in " << language;
    }
  }
}

TEST(StartFailureTest, IsShownInAnErrorBox) {
  platform::fake::RecordingMessageBox boxes;
  app::ReportStartFailure(StartFailure::GlExtension, 1, "GL_ARB_shader_objects");
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].icon, platform::MessageIcon::Error);
  EXPECT_EQ(boxes.boxes()[0].caption, u"Morvandel.Gauge cannot start");
}

}  // namespace
