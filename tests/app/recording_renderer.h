// A renderer that draws nothing and keeps a line per call, for the main
// loop's tests: the order of a frame's work, the sizes it was drawn at and
// what the scene passes were asked to draw. The scene adds a scripted count
// of triangles, as a drawn scene would.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "app/renderer.h"

namespace apptest {

class RecordingRenderer final : public app::Renderer {
 public:
  // What Describe answers: by default a driver with every extension the
  // program needs.
  render::GlDescription description{"Recording renderer", "2.1", "tests",
                                    "GL_ARB_multitexture GL_ARB_shader_objects "
                                    "GL_ARB_vertex_shader GL_ARB_fragment_shader "
                                    "GL_ARB_shading_language_100"};
  // Triangles each scene pass adds to the frame's count.
  int sceneTriangles = 0;

  const std::vector<std::string>& log() const { return log_; }
  int Count(const std::string& entry) const {
    return static_cast<int>(std::count(log_.begin(), log_.end(), entry));
  }
  void Clear() { log_.clear(); }

  render::GlDescription Describe() override {
    Note("describe");
    return description;
  }
  void EnableSceneDefaults() override { Note("scene defaults"); }
  void SetPerspective(int width, int height) override { Note("perspective", width, height); }
  void SetPolygonFill(bool filled) override { Note(filled ? "fill" : "outline"); }
  void FinishCommands() override { Note("finish"); }
  void UnbindProgram() override { Note("unbind program"); }
  void ClearFrame(int width, int height) override { Note("clear", width, height); }
  void PushScreenMatrices(int width, int height) override { Note("push matrices", width, height); }
  void PopScreenMatrices() override { Note("pop matrices"); }
  void DrawScene(scene::SceneState&, const scene::PassContext& pass,
                 scene::PassSelector selector) override {
    static constexpr const char* kNames[] = {"scene plain", "scene water", "scene simple water"};
    Note(kNames[static_cast<int>(selector)], pass.viewportWidth, pass.viewportHeight);
    if (pass.frameTriangles != nullptr) *pass.frameTriangles += sceneTriangles;
  }
  void PrepareOverlays(int width, int height) override { Note("overlays", width, height); }
  void UploadMenu(gui::MenuOverlay&) override { Note("upload menu"); }
  void DrawMenu(gui::MenuOverlay&, int width, int height) override { Note("menu", width, height); }
  void BuildHud(bench::Hud&, const bench::HudFacts&, const render::TextureSlots&) override {
    Note("build hud");
  }
  void DrawHud(const bench::Hud&, const render::TextureSlots&, int, bool showInfo) override {
    if (showInfo) Note("hud");
  }

 private:
  void Note(const std::string& entry) { log_.push_back(entry); }
  void Note(const std::string& entry, int width, int height) {
    log_.push_back(entry + " " + std::to_string(width) + "x" + std::to_string(height));
  }
  std::vector<std::string> log_;
};

}  // namespace apptest
