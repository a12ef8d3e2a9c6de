#include "platform/paths.h"

namespace platform {

namespace fs = std::filesystem;

fs::path FindDataFile(const fs::path& relative, const fs::path& workingDir,
                      const fs::path& dataDir) {
  std::error_code ec;
  if (fs::is_regular_file(workingDir / relative, ec)) return relative;
  if (!dataDir.empty() && fs::is_regular_file(dataDir / relative, ec)) return dataDir / relative;
  return {};
}

}  // namespace platform
