// A full repaint of a menu page like the main one (header, title, four
// option rows, two big buttons, the result line, links) at 1920 x 1080,
// with Pango and Cairo. Upload to the texture is not included.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "gui/menu_overlay.h"
#include "gui/menu_widgets.h"
#include "platform/sdl/canvas_cairo.h"

namespace {

using platform::Rect;

void DrawPage(gui::MenuOverlay& menu, platform::Canvas& canvas, const Rect& area) {
  const int r = static_cast<int>(menu.fonts.height * 1.5);
  const int h = area.bottom - 1;
  const int w = area.right;
  const std::vector<gui::OptionChoice> screen = {
      {u"Full Screen", u"S0", true}, {u"1024x768", u"S1"}, {u"1366\u00D7768", u"S2"}};
  const std::vector<gui::OptionChoice> render = {
      {u"Low", u"GK0"}, {u"Medium", u"GK1", true}, {u"High", u"GK2"}};
  const std::vector<gui::OptionChoice> aa = {{u"Off", u"AA--Off", true},
                                             {u"MSAA: 2 X", u"AA--MSAA: 2 X"},
                                             {u"MSAA: 4 X", u"AA--MSAA: 4 X"}};
  std::vector<gui::OptionChoice> light;
  for (const char16_t* t : {u"-30 %", u"-20 %", u"-10 %", u"0 %", u"10 %", u"20 %", u"30 %"}) {
    light.push_back({t, std::u16string(u"Light:") + t, t[0] == u'0'});
  }
  gui::DrawOptionRow(menu, canvas, {0, h - 5 * r, w, h - 4 * r}, menu.fonts.medium, u"Brightness",
                     light);
  gui::DrawOptionRow(menu, canvas, {0, h - 6 * r, w, h - 5 * r}, menu.fonts.medium, u"Antialiasing",
                     aa);
  gui::DrawOptionRow(menu, canvas, {0, h - 7 * r, w, h - 6 * r}, menu.fonts.medium, u"Render Mode",
                     render);
  gui::DrawOptionRow(menu, canvas, {0, h - 8 * r, w, h - 7 * r}, menu.fonts.medium, u"Bench. Res.",
                     screen);
  menu.outline = false;
  gui::DrawButton(menu, canvas, {0, h - 11 * r, w, h - 10 * r}, menu.fonts.medium,
                  {u"Last average FPS: 0.00 // Bench-Time 0.00 sec.", u"LastFPS", gui::kWhite});
  gui::DrawButton(menu, canvas, {0, h - 10 * r, w, h - 8 * r}, menu.fonts.big,
                  {u">>> Start Benchmark <<<", u"Start"});
  const char16_t* links[] = {u"> Donate", u"> FAQ", u"> LNG", u"> Extras"};
  for (int i = 0; i < 4; ++i) {
    gui::DrawLink(menu, canvas, {w * i / 4, h - 2 * r, w * (i + 1) / 4, h - r}, menu.fonts.small,
                  {links[i], u"#"});
  }
  gui::DrawButton(menu, canvas, {0, h - r, w, h}, menu.fonts.small,
                  {u"https://example.invalid // Freeware", u"WWW"});
  gui::DrawButton(menu, canvas, {0, h - 4 * r, w, h - 2 * r}, menu.fonts.big,
                  {u">>> Start Autopilot <<<", u"StartAP"});
}

void BM_FullRepaint1920x1080(benchmark::State& state) {
  gui::MenuOverlay menu;
  menu.hooks.createCanvas = platform::sdl::CreateCairoCanvas;
  menu.hooks.text = [](int id) { return std::u16string(id == 14 ? u"Exit program" : u"OK"); };
  menu.hooks.title = u"Morvandel.Gauge 1.0";
  menu.hooks.drawPage = DrawPage;
  gui::PaintMenu(menu, 1920, 1080);
  for (auto _ : state) {
    gui::RequestRedraw(menu);
    benchmark::DoNotOptimize(gui::PaintMenu(menu, 1920, 1080));
    benchmark::DoNotOptimize(menu.canvas->Pixels());
  }
}
BENCHMARK(BM_FullRepaint1920x1080)->Unit(benchmark::kMillisecond);

}  // namespace
