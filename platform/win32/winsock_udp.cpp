#include "platform/win32/winsock_udp.h"

#include <windows.h>

#include <cstring>

#include "platform/ipv4_socket_address.h"
#include "platform/win32/text.h"

namespace mdx::win {

namespace {

// UTF-8 to the ANSI code page that the Winsock 1.1 name functions read.
std::string toAnsi(const std::string& utf8) {
  const std::wstring wide = widen(utf8);
  if (wide.empty()) return std::string();
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string ansi(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0)
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), ansi.data(), n, nullptr,
                        nullptr);
  return ansi;
}

// One open socket, closed with the object.
class WinsockUdpSocket final : public UdpSocket {
 public:
  explicit WinsockUdpSocket(SOCKET s) : socket_(s) {}
  ~WinsockUdpSocket() override {
    if (socket_ != INVALID_SOCKET) closesocket(socket_);
  }
  WinsockUdpSocket(const WinsockUdpSocket&) = delete;
  WinsockUdpSocket& operator=(const WinsockUdpSocket&) = delete;

  bool bindAny(uint16_t port) override {
    const sockaddr_in sa = ipv4SocketAddress(INADDR_ANY, port);
    return bind(socket_, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) == 0;
  }

  bool sendTo(const UdpEndpoint& to, const uint8_t* data, std::size_t size) override {
    const sockaddr_in sa = ipv4SocketAddress(to.address, to.port);
    const int sent = sendto(socket_, reinterpret_cast<const char*>(data), static_cast<int>(size), 0,
                            reinterpret_cast<const sockaddr*>(&sa), sizeof sa);
    return sent == static_cast<int>(size);
  }

  UdpWait waitReadable(int timeoutMillis) override {
    if (timeoutMillis < 0) timeoutMillis = 0;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval tv;
    tv.tv_sec = timeoutMillis / 1000;
    tv.tv_usec = (timeoutMillis % 1000) * 1000;
    const int n = select(0, &readable, nullptr, nullptr, &tv);  // the first argument is ignored
    if (n == SOCKET_ERROR) return UdpWait::Failed;
    if (n == 0) return UdpWait::Timeout;
    return FD_ISSET(socket_, &readable) ? UdpWait::Readable : UdpWait::NotReadable;
  }

  int receiveFrom(uint8_t* buffer, std::size_t capacity, UdpEndpoint& from) override {
    sockaddr_in sa;
    int length = sizeof sa;
    std::memset(&sa, 0, sizeof sa);
    const int n = recvfrom(socket_, reinterpret_cast<char*>(buffer), static_cast<int>(capacity), 0,
                           reinterpret_cast<sockaddr*>(&sa), &length);
    if (n == SOCKET_ERROR) {
      // A datagram longer than the buffer arrives cut to the buffer's size.
      if (WSAGetLastError() != WSAEMSGSIZE) return -1;
      from.address = ntohl(sa.sin_addr.s_addr);
      from.port = ntohs(sa.sin_port);
      return static_cast<int>(capacity);
    }
    from.address = sa.sin_family == AF_INET ? ntohl(sa.sin_addr.s_addr) : 0;
    from.port = sa.sin_family == AF_INET ? ntohs(sa.sin_port) : 0;
    return n;
  }

 private:
  SOCKET socket_;
};

}  // namespace

bool WinsockUdpNetwork::startup() {
  WSADATA data;
  return WSAStartup(0x0101, &data) == 0;
}

void WinsockUdpNetwork::cleanup() { WSACleanup(); }

std::unique_ptr<UdpSocket> WinsockUdpNetwork::openSocket() {
  const SOCKET s = socket(AF_INET, SOCK_DGRAM, 0);
  if (s == INVALID_SOCKET) return nullptr;
  return std::make_unique<WinsockUdpSocket>(s);
}

bool WinsockUdpNetwork::resolveIpv4(const std::string& host, uint32_t& address) {
  if (host.empty()) return false;
  const std::string name = toAnsi(host);
  const hostent* h = gethostbyname(name.c_str());
  if (!h || h->h_addrtype != AF_INET || h->h_length != 4 || !h->h_addr_list || !h->h_addr_list[0]) return false;
  uint32_t networkOrder;
  std::memcpy(&networkOrder, h->h_addr_list[0], sizeof networkOrder);
  address = ntohl(networkOrder);
  return true;
}

}  // namespace mdx::win
