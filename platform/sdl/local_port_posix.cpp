#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "platform/local_port.h"

namespace platform {

bool AcceptsTcpConnection(const std::string& address, int port, int timeoutMs) {
  if (port < 1 || port > 65535) return false;
  sockaddr_storage storage{};
  socklen_t length = 0;
  const bool v6 = address.find(':') != std::string::npos;
  if (v6) {
    auto* in6 = reinterpret_cast<sockaddr_in6*>(&storage);
    in6->sin6_family = AF_INET6;
    in6->sin6_port = htons(static_cast<uint16_t>(port));
    if (inet_pton(AF_INET6, address.c_str(), &in6->sin6_addr) != 1) return false;
    length = sizeof *in6;
  } else {
    auto* in4 = reinterpret_cast<sockaddr_in*>(&storage);
    in4->sin_family = AF_INET;
    in4->sin_port = htons(static_cast<uint16_t>(port));
    if (inet_pton(AF_INET, address.c_str(), &in4->sin_addr) != 1) return false;
    length = sizeof *in4;
  }
  const int fd = socket(v6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  bool accepted = false;
  if (connect(fd, reinterpret_cast<sockaddr*>(&storage), length) == 0) {
    accepted = true;
  } else if (errno == EINPROGRESS) {
    pollfd waiting{fd, POLLOUT, 0};
    int ready = 0;
    do {
      ready = poll(&waiting, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    int error = 0;
    socklen_t size = sizeof error;
    accepted = ready == 1 && getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
  }
  close(fd);
  return accepted;
}

}  // namespace platform
