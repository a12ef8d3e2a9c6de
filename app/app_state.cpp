#include "app/app_state.h"

namespace app {

AppState& App() {
  static AppState state;
  return state;
}

WindowState& Win() {
  static WindowState state;
  return state;
}

InputState& Input() {
  static InputState state;
  return state;
}

}  // namespace app
