// GL set-up in the main context before the loop, and the asset loading that
// runs on a loader thread with a context of its own sharing the main one's
// objects.
#pragma once

#include <functional>

#include "app/application.h"

namespace app {

// Creates the context, resolves the GL entry points, reads the settings the
// scene needs, checks multitexturing, creates the sound effects, shows the
// first progress texts ("Please wait" in the user's language, "OpenGL
// Test"), checks the shader extensions, places the camera, loads the
// benchmark path and builds the shader programs and terrain textures. False
// when the start failed: the user has been told what is missing and a quit
// message with kExitStartFailed is posted.
bool InitGlScene(Application& a);

// Loads textures, terrain and models into the current context, with a
// progress text before each stage: the caustics; "Terrain is being loaded",
// the terrain, after which sceneReady is set (level 1); "Terrain is loaded",
// the models; "Objects are being prepared" and ": 1/6" ... ": 6/6" before
// each sixth of the placement (level 3 after the last); then text 37 with
// "--- OK ---". Safe on the loader thread: the texts go through progress,
// and the renderer only finishes the loader's commands.
void LoadSceneAssets(AppState& app, scene::SceneState& sceneState, LoadingProgress& progress,
                     Renderer& renderer);

// Runs load (LoadSceneAssets in the program) on the loader thread, with a
// context of its own; when that context cannot be had, reports why and
// loads on this thread instead. Either way loadState becomes Loaded when
// the assets are in.
void StartAssetLoading(Application& a, std::function<void()> load);

}  // namespace app
