#pragma once
// What the network-time tests hand the exchange besides the network: a server's reply packet,
// a clock setter and a status sink that record every call.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "nettime/sntp.h"
#include "nettime/sntp_client.h"

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

// Records every time it is asked to set; answers `accept`.
struct RecordingClockSetter final : LocalClockSetter {
  bool accept = true;
  std::vector<CivilTime> calls;
  bool setLocalTime(const CivilTime& local) override {
    calls.push_back(local);
    return accept;
  }
};

struct RecordingSntpSink final : SntpStatusSink {
  std::vector<std::string> statuses;
  std::vector<std::pair<std::string, std::string>> times;  // (PC time, server time)
  void showStatus(const std::string& text) override { statuses.push_back(text); }
  void showTimes(const std::string& pc, const std::string& server) override { times.emplace_back(pc, server); }
};

}  // namespace mdx::test
