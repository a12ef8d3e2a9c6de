// The machine's description from the files Linux provides, read below a
// root folder ("/" for this machine, a fixture folder in tests):
//   OS          etc/os-release (or usr/lib/os-release), proc/sys/kernel/
//               osrelease and arch (uname when the root is "/" and they are
//               missing), proc/meminfo
//   processor   proc/cpuinfo (first processor), sys/devices/system/cpu
//               (cpu0's cpufreq maximum, the topology of its package)
//   memory      sys/firmware/dmi/entries/17-*/raw (readable by root only;
//               none otherwise)
// Each query writes the line "Executed queryAnfrage" to the debug output.
#pragma once

#include <filesystem>

#include "platform/system_info.h"

namespace platform::sdl {

class PosixSystemInfo : public SystemInfo {
 public:
  explicit PosixSystemInfo(std::filesystem::path root = "/") : root_(std::move(root)) {}
  std::vector<PropertyObject> Query(SystemClass which) override;
  std::string KernelRelease() override;

 private:
  std::filesystem::path root_;
};

}  // namespace platform::sdl
