#include "bench/result_page.h"

#include "bench/fixed_text.h"

namespace bench {
namespace {

using platform::WString;

WString Text(const StringLookup& text, int id) {
  const char16_t* s = text ? text(id) : nullptr;
  return s != nullptr ? WString(s) : WString();
}

WString Fixed2(double value) { return platform::Ascii(FormatFixed(value, 2)); }

WString Wide8(const std::string& bytes) { return platform::AnsiToUtf16(bytes); }

std::string Utf8(const std::string& bytes) {
  return platform::Utf16ToUtf8(platform::AnsiToUtf16(bytes));
}

WString PageText(const StoredResult& r, const GlStrings& gl, const std::string& osVersion,
                 const StringLookup& text) {
  using platform::FormatInt;
  WString s = Text(text, kIdLastAverageFps) + u": " + Fixed2(r.averageFps) + u"\n " +
              Text(text, kIdBenchTime) + u" " + Fixed2(r.benchTime) + u"\n";
  s += FormatInt(r.width) + u" x " + FormatInt(r.height) + u" / ";
  s += u"MSAA " + FormatInt(r.antialiasing) + u"\n";
  s += Text(text, kIdRenderMode) + u": " + ModeName(r.mode, text);
  s += u"\n" + Wide8(gl.renderer) + u"\nOpenGL: " + Wide8(gl.version) + u"\n" + Wide8(gl.vendor);
  s += u"\nOS: " + Wide8(osVersion) + u" x64";
  return s;
}

WString ButtonText(const StringLookup& text, int id) {
  return u">>>>> [ ... " + Text(text, id) + u" ] <<<<<";
}

}  // namespace

WString FormatLastResultLine(const StoredResult& result, const StringLookup& text) {
  return Text(text, kIdLastAverageFps) + u": " + Fixed2(result.averageFps) + u" // " +
         Text(text, kIdBenchTime) + u" " + Fixed2(result.benchTime) + u" sec.";
}

WString ModeName(int mode, const StringLookup& text) {
  switch (mode) {
    case 0:
      return Text(text, kIdModeHigh);
    case 1:
      return Text(text, kIdModeMedium);
    case 2:
      return Text(text, kIdModeLow);
    default:
      return {};
  }
}

ResultsPage LayoutResultsPage(const platform::Rect& area, const StoredResult& result,
                              const GlStrings& gl, const std::string& osVersion,
                              const StringLookup& text, bool freshResult) {
  const int t = static_cast<int>(area.height() * 0.23);
  ResultsPage page;
  page.block.rect = {area.left, area.top, area.right, area.top + 3 * t};
  page.block.text = PageText(result, gl, osVersion, text);
  int top = page.block.rect.bottom;
  const auto addButton = [&](int id, ResultsAction action) {
    const int bottom = static_cast<int>(top + t * 0.65);
    page.buttons.push_back({{area.left, top, area.right, bottom}, ButtonText(text, id), action});
    top = bottom;
  };
  if (freshResult) addButton(kIdCompare, ResultsAction::Compare);
  addButton(kIdScreenShot, ResultsAction::Screenshot);
  return page;
}

std::string BuildResultRecord(const StoredResult& r, const RecordContext& c) {
  const auto integer = [](int v) { return std::to_string(v); };
  std::string s = "MSA:" + integer(c.sampleCount) + "\nMode:" + integer(r.mode) +
                  "\nFPS:" + FormatFixed(r.averageFps, 6) + "\nScreenW:" + integer(r.width) +
                  "\nScreenH:" + integer(r.height) + "\nGL_VERSION:" + Utf8(c.gl.version) +
                  "\nGL_RENDERER:" + Utf8(c.gl.renderer) + "\nGL_VENDOR:" + Utf8(c.gl.vendor) +
                  "\nENDE:ENDE\n";
  s += "MGTS:" + FormatFixed(r.maxMegaTris, 6) + "\n";
  s += "\n\nOSVer:" + c.osVersion;
  s += "\nBit:64";
  s += "\nVersion:" + Utf8(c.version) + "\n";
  s += c.systemText;
  return s;
}

}  // namespace bench
