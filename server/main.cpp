// morvandel-compare-server: stores posted benchmark results in SQLite or
// PostgreSQL and answers with their ranking. Stops cleanly on SIGINT and SIGTERM.
#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <thread>

#include "server/http_server.h"
#include "server/result_store.h"
#include "server/server_options.h"

int main(int argc, char** argv) {
  const compare::ServerCommandLine command = compare::ParseServerCommandLine(argc, argv);
  if (!command.options) {
    std::fputs(command.text.c_str(), command.exitCode == 0 ? stdout : stderr);
    if (command.exitCode != 0) std::fputc('\n', stderr);
    return command.exitCode;
  }
  const compare::ServerOptions& options = *command.options;

  std::string error;
  const std::unique_ptr<compare::ResultStore> store =
      compare::ResultStore::Open(options.database, error, options.workers);
  if (!store) {
    std::fprintf(stderr, "morvandel-compare-server: %s: %s\n",
                 compare::PrintableLocation(options.database).c_str(), error.c_str());
    return 1;
  }

  // The stop signals are taken by one waiting thread; every other thread,
  // the server's included, inherits the blocked mask. A client that goes
  // away mid-answer must not end the process.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  compare::HttpLimits limits;
  limits.workers = options.workers;
  compare::CompareHttpServer server(*store, limits);
  const int port = server.Bind(options.bindAddress, options.port);
  if (port < 0) {
    std::fprintf(stderr, "morvandel-compare-server: cannot listen on %s port %d\n",
                 options.bindAddress.c_str(), options.port);
    return 1;
  }
  std::thread stopper([&server, &stopSignals] {
    int received = 0;
    sigwait(&stopSignals, &received);
    server.Stop();
  });
  std::printf("morvandel-compare-server: listening on %s, results in %s\n",
              compare::ServerAddress(options.bindAddress, port).c_str(),
              compare::PrintableLocation(options.database).c_str());
  std::fflush(stdout);
  const bool served = server.Serve();
  pthread_kill(stopper.native_handle(), SIGTERM);
  stopper.join();
  return served ? 0 : 1;
}
