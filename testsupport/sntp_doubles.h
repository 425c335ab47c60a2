#pragma once
// What the network-time tests hand the exchange besides the network: a server's reply packet
// (also as the scripted arrival of a server whose clock and path delays are given), a clock
// mover and a status sink that record every call.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "nettime/clock_mover.h"
#include "nettime/sntp.h"
#include "nettime/sntp_client.h"
#include "platform/clock.h"
#include "testsupport/scripted_udp.h"

namespace mdx::test {

// A server's SNTP reply: version 4, the given leap indicator, mode and stratum, and the transmit
// timestamp; every other byte 0.
inline SntpPacket serverReply(uint32_t seconds, uint32_t fraction, int leap = 0, int mode = 4, int stratum = 2) {
  SntpPacket p{};
  p[0] = static_cast<uint8_t>((leap << 6) | (4 << 3) | mode);
  p[1] = static_cast<uint8_t>(stratum);
  for (int i = 0; i < 4; ++i) {
    p[40 + i] = static_cast<uint8_t>(seconds >> (24 - 8 * i));
    p[44 + i] = static_cast<uint8_t>(fraction >> (24 - 8 * i));
  }
  return p;
}

// The reply's receive (bytes 32..39) and transmit (bytes 40..47) timestamps replaced.
inline SntpPacket withServerTimes(SntpPacket p, NtpTimestamp receive, NtpTimestamp transmit) {
  for (int i = 0; i < 8; ++i) {
    p[32 + i] = static_cast<uint8_t>(receive >> (56 - 8 * i));
    p[40 + i] = static_cast<uint8_t>(transmit >> (56 - 8 * i));
  }
  return p;
}

// A good server whose clock reads `trueOffsetMicros` ahead of the PC's, answering a request the
// PC sends at `sentMicros` (its own clock) over a path of `outMillis` there and `backMillis`
// back, after `holdMillis` in the server: the arrival, due outMillis + holdMillis + backMillis
// after the request, with the server's receive and transmit times. The network's pcClock should
// be the PC clock, so that the PC reads the time passing too.
inline ScriptedArrival delayedServerArrival(int64_t sentMicros, int64_t trueOffsetMicros, int outMillis,
                                            int backMillis, UdpEndpoint from, int holdMillis = 0) {
  const int64_t received = sentMicros + trueOffsetMicros + outMillis * 1000LL;
  const int64_t transmitted = received + holdMillis * 1000LL;
  const SntpPacket p = withServerTimes(serverReply(0, 0), ntpFromUnixMicros(received), ntpFromUnixMicros(transmitted));
  ScriptedArrival a;
  a.bytes.assign(p.begin(), p.end());
  a.from = from;
  a.afterMillis = outMillis + holdMillis + backMillis;
  return a;
}

// Records every offset it is asked to move the clock by, and the time the clock then reads
// (the attached clock's time plus the offset); answers `result`.
struct RecordingClockMover final : ClockMover {
  explicit RecordingClockMover(const Clock* clock = nullptr) : clock_(clock) {}
  ClockMoveResult result = ClockMoveResult::Moved;
  std::vector<int64_t> offsets;
  std::vector<int64_t> movedToMillis;  // with a clock attached
  ClockMoveResult moveClockBy(int64_t offsetMillis) override {
    offsets.push_back(offsetMillis);
    if (clock_) movedToMillis.push_back(clock_->nowMillis() + offsetMillis);
    return result;
  }

 private:
  const Clock* clock_;
};

struct RecordingSntpSink final : SntpStatusSink {
  std::vector<std::string> statuses;
  std::vector<std::pair<std::string, std::string>> times;  // (PC time, server time)
  void showStatus(const std::string& text) override { statuses.push_back(text); }
  void showTimes(const std::string& pc, const std::string& server) override { times.emplace_back(pc, server); }
};

}  // namespace mdx::test
