// GL set-up in the main context before the loop, and the asset loading that
// runs on a loader thread with a context of its own sharing the main one's
// objects.
#pragma once

#include <functional>

#include "app/application.h"

namespace app {

// Creates the context, resolves the GL entry points, reads the settings the
// scene needs, checks multitexturing, creates the sound effects, checks the
// shader extensions and places the camera. A failed check is reported and a
// quit message posted.
void InitGlScene(Application& a);

// Loads textures and models into the current context and marks the scene
// ready.
void LoadSceneAssets(AppState& app, scene::SceneState& sceneState);

// Runs load (LoadSceneAssets in the program) on the loader thread, with a
// context of its own; when that context cannot be had, reports why and
// loads on this thread instead. Either way loadState becomes Loaded when
// the assets are in.
void StartAssetLoading(Application& a, std::function<void()> load);

}  // namespace app
