// The machine's description from the Windows interfaces, under the property
// names the comparison page has always received:
//   OS          RtlGetVersion (version, build, service pack), the product
//               name in the registry, GetNativeSystemInfo (architecture),
//               GlobalMemoryStatusEx (memory)
//   processor   the first processor's registry key (name, clock, identifier)
//               and GetLogicalProcessorInformationEx (cores and threads of
//               the first package)
//   memory      the SMBIOS table from GetSystemFirmwareTable, read by
//               ParseMemoryDevices
// Each query writes the line "Executed queryAnfrage" to the debug output.
#pragma once

#include "platform/system_info.h"

namespace platform::win32 {

class Win32SystemInfo final : public SystemInfo {
 public:
  std::vector<PropertyObject> Query(SystemClass which) override;
  // "<major>.<minor>.<build>" from RtlGetVersion; empty when it is missing.
  std::string KernelRelease() override;
};

}  // namespace platform::win32
