#pragma once
// The UDP interface over BSD sockets, for the native tools and tests. Startup and cleanup have
// nothing to do here; host names are looked up with getaddrinfo (IPv4 only).
#include "platform/udp.h"

namespace mdx {

class PosixUdpSocket final : public UdpSocket {
 public:
  // Takes ownership of an open descriptor.
  explicit PosixUdpSocket(int fd) : fd_(fd) {}
  ~PosixUdpSocket() override;
  PosixUdpSocket(const PosixUdpSocket&) = delete;
  PosixUdpSocket& operator=(const PosixUdpSocket&) = delete;

  bool bindAny(uint16_t port) override;
  bool sendTo(const UdpEndpoint& to, const uint8_t* data, std::size_t size) override;
  UdpWait waitReadable(int timeoutMillis) override;
  int receiveFrom(uint8_t* buffer, std::size_t capacity, UdpEndpoint& from) override;

  int fd() const { return fd_; }

 private:
  int fd_;
};

class PosixUdpNetwork final : public UdpNetwork {
 public:
  bool startup() override { return true; }
  void cleanup() override {}
  std::unique_ptr<UdpSocket> openSocket() override;
  bool resolveIpv4(const std::string& host, uint32_t& address) override;
};

}  // namespace mdx
