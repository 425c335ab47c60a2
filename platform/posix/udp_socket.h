#pragma once
// The UDP interface over BSD sockets, for the native tools and tests. Startup and cleanup have
// nothing to do here; host names are looked up with getaddrinfo (IPv4 only).
#include "platform/udp.h"

namespace mdx {

class PosixUdpNetwork final : public UdpNetwork {
 public:
  bool startup() override { return true; }
  void cleanup() override {}
  std::unique_ptr<UdpSocket> openSocket() override;
  bool resolveIpv4(const std::string& host, uint32_t& address) override;
};

}  // namespace mdx
