// Whether a program listens on a local TCP port: a listening socket of the
// test's own, the same port once it is closed, and addresses that are none.
#include "platform/local_port.h"

#include <gtest/gtest.h>
#include <winsock2.h>
#include <ws2tcpip.h>

namespace {

class Winsock {
 public:
  Winsock() { WSAStartup(MAKEWORD(2, 2), &data_); }
  ~Winsock() { WSACleanup(); }

 private:
  WSADATA data_{};
};

TEST(Win32LocalPortTest, OnlyAListeningPortAccepts) {
  const Winsock winsock;
  const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  ASSERT_NE(listener, INVALID_SOCKET);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  int length = sizeof address;
  ASSERT_EQ(getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
  const int port = ntohs(address.sin_port);
  ASSERT_EQ(listen(listener, 4), 0);

  EXPECT_TRUE(platform::AcceptsTcpConnection("127.0.0.1", port, 2000));
  closesocket(listener);
  EXPECT_FALSE(platform::AcceptsTcpConnection("127.0.0.1", port, 2000));
  EXPECT_FALSE(platform::AcceptsTcpConnection("127.0.0.1", 0, 100));
  EXPECT_FALSE(platform::AcceptsTcpConnection("not an address", port, 100));
}

}  // namespace
