#include "tests/settings/settings_fuzz_check.h"

#include "app/settings/ini_document.h"
#include "app/settings/settings_values.h"
#include "platform/text_codec.h"

namespace settings_test {

const char* CheckSettingsBytes(std::string_view bytes) {
  const std::u16string decoded = platform::DecodeTextFile(bytes);
  app::IniDocument doc(decoded);
  const std::u16string text = doc.Text();
  // Any text reads as some value; the clamp always lands in its range.
  app::IntFromSettingText(decoded, 1, -1, -1);
  const float gamma = app::ClampGamma(app::FloatFromSettingText(decoded));
  if (!(gamma >= 0.5f && gamma <= 1.5f)) return "brightness outside its range";
  if (app::IniDocument(text).Text() != text) return "text changes when read again";

  doc.Set(u"Program", u"TestIni", u"eeee");
  doc.Set(u"Morvandel.Gauge", u"m_p_x", u"-12");
  if (doc.Get(u"PROGRAM", u"testini") != u"eeee") return "probe value not read back";
  if (doc.Get(u"morvandel.gauge", u"M_P_X") != u"-12") return "written key not read back";

  const std::u16string written = doc.Text();
  const app::IniDocument reread(platform::DecodeTextFile(platform::EncodeUtf16LeWithBom(written)));
  if (reread.Text() != written) return "file encoding does not round-trip";
  return nullptr;
}

}  // namespace settings_test
