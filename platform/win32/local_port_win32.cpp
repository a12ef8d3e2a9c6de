// A TCP connection attempt with a time limit through Winsock: a non-blocking
// connect and select. Winsock is started and stopped around each attempt
// (it counts its users), so nothing stays set up between calls.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "platform/local_port.h"

namespace platform {

bool AcceptsTcpConnection(const std::string& address, int port, int timeoutMs) {
  if (port < 1 || port > 65535) return false;
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return false;
  sockaddr_storage storage{};
  int length = 0;
  const bool v6 = address.find(':') != std::string::npos;
  bool parsed = false;
  if (v6) {
    auto* in6 = reinterpret_cast<sockaddr_in6*>(&storage);
    in6->sin6_family = AF_INET6;
    in6->sin6_port = htons(static_cast<u_short>(port));
    parsed = inet_pton(AF_INET6, address.c_str(), &in6->sin6_addr) == 1;
    length = sizeof *in6;
  } else {
    auto* in4 = reinterpret_cast<sockaddr_in*>(&storage);
    in4->sin_family = AF_INET;
    in4->sin_port = htons(static_cast<u_short>(port));
    parsed = inet_pton(AF_INET, address.c_str(), &in4->sin_addr) == 1;
    length = sizeof *in4;
  }
  const SOCKET s =
      parsed ? socket(v6 ? AF_INET6 : AF_INET, SOCK_STREAM, IPPROTO_TCP) : INVALID_SOCKET;
  bool accepted = false;
  u_long nonBlocking = 1;
  if (s != INVALID_SOCKET && ioctlsocket(s, FIONBIO, &nonBlocking) == 0) {
    if (connect(s, reinterpret_cast<sockaddr*>(&storage), length) == 0) {
      accepted = true;
    } else if (WSAGetLastError() == WSAEWOULDBLOCK) {
      // Written to: connected; in the exception set: refused.
      fd_set written;
      fd_set failed;
      FD_ZERO(&written);
      FD_ZERO(&failed);
      FD_SET(s, &written);
      FD_SET(s, &failed);
      timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
      accepted = select(0, nullptr, &written, &failed, timeoutMs < 0 ? nullptr : &limit) == 1 &&
                 FD_ISSET(s, &written);
    }
  }
  if (s != INVALID_SOCKET) closesocket(s);
  WSACleanup();
  return accepted;
}

}  // namespace platform
