#pragma once
// The SNTP packet codec: the one request the program sends, the checks a reply must pass before
// its times are believed, the conversion of NTP timestamps, and the text form of the shown times.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/clock.h"

namespace mdx {

constexpr std::size_t kSntpPacketSize = 48;
using SntpPacket = std::array<uint8_t, kSntpPacketSize>;

// A 64-bit NTP timestamp: seconds since 1900 (modulo the era) in the high 32 bits, the fraction
// of a second in units of 2^-32 s in the low 32 bits.
using NtpTimestamp = uint64_t;

// The request: byte 0 is 0x0B (leap indicator 0, version 1, mode 3 = client), the transmit
// timestamp (bytes 40..47) is `sendTime`, every other byte 0. A server copies the transmit
// timestamp into its reply's originate timestamp, which ties the reply to this request.
SntpPacket makeSntpRequest(NtpTimestamp sendTime);

// Fields of a server reply. The three timestamps go into the clock offset; the other fields
// decide whether the reply is believed.
struct SntpReply {
  int leapIndicator = 0;  // 0..3, 3 = server not synchronised
  int version = 0;
  int mode = 0;           // 4 = server, 5 = broadcast
  int stratum = 0;        // 0 = kiss-o'-death
  uint32_t transmitSeconds = 0;   // bytes 40..43, seconds since 1900 (modulo the NTP era)
  uint32_t transmitFraction = 0;  // bytes 44..47, units of 2^-32 s
  NtpTimestamp originate = 0;     // bytes 24..31: the request's transmit timestamp, echoed
  NtpTimestamp receive = 0;       // bytes 32..39: when the server received the request (0 = not given)
  NtpTimestamp transmit() const { return (NtpTimestamp{transmitSeconds} << 32) | transmitFraction; }
};

enum class SntpReplyCheck {
  Ok,
  TooShort,        // fewer than 48 bytes arrived
  Unsynchronised,  // leap indicator 3
  WrongMode,       // not a server or broadcast reply
  KissOfDeath,     // stratum 0
  NoTransmitTime,  // transmit timestamp all zero
};

// Decodes `size` received bytes into `reply` (as far as they go) and says whether the reply
// carries a usable time.
SntpReplyCheck checkSntpReply(const uint8_t* data, std::size_t size, SntpReply& reply);

// Seconds since 1970-01-01 00:00:00 UTC of an NTP seconds value. NTP seconds wrap every 2^32 s;
// a value with the top bit set lies in era 0 (1968-01-20 to 2036-02-07), a value with it clear in
// era 1 (from 2036-02-07 06:28:16 UTC on), which keeps the result right until 2104. The result is
// negative for times before 1970.
int64_t ntpSecondsToUnix(uint32_t ntpSeconds);

// Microseconds since 1970-01-01 00:00:00 UTC of an NTP timestamp (era rule of ntpSecondsToUnix;
// the fraction truncated), and the timestamp of such a count (the fraction rounded down to the
// 2^-32 s unit, so that encoding and decoding give the microsecond back).
int64_t ntpToUnixMicros(NtpTimestamp timestamp);
NtpTimestamp ntpFromUnixMicros(int64_t unixMicros);

// Whole milliseconds of an NTP fraction, truncated: 0x80000000 -> 500, 0xFFFFFFFF -> 999.
int ntpFractionToMillis(uint32_t fraction);

// 0 = Sunday .. 6 = Saturday, proleptic Gregorian.
int weekdayOf(int year, int month, int day);

// The 25-character form of a shown time: "Wed Jan 01 09:00:00 2020\n" (weekday, month, day with
// leading zero, 24-hour time, four-digit year, line feed). The millisecond field is not shown.
std::string formatSntpTimeText(const CivilTime& t);

// Strict dotted-decimal IPv4 text: four parts of 1 to 3 decimal digits, each 0..255, separated by
// single dots, nothing else. True with the address in host order (127.0.0.1 -> 0x7F000001).
bool parseDottedIpv4(const std::string& text, uint32_t& address);

}  // namespace mdx
