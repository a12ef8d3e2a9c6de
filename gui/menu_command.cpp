#include "gui/menu_command.h"

#include "platform/text_codec.h"

namespace gui {

std::u16string CommandText(const Command& command) {
  static constexpr const char16_t* kNames[kCommandKinds] = {u"None",
                                                            u"Back",
                                                            u"ShowPage",
                                                            u"OpenLink",
                                                            u"ChooseLanguage",
                                                            u"ChooseAntialiasing",
                                                            u"ChooseBrightness",
                                                            u"ChooseQuality",
                                                            u"ChooseScreen",
                                                            u"StartRun",
                                                            u"StartAutopilot",
                                                            u"Exit",
                                                            u"MailRecommendation",
                                                            u"MailProgram",
                                                            u"LoadTranslation",
                                                            u"ExportTranslation",
                                                            u"Compare",
                                                            u"Screenshot"};
  const int kind = static_cast<int>(command.kind);
  std::u16string text = kind >= 0 && kind < kCommandKinds ? kNames[kind] : u"?";
  return text + u" " + platform::FormatInt(command.value);
}

}  // namespace gui
