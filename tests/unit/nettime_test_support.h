#pragma once
// A server's SNTP reply for the codec, client and loopback tests: version 4, the given leap
// indicator, mode and stratum, and the transmit timestamp; every other byte 0.
#include <cstdint>

#include "nettime/sntp.h"

namespace mdx::test {

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

}  // namespace mdx::test
