// The one way the application reaches GL: the frame's fixed state and the
// drawing of the scene, the menu and the HUD. GlRenderer draws into the
// current context; tests record the calls instead.
#pragma once

#include "bench/hud.h"
#include "gui/menu_overlay.h"
#include "render/frame_state.h"
#include "render/texture_slots.h"
#include "scene/render_passes.h"
#include "scene/scene_state.h"

namespace app {

class Renderer {
 public:
  virtual ~Renderer() = default;

  // What the current context says of itself.
  virtual render::GlDescription Describe() = 0;
  virtual void EnableSceneDefaults() = 0;
  // Viewport and the scene's perspective for a client area of that size.
  virtual void SetPerspective(int width, int height) = 0;
  virtual void SetPolygonFill(bool filled) = 0;
  // Returns when every command given so far is complete: another context
  // may use what they made.
  virtual void FinishCommands() = 0;
  virtual void UnbindProgram() = 0;

  // A loading frame starts on a cleared frame.
  virtual void ClearFrame(int width, int height) = 0;
  // Saved around a change of context; restored afterwards.
  virtual void PushScreenMatrices(int width, int height) = 0;
  virtual void PopScreenMatrices() = 0;
  virtual void DrawScene(scene::SceneState& sceneState, const scene::PassContext& pass,
                         scene::PassSelector selector) = 0;
  // After the scene, before the menu and the HUD.
  virtual void PrepareOverlays(int width, int height) = 0;
  virtual void UploadMenu(gui::MenuOverlay& menu) = 0;
  virtual void DrawMenu(gui::MenuOverlay& menu, int width, int height) = 0;
  virtual void BuildHud(bench::Hud& hud, const bench::HudFacts& facts,
                        const render::TextureSlots& textures) = 0;
  virtual void DrawHud(const bench::Hud& hud, const render::TextureSlots& textures,
                       int viewportHeight, bool showInfo) = 0;
};

// Draws into the calling thread's current context.
class GlRenderer final : public Renderer {
 public:
  render::GlDescription Describe() override;
  void EnableSceneDefaults() override;
  void SetPerspective(int width, int height) override;
  void SetPolygonFill(bool filled) override;
  void FinishCommands() override;
  void UnbindProgram() override;
  void ClearFrame(int width, int height) override;
  void PushScreenMatrices(int width, int height) override;
  void PopScreenMatrices() override;
  void DrawScene(scene::SceneState& sceneState, const scene::PassContext& pass,
                 scene::PassSelector selector) override;
  void PrepareOverlays(int width, int height) override;
  void UploadMenu(gui::MenuOverlay& menu) override;
  void DrawMenu(gui::MenuOverlay& menu, int width, int height) override;
  void BuildHud(bench::Hud& hud, const bench::HudFacts& facts,
                const render::TextureSlots& textures) override;
  void DrawHud(const bench::Hud& hud, const render::TextureSlots& textures, int viewportHeight,
               bool showInfo) override;
};

}  // namespace app
