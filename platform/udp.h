#pragma once
// IPv4 datagram sockets as the network-time exchange needs them: one socket per attempt, bound to a
// local port, one request sent, one wait with a timeout, datagrams received with their sender.
//
// Two bindings implement it: platform/posix (BSD sockets, used natively by tools and tests) and
// the Winsock binding of the Windows program. A binding maps the calls one to one:
//
//   UdpNetwork::startup      WSAStartup(0x0101)      (POSIX: nothing to do, returns true)
//   UdpNetwork::cleanup      WSACleanup              (POSIX: nothing to do)
//   UdpNetwork::openSocket   socket(AF_INET, SOCK_DGRAM, 0)
//   UdpNetwork::resolveIpv4  gethostbyname, first address of the result
//   UdpSocket::bindAny       bind to INADDR_ANY and the given port
//   UdpSocket::sendTo        sendto, flags 0
//   UdpSocket::waitReadable  select on the one socket, timeval {ms / 1000, ms % 1000 * 1000}
//                            (POSIX: poll); < 0 Failed, 0 Timeout, socket not in the set NotReadable
//   UdpSocket::receiveFrom   recvfrom, flags 0
//   ~UdpSocket               closesocket / close
//
// The caller starts the library once per attempt and, when startup succeeded, cleans it up once
// at the end of the same attempt, after every socket of that attempt has been destroyed.
// Addresses and ports cross this interface in host byte order; a binding converts them.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace mdx {

// An IPv4 address and UDP port, both in host byte order (127.0.0.1 is 0x7F000001).
struct UdpEndpoint {
  uint32_t address = 0;
  uint16_t port = 0;
};

inline bool operator==(const UdpEndpoint& a, const UdpEndpoint& b) {
  return a.address == b.address && a.port == b.port;
}
inline bool operator!=(const UdpEndpoint& a, const UdpEndpoint& b) { return !(a == b); }

// What a wait for an incoming datagram ended with.
enum class UdpWait {
  Readable,     // a datagram can be received now
  Timeout,      // the time passed with nothing to read
  Failed,       // the wait itself failed (select returned an error)
  NotReadable,  // the wait returned, but the socket was not among the readable ones
};

class UdpSocket {
 public:
  virtual ~UdpSocket() = default;  // closes the socket
  // Binds to every local interface at `port` (host order). False when the port cannot be had.
  virtual bool bindAny(uint16_t port) = 0;
  // Sends one datagram. False when the platform refuses it.
  virtual bool sendTo(const UdpEndpoint& to, const uint8_t* data, std::size_t size) = 0;
  // Waits at most `timeoutMillis` (>= 0) for a datagram to arrive.
  virtual UdpWait waitReadable(int timeoutMillis) = 0;
  // Receives one datagram into `buffer`; a longer datagram is cut to `capacity` bytes (on Winsock
  // recvfrom then reports WSAEMSGSIZE: a binding returns `capacity` for that case). Returns the
  // number of bytes stored and fills `from` with the sender, or -1 when receiving failed.
  virtual int receiveFrom(uint8_t* buffer, std::size_t capacity, UdpEndpoint& from) = 0;
};

class UdpNetwork {
 public:
  virtual ~UdpNetwork() = default;
  // Starts the sockets library for one attempt. False when it cannot be started.
  virtual bool startup() = 0;
  // Undoes one successful startup().
  virtual void cleanup() = 0;
  // A new IPv4 datagram socket, or nullptr when none can be created.
  virtual std::unique_ptr<UdpSocket> openSocket() = 0;
  // Looks `host` up as a host name; true with the first IPv4 address of the answer.
  virtual bool resolveIpv4(const std::string& host, uint32_t& address) = 0;
  // A monotonic millisecond count that bounds the total wait for a reply. The default reads
  // std::chrono::steady_clock; test doubles override it to simulate time.
  virtual int64_t steadyMillis() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }
};

}  // namespace mdx
