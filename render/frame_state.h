// The frame's fixed GL state: viewport and matrices, fill mode, the state the
// overlays expect, and what the current context says of itself. Each call
// acts on the calling thread's current context.
#pragma once

#include <string>

namespace render {

struct GlDescription {
  std::string renderer;
  std::string version;
  std::string vendor;
  std::string extensions;
};

// The current context's strings; empty where GL gives none.
GlDescription DescribeGl();

// Depth test, 2D texturing and back-face culling: what the scene expects.
void EnableSceneDefaults();
// Viewport over width x height and a 65-degree perspective from 10 to
// 600000 units; the model-view matrix is reset.
void SetPerspectiveViewport(int width, int height);
// Filled polygons, or outlines only.
void SetPolygonFill(bool filled);
// The viewport, both buffers cleared and the model-view matrix reset.
void ClearFrame(int width, int height);
// Both matrices saved and set to screen pixels (origin top left);
// PopScreenMatrices restores them.
void PushScreenMatrices(int width, int height);
void PopScreenMatrices();
// After the scene: the viewport again, no lighting or texturing, 2-pixel
// lines in opaque green, filled polygons.
void PrepareOverlayState(int width, int height);
// Returns when every command given so far is complete.
void FinishCommands();
// No shader program bound.
void UnbindProgram();

}  // namespace render
