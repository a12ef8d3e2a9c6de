#include "render/frame_state.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "render/gl_entry_points.h"

namespace render {
namespace {

std::string GlString(GLenum name) {
  const auto* text = reinterpret_cast<const char*>(glGetString(name));
  return text != nullptr ? text : "";
}

}  // namespace

GlDescription DescribeGl() {
  return {GlString(GL_RENDERER), GlString(GL_VERSION), GlString(GL_VENDOR),
          GlString(GL_EXTENSIONS)};
}

void EnableSceneDefaults() {
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_CULL_FACE);
}

void SetPerspectiveViewport(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(65.0, static_cast<double>(width) / static_cast<double>(height), 10.0, 600000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void SetPolygonFill(bool filled) { glPolygonMode(GL_FRONT_AND_BACK, filled ? GL_FILL : GL_LINE); }

void ClearFrame(int width, int height) {
  glViewport(0, 0, width, height);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
}

void PushScreenMatrices(int width, int height) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluOrtho2D(0, width, height, 0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
}

void PopScreenMatrices() {
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

void PrepareOverlayState(int width, int height) {
  glViewport(0, 0, width, height);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glLineWidth(2.0f);
  glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

void FinishCommands() { glFinish(); }

void UnbindProgram() {
  const GlEntryPoints& gl = Gl();
  if (gl.glUseProgramObjectARB != nullptr) gl.glUseProgramObjectARB(0);
}

}  // namespace render
