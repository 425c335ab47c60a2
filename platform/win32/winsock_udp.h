#pragma once
// The UDP interface over Windows Sockets 1.1 (ws2_32): the binding the program's time-server
// dialog uses. startup/cleanup are WSAStartup(0x0101)/WSACleanup, paired once per attempt by the
// caller; host names are looked up with gethostbyname.
#include <winsock2.h>

#include "platform/udp.h"

namespace mdx::win {

class WinsockUdpNetwork final : public UdpNetwork {
 public:
  bool startup() override;
  void cleanup() override;
  std::unique_ptr<UdpSocket> openSocket() override;
  // The host text is UTF-8; gethostbyname takes the system's code page.
  bool resolveIpv4(const std::string& host, uint32_t& address) override;
};

}  // namespace mdx::win
