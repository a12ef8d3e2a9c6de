#include "server/http_server.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/thread_pool.hpp>
#include <vector>

#include "server/http_session.h"

namespace compare {
namespace {

namespace asio = boost::asio;
using tcp = asio::ip::tcp;

// After a failed accept (out of file descriptors, say) the next try waits.
constexpr std::chrono::milliseconds kAcceptRetry{100};

}  // namespace

struct CompareHttpServer::Network {
  Network(ResultStore& store, const HttpLimits& limits)
      : limits(limits),
        workers(static_cast<size_t>(std::max(1, limits.workers))),
        context{this->limits, store, workers, {0}, {}} {}

  void Accept() {
    acceptor.async_accept([this](boost::system::error_code error, tcp::socket socket) {
      if (error == asio::error::operation_aborted) return;
      if (error) {
        CloseIdle();
        retry.expires_after(kAcceptRetry);
        retry.async_wait([this](boost::system::error_code e) {
          if (!e) Accept();
        });
        return;
      }
      boost::system::error_code ignored;
      socket.set_option(tcp::no_delay(true), ignored);
      const auto session = std::make_shared<HttpSession>(std::move(socket), context);
      // Room is made before the new connection starts waiting for its
      // request, so that it is not among those closed.
      if (context.open > limits.busyConnections) CloseIdle();
      session->Start();
      Accept();
    });
  }

  void CloseIdle() {
    const std::vector<HttpSession*> idle(context.idle.begin(), context.idle.end());
    for (HttpSession* session : idle) session->CloseIfIdle();
  }

  const HttpLimits limits;
  asio::thread_pool workers;
  // Declared before the network objects: sessions that the io_context still
  // holds count themselves out of it when it is destroyed.
  SessionContext context;
  asio::io_context io{1};
  tcp::acceptor acceptor{io};
  asio::steady_timer retry{io};
  bool bound = false;
};

CompareHttpServer::CompareHttpServer(ResultStore& store, const HttpLimits& limits)
    : network_(std::make_unique<Network>(store, limits)) {}

CompareHttpServer::~CompareHttpServer() {
  Stop();
  network_->workers.join();
}

int CompareHttpServer::Bind(const std::string& address, int port) {
  boost::system::error_code error;
  tcp::resolver resolver(network_->io);
  const auto endpoints =
      resolver.resolve(address, std::to_string(port),
                       tcp::resolver::passive | tcp::resolver::numeric_service, error);
  if (error || endpoints.empty()) return -1;
  const tcp::endpoint endpoint = *endpoints.begin();
  tcp::acceptor& acceptor = network_->acceptor;
  acceptor.open(endpoint.protocol(), error);
  if (!error) acceptor.set_option(tcp::acceptor::reuse_address(true), error);
  if (!error) acceptor.bind(endpoint, error);
  if (!error) acceptor.listen(asio::socket_base::max_listen_connections, error);
  if (error) {
    acceptor.close(error);
    return -1;
  }
  network_->bound = true;
  return acceptor.local_endpoint().port();
}

bool CompareHttpServer::Serve() {
  if (!network_->bound) return false;
  network_->Accept();
  network_->io.run();
  return true;
}

void CompareHttpServer::Stop() { network_->io.stop(); }

std::string ServerAddress(const std::string& bindAddress, int port) {
  const bool ipv6 = bindAddress.find(':') != std::string::npos;
  return "http://" + (ipv6 ? "[" + bindAddress + "]" : bindAddress) + ":" + std::to_string(port) +
         "/";
}

}  // namespace compare
