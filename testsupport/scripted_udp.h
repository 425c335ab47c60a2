#pragma once
// A scripted UDP network for the network-time exchange: each step of the sockets library can be
// made to fail, host names answer from a table, and every wait returns the next scripted arrival
// (a datagram with its sender, or a failed or unreadable wait) after its delay on a simulated
// millisecond clock. It records what the exchange did: starts, clean-ups, open sockets, bound
// ports, lookups, requests, wait timeouts and the datagrams it handed over. A scripted reply
// echoes the request's transmit time as its originate time, as a server does, unless told not
// to; a fake PC clock can be made to run with the simulated time.
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake_clock.h"
#include "platform/udp.h"

namespace mdx::test {

// One scripted outcome of a wait, with the datagram that a following receive returns.
struct ScriptedArrival {
  UdpWait wait = UdpWait::Readable;
  int64_t afterMillis = 10;  // how long the wait lasts before it returns
  std::vector<uint8_t> bytes;
  UdpEndpoint from;
  bool receiveFails = false;
  // Bytes 24..31 (the originate time) become the last request's bytes 40..47 (its transmit time)
  // when the datagram reaches that far.
  bool echoRequestTime = true;
};

class ScriptedUdpNetwork final : public UdpNetwork {
 public:
  // Script.
  bool startupOk = true;
  bool socketOk = true;
  bool bindOk = true;
  bool sendOk = true;
  std::map<std::string, uint32_t> hosts;  // what a lookup answers; other names fail
  std::deque<ScriptedArrival> arrivals;
  int64_t now = 1000;  // the simulated steady clock, advanced by every wait
  FakeClock* pcClock = nullptr;  // when set, advanced together with `now`

  // Record.
  int startups = 0;
  int cleanups = 0;
  int openSockets = 0;
  bool socketOpenAtCleanup = false;
  int receivesWithoutArrival = 0;  // receives with nothing scripted to hand over
  std::vector<uint16_t> boundPorts;
  std::vector<std::string> lookups;
  std::vector<UdpEndpoint> sentTo;
  std::vector<std::vector<uint8_t>> sentDatagrams;
  std::vector<int> waitTimeouts;
  std::vector<ScriptedArrival> delivered;  // every datagram handed over, as received

  bool startup() override;
  void cleanup() override;
  std::unique_ptr<UdpSocket> openSocket() override;
  bool resolveIpv4(const std::string& host, uint32_t& address) override;
  int64_t steadyMillis() override { return now; }
  void advance(int64_t millis) {
    now += millis;
    if (pcClock) pcClock->advanceMillis(millis);
  }
};

}  // namespace mdx::test
