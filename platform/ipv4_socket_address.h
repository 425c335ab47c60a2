#pragma once
// The IPv4 socket address of a host-order address and port, shared by the socket bindings
// (posix/ and win32/) and the loopback tests; the portable code never includes it.
#include <cstdint>
#include <cstring>

#ifdef _WIN32
#include <winsock2.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#endif

namespace mdx {

inline sockaddr_in ipv4SocketAddress(uint32_t address, uint16_t port) {
  sockaddr_in sa;
  std::memset(&sa, 0, sizeof sa);
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(address);
  sa.sin_port = htons(port);
  return sa;
}

}  // namespace mdx
