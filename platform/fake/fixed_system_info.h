// A system description the test writes down, answered as given; it counts
// the queries asked of it.
#pragma once

#include "platform/system_info.h"

namespace platform::fake {

class FixedSystemInfo : public SystemInfo {
 public:
  std::vector<PropertyObject> Query(SystemClass which) override;
  std::string KernelRelease() override { return kernelRelease; }

  std::vector<PropertyObject> os;
  std::vector<PropertyObject> processors;
  std::vector<PropertyObject> memory;
  std::string kernelRelease;
  int queries = 0;
};

}  // namespace platform::fake
