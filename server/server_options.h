// The command line of morvandel-compare-server:
//   morvandel-compare-server --db FILE [--port N] [--bind ADDR]
#pragma once

#include <optional>
#include <string>

namespace compare {

inline constexpr int kDefaultPort = 8723;

struct ServerOptions {
  std::string database;
  int port = kDefaultPort;  // 0: any free port, printed at start
  std::string bindAddress = "127.0.0.1";
};

struct ServerCommandLine {
  // Set when the server is to run.
  std::optional<ServerOptions> options;
  // Without options: 0 after --help (text is the help), 2 for a bad command
  // line (text is a one-line message).
  int exitCode = 0;
  std::string text;
};

ServerCommandLine ParseServerCommandLine(int argc, const char* const* argv);

}  // namespace compare
