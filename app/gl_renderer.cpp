#include "app/renderer.h"
#include "gui/menu_texture.h"

namespace app {

render::GlDescription GlRenderer::Describe() { return render::DescribeGl(); }

void GlRenderer::EnableSceneDefaults() { render::EnableSceneDefaults(); }

void GlRenderer::SetPerspective(int width, int height) {
  render::SetPerspectiveViewport(width, height);
}

void GlRenderer::SetPolygonFill(bool filled) { render::SetPolygonFill(filled); }

void GlRenderer::FinishCommands() { render::FinishCommands(); }

void GlRenderer::UnbindProgram() { render::UnbindProgram(); }

void GlRenderer::ClearFrame(int width, int height) { render::ClearFrame(width, height); }

void GlRenderer::PushScreenMatrices(int width, int height) {
  render::PushScreenMatrices(width, height);
}

void GlRenderer::PopScreenMatrices() { render::PopScreenMatrices(); }

void GlRenderer::DrawScene(scene::SceneState& sceneState, const scene::PassContext& pass,
                           scene::PassSelector selector) {
  scene::RenderPass(selector, sceneState, pass);
}

void GlRenderer::PrepareOverlays(int width, int height) {
  render::PrepareOverlayState(width, height);
}

void GlRenderer::UploadMenu(gui::MenuOverlay& menu) { gui::UploadMenuCanvas(menu); }

void GlRenderer::DrawMenu(gui::MenuOverlay& menu, int width, int height) {
  gui::DrawMenuTexture(menu, width, height);
}

void GlRenderer::BuildHud(bench::Hud& hud, const bench::HudFacts& facts,
                          const render::TextureSlots& textures) {
  bench::BuildHud(hud, facts, textures);
}

void GlRenderer::DrawHud(const bench::Hud& hud, const render::TextureSlots& textures,
                         int viewportHeight, bool showInfo) {
  bench::DrawHud(hud, textures, viewportHeight, showInfo);
}

}  // namespace app
