#include "tests/settings/settings_fuzz_check.h"

#include "app/settings/ini_document.h"
#include "app/settings/settings_file.h"

namespace settings_test {

const char* CheckSettingsBytes(std::string_view bytes) {
  app::IniDocument doc(app::DecodeSettingsText(bytes));
  const std::u16string text = doc.Text();
  if (app::IniDocument(text).Text() != text) return "text changes when read again";

  doc.Set(u"Program", u"TestIni", u"eeee");
  doc.Set(u"Morvandel.Gauge", u"m_p_x", u"-12");
  if (doc.Get(u"PROGRAM", u"testini") != u"eeee") return "probe value not read back";
  if (doc.Get(u"morvandel.gauge", u"M_P_X") != u"-12") return "written key not read back";

  const std::u16string written = doc.Text();
  const app::IniDocument reread(app::DecodeSettingsText(app::EncodeSettingsText(written)));
  if (reread.Text() != written) return "file encoding does not round-trip";
  return nullptr;
}

}  // namespace settings_test
