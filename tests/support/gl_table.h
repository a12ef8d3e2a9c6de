// Fills the process-wide GL function table from the current context, as the
// program does at scene initialisation.
#pragma once

namespace mgtest {

void LoadGlTable();

}  // namespace mgtest
