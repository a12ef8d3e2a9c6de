// The heads-up display: once per second its lines are drawn with the HUD
// font into the lower-left 256 x 256 pixels of the frame and copied into the
// HUD texture; every frame that texture is drawn as one translucent quad at
// the bottom left of the window. Text rendering so costs nothing per frame.
#pragma once

#include "bench/frame_statistics.h"
#include "bench/hud_lines.h"
#include "render/bitmap_font.h"
#include "render/text_box.h"
#include "render/texture_slots.h"

namespace bench {

inline constexpr int kHudTextureSize = 256;
inline constexpr char kHudFontFace[] = "Tahoma";
inline constexpr int kHudFontHeight = 16;

struct Hud {
  render::BitmapFont font;
  render::TextBox box;
  // What the text block covered when it was last drawn.
  render::PixelRect textRect;
};

// Builds the HUD font and the empty HUD texture (slot kHudText) in the
// current context; the box shows its frame, in white text until the first
// build. False when the font cannot be built (the reason has been shown);
// the HUD then draws an empty texture.
bool CreateHud(Hud& hud, render::TextureSlots& textures);

// Deletes the font's display lists; the context must be current. The
// texture goes with the table.
void ReleaseHud(Hud& hud);

// Before the scene, when a rebuild is due (TakeHudRebuild): refills the box
// with HudLines(facts) in green on black, draws it at (10, 0) in a
// 256 x 256 viewport at the origin and copies that corner into the HUD
// texture. The scene drawn afterwards clears the frame again.
void BuildHud(Hud& hud, const HudFacts& facts, const render::TextureSlots& textures);

// Once per frame after the scene: the HUD texture as one quad of 256 x 256
// pixels, blended at alpha 0.7, whose text block ends at the bottom of a
// viewport viewportHeight pixels tall, 20 pixels from the left. Nothing
// while showInfo is off.
void DrawHud(const Hud& hud, const render::TextureSlots& textures, int viewportHeight,
             bool showInfo);

}  // namespace bench
