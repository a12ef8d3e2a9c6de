// The stored result as the user sees it and as it leaves the program: the
// main page's summary line, the results page's text and buttons, and the
// plain-text result record the compare command exports.
//
// Everything here is pure: the caller hands in the stored values, the GL
// strings of the current context, the language texts and the system
// description, so the menu (which draws the page) and the tests use the
// same functions.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/text_codec.h"
#include "platform/window.h"

namespace bench {

// The last complete run, as the settings keep it.
struct StoredResult {
  float averageFps = 0.0f;   // last_average_fps
  float benchTime = 0.0f;    // last_bench_time, seconds
  float maxMegaTris = 0.0f;  // last_bench_max_mega_tris
  int width = 0;             // last_bench_sc_width
  int height = 0;            // last_bench_sc_height
  int antialiasing = 0;      // last_bench_aa
  int mode = 0;              // last_bench_mode: 0 high, 1 medium, 2 low
};

// The GL strings of the current context, as 8-bit text from the driver.
struct GlStrings {
  std::string renderer;
  std::string version;
  std::string vendor;
};

// A language text by id; null or missing texts read as empty.
using StringLookup = std::function<const char16_t*(int id)>;

// Language text ids the results use.
inline constexpr int kIdScreenShot = 15;
inline constexpr int kIdCompare = 38;
inline constexpr int kIdRenderMode = 40;
inline constexpr int kIdModeLow = 41;
inline constexpr int kIdModeMedium = 42;
inline constexpr int kIdModeHigh = 43;
inline constexpr int kIdLastAverageFps = 50;
inline constexpr int kIdBenchTime = 51;

// "<50>: %.2f // <51> %.2f sec."
platform::WString FormatLastResultLine(const StoredResult& result, const StringLookup& text);

// Id 43 for level 0, 42 for 1, 41 for 2; empty for any other level.
platform::WString ModeName(int mode, const StringLookup& text);

struct ResultsTextBlock {
  platform::Rect rect;
  platform::WString text;
  // Drawn centred and word-wrapped, with an outline around the rectangle.
  bool centred = true;
  bool wrapped = true;
  bool outlined = true;
};

// What a button of the results page does.
enum class ResultsAction { Compare, Screenshot };

struct ResultsButton {
  platform::Rect rect;
  platform::WString text;
  ResultsAction action = ResultsAction::Screenshot;
};

struct ResultsPage {
  ResultsTextBlock block;
  std::vector<ResultsButton> buttons;
};

// The results page inside `area`: with t = trunc(area height x 0.23), the
// text block spans the area's width from its top, 3t high; below it one
// button after another, each the area's width, whose bottom is
// trunc(top + t x 0.65). The compare button comes first and only with a
// fresh result; the screenshot button is always there.
ResultsPage LayoutResultsPage(const platform::Rect& area, const StoredResult& result,
                              const GlStrings& gl, const std::string& osVersion,
                              const StringLookup& text, bool freshResult);

// What the record needs besides the stored result.
struct RecordContext {
  int sampleCount = 0;  // the window's current multisample count
  GlStrings gl;
  std::string osVersion;   // major.minor.build
  std::string version;     // the program's version text (general string 18)
  std::string systemText;  // BuildSystemInfoText
};

// The plain-text result record, UTF-8: "MSA:..." to "ENDE:ENDE", "MGTS:",
// then "\n\nOSVer:", "\nBit:64", "\nVersion:" and the system description.
// Numbers are written the same in every locale.
std::string BuildResultRecord(const StoredResult& result, const RecordContext& context);

}  // namespace bench
