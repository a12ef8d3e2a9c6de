// Whether a program on this machine listens on a TCP port.
#pragma once

#include <string>

namespace platform {

// True when a TCP connection to `address` ("127.0.0.1" or "::1") at `port`
// is accepted within `timeoutMs`; the connection is closed at once.
bool AcceptsTcpConnection(const std::string& address, int port, int timeoutMs);

}  // namespace platform
