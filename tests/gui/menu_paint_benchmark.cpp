// A full repaint of the menu's main page (header, title, ticker, four option
// rows, the result line, two big buttons, links, homepage line) at
// 1920 x 1080, with Pango and Cairo. Upload to the texture is not included.
#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "gui/menu_pages.h"
#include "platform/sdl/canvas_cairo.h"

namespace {

// English texts of the ids the main page shows.
const std::map<int, std::u16string> kTexts = {
    {2, u"Morvandel.Gauge is a small but effective 3D benchmark"},
    {3, u"Compare your graphics card with others"},
    {4, u"You can end the program at any time with the Esc key"},
    {12, u"OK"},
    {13, u"Brightness"},
    {14, u"Exit program"},
    {30, u"Antialiasing"},
    {31, u"Off"},
    {32, u"Full Screen"},
    {33, u"Start autopilot"},
    {34, u"Start benchmark"},
    {40, u"Render Mode"},
    {41, u"Low"},
    {42, u"Medium"},
    {43, u"High"},
    {50, u"Last average FPS"},
    {51, u"Bench-Time"},
    {67, u"Extras"},
    {244, u"FAQ"},
    {247, u"Donate"},
};

void BM_FullRepaint1920x1080(benchmark::State& state) {
  gui::MenuPageData data;
  data.displayWidth = 1920;
  data.displayHeight = 1080;
  data.antialias = {{0, u"Off"}, {2, u"MSAA: 2 X"}, {4, u"MSAA: 4 X"}};
  data.homepageBase = u"http://127.0.0.1:8723/int";
  data.copyright = u"\u00A9 2019\u20132026 Morvandel";
  gui::MenuOverlay menu;
  menu.hooks.createCanvas = platform::sdl::CreateCairoCanvas;
  menu.hooks.text = [](int id) {
    const auto found = kTexts.find(id);
    return found != kTexts.end() ? found->second : std::u16string();
  };
  menu.hooks.title = u"Morvandel.Gauge 2.33";
  menu.hooks.drawPage = [&data](gui::MenuOverlay& m, platform::Canvas& canvas,
                                const platform::Rect& area) {
    gui::DrawMenuPage(m, canvas, area, data);
  };
  gui::PaintMenu(menu, 1920, 1080);
  for (auto _ : state) {
    gui::RequestRedraw(menu);
    benchmark::DoNotOptimize(gui::PaintMenu(menu, 1920, 1080));
    benchmark::DoNotOptimize(menu.canvas->Pixels());
  }
}
BENCHMARK(BM_FullRepaint1920x1080)->Unit(benchmark::kMillisecond);

}  // namespace
