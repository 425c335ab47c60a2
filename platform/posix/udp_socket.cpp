#include "platform/posix/udp_socket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

#include "platform/ipv4_socket_address.h"

namespace mdx {

namespace {

// One open descriptor, closed with the socket.
class PosixUdpSocket final : public UdpSocket {
 public:
  explicit PosixUdpSocket(int fd) : fd_(fd) {}
  ~PosixUdpSocket() override {
    if (fd_ >= 0) ::close(fd_);
  }
  PosixUdpSocket(const PosixUdpSocket&) = delete;
  PosixUdpSocket& operator=(const PosixUdpSocket&) = delete;

  bool bindAny(uint16_t port) override {
    const sockaddr_in sa = ipv4SocketAddress(INADDR_ANY, port);
    return ::bind(fd_, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) == 0;
  }

  bool sendTo(const UdpEndpoint& to, const uint8_t* data, std::size_t size) override {
    const sockaddr_in sa = ipv4SocketAddress(to.address, to.port);
    ssize_t sent;
    do {
      sent = ::sendto(fd_, data, size, 0, reinterpret_cast<const sockaddr*>(&sa), sizeof sa);
    } while (sent < 0 && errno == EINTR);
    return sent == static_cast<ssize_t>(size);
  }

  UdpWait waitReadable(int timeoutMillis) override {
    pollfd p;
    p.fd = fd_;
    p.events = POLLIN;
    p.revents = 0;
    const int n = ::poll(&p, 1, timeoutMillis < 0 ? 0 : timeoutMillis);
    if (n < 0) return UdpWait::Failed;
    if (n == 0) return UdpWait::Timeout;
    return (p.revents & POLLIN) ? UdpWait::Readable : UdpWait::NotReadable;
  }

  int receiveFrom(uint8_t* buffer, std::size_t capacity, UdpEndpoint& from) override {
    sockaddr_in sa;
    socklen_t length = sizeof sa;
    std::memset(&sa, 0, sizeof sa);
    ssize_t n;
    do {
      n = ::recvfrom(fd_, buffer, capacity, 0, reinterpret_cast<sockaddr*>(&sa), &length);
    } while (n < 0 && errno == EINTR);
    if (n < 0) return -1;
    from.address = sa.sin_family == AF_INET ? ntohl(sa.sin_addr.s_addr) : 0;
    from.port = sa.sin_family == AF_INET ? ntohs(sa.sin_port) : 0;
    return static_cast<int>(n);
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<UdpSocket> PosixUdpNetwork::openSocket() {
  const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixUdpSocket>(fd);
}

bool PosixUdpNetwork::resolveIpv4(const std::string& host, uint32_t& address) {
  if (host.empty()) return false;
  addrinfo hints;
  std::memset(&hints, 0, sizeof hints);
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* list = nullptr;
  if (::getaddrinfo(host.c_str(), nullptr, &hints, &list) != 0 || list == nullptr) return false;
  bool found = false;
  for (addrinfo* ai = list; ai != nullptr; ai = ai->ai_next) {
    if (ai->ai_family == AF_INET && ai->ai_addr != nullptr) {
      address = ntohl(reinterpret_cast<const sockaddr_in*>(ai->ai_addr)->sin_addr.s_addr);
      found = true;
      break;
    }
  }
  ::freeaddrinfo(list);
  return found;
}

}  // namespace mdx
