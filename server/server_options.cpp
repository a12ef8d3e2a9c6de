#include "server/server_options.h"

#include <CLI/CLI.hpp>

namespace compare {

ServerCommandLine ParseServerCommandLine(int argc, const char* const* argv) {
  CLI::App cli(
      "Stores the benchmark results posted to it and answers with their ranking among the "
      "results of the same detail level.",
      "morvandel-compare-server");
  ServerOptions options;
  cli.add_option("--db", options.database,
                 "the results: an SQLite file (created if missing) or a PostgreSQL database "
                 "named postgresql://USER@HOST:PORT/DB")
      ->required();
  cli.add_option("--port", options.port, "TCP port (default 8723; 0 picks a free one)")
      ->check(CLI::Range(0, 65535));
  cli.add_option("--bind", options.bindAddress, "address to listen on (default 127.0.0.1)");
  cli.add_option("--workers", options.workers,
                 "threads that answer requests and database connections (default 8)")
      ->check(CLI::Range(1, 256));
  try {
    cli.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    return {std::nullopt, 0, cli.help()};
  } catch (const CLI::ParseError& e) {
    return {std::nullopt, 2, e.what()};
  }
  if (options.database.empty()) return {std::nullopt, 2, "--db: the database path is empty"};
  return {std::move(options), 0, {}};
}

std::string PrintableLocation(const std::string& location) {
  const size_t scheme = location.find("://");
  if (scheme == std::string::npos) return location;
  const size_t at = location.find('@', scheme);
  const size_t colon = location.find(':', scheme + 3);
  if (at == std::string::npos || colon == std::string::npos || colon > at) return location;
  return location.substr(0, colon) + location.substr(at);
}

}  // namespace compare
