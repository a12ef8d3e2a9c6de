#include "platform/fake/fixed_system_info.h"

namespace platform::fake {

std::vector<PropertyObject> FixedSystemInfo::Query(SystemClass which) {
  ++queries;
  switch (which) {
    case SystemClass::OperatingSystem:
      return os;
    case SystemClass::Processor:
      return processors;
    case SystemClass::PhysicalMemory:
      return memory;
  }
  return {};
}

}  // namespace platform::fake
