#include "testsupport/scripted_udp.h"

#include <algorithm>

namespace mdx::test {
namespace {

class ScriptedSocket final : public UdpSocket {
 public:
  explicit ScriptedSocket(ScriptedUdpNetwork& net) : net_(net) { ++net_.openSockets; }
  ~ScriptedSocket() override { --net_.openSockets; }

  bool bindAny(uint16_t port) override {
    net_.boundPorts.push_back(port);
    return net_.bindOk;
  }

  bool sendTo(const UdpEndpoint& to, const uint8_t* data, std::size_t size) override {
    net_.sentTo.push_back(to);
    net_.sentDatagrams.emplace_back(data, data + size);
    return net_.sendOk;
  }

  // The next arrival comes if it is due within the wait; a failed or unreadable wait is used up
  // by the wait, a datagram by the receive that follows.
  UdpWait waitReadable(int timeoutMillis) override {
    net_.waitTimeouts.push_back(timeoutMillis);
    if (net_.arrivals.empty() || net_.arrivals.front().afterMillis > timeoutMillis) {
      net_.advance(timeoutMillis);
      return UdpWait::Timeout;
    }
    net_.advance(net_.arrivals.front().afterMillis);
    const UdpWait w = net_.arrivals.front().wait;
    if (w != UdpWait::Readable) net_.arrivals.pop_front();
    return w;
  }

  int receiveFrom(uint8_t* buffer, std::size_t capacity, UdpEndpoint& from) override {
    if (net_.arrivals.empty()) {
      ++net_.receivesWithoutArrival;
      return -1;
    }
    ScriptedArrival a = std::move(net_.arrivals.front());
    net_.arrivals.pop_front();
    if (a.receiveFails) return -1;
    // A longer datagram is cut to the buffer, as recvfrom does.
    if (a.bytes.size() > capacity) a.bytes.resize(capacity);
    if (a.echoRequestTime && a.bytes.size() >= 32 && !net_.sentDatagrams.empty() &&
        net_.sentDatagrams.back().size() >= 48)
      std::copy_n(net_.sentDatagrams.back().begin() + 40, 8, a.bytes.begin() + 24);
    std::copy(a.bytes.begin(), a.bytes.end(), buffer);
    from = a.from;
    net_.delivered.push_back(a);
    return static_cast<int>(a.bytes.size());
  }

 private:
  ScriptedUdpNetwork& net_;
};

}  // namespace

bool ScriptedUdpNetwork::startup() {
  ++startups;
  return startupOk;
}

void ScriptedUdpNetwork::cleanup() {
  ++cleanups;
  if (openSockets > 0) socketOpenAtCleanup = true;
}

std::unique_ptr<UdpSocket> ScriptedUdpNetwork::openSocket() {
  if (!socketOk) return nullptr;
  return std::make_unique<ScriptedSocket>(*this);
}

bool ScriptedUdpNetwork::resolveIpv4(const std::string& host, uint32_t& address) {
  lookups.push_back(host);
  const auto it = hosts.find(host);
  if (it == hosts.end()) return false;
  address = it->second;
  return true;
}

}  // namespace mdx::test
