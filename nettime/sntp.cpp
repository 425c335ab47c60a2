#include "nettime/sntp.h"

#include <cstdio>

namespace mdx {

namespace {

// Seconds from 1900-01-01 to 1970-01-01.
constexpr int64_t kNtpToUnixOffset = 2208988800LL;
constexpr int64_t kNtpEraSeconds = 1LL << 32;

uint32_t readBigEndian32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

uint64_t readBigEndian64(const uint8_t* p) {
  return (uint64_t{readBigEndian32(p)} << 32) | readBigEndian32(p + 4);
}

}  // namespace

SntpPacket makeSntpRequest(NtpTimestamp sendTime) {
  SntpPacket packet{};
  packet[0] = 0x0B;
  for (int i = 0; i < 8; ++i) packet[40 + i] = static_cast<uint8_t>(sendTime >> (56 - 8 * i));
  return packet;
}

SntpReplyCheck checkSntpReply(const uint8_t* data, std::size_t size, SntpReply& reply) {
  reply = SntpReply{};
  if (size >= 1) {
    reply.leapIndicator = data[0] >> 6;
    reply.version = (data[0] >> 3) & 7;
    reply.mode = data[0] & 7;
  }
  if (size >= 2) reply.stratum = data[1];
  if (size < kSntpPacketSize) return SntpReplyCheck::TooShort;
  reply.transmitSeconds = readBigEndian32(data + 40);
  reply.transmitFraction = readBigEndian32(data + 44);
  reply.originate = readBigEndian64(data + 24);
  reply.receive = readBigEndian64(data + 32);

  if (reply.leapIndicator == 3) return SntpReplyCheck::Unsynchronised;
  if (reply.mode != 4 && reply.mode != 5) return SntpReplyCheck::WrongMode;
  if (reply.stratum == 0) return SntpReplyCheck::KissOfDeath;
  if (reply.transmitSeconds == 0 && reply.transmitFraction == 0) return SntpReplyCheck::NoTransmitTime;
  return SntpReplyCheck::Ok;
}

int64_t ntpSecondsToUnix(uint32_t ntpSeconds) {
  int64_t seconds = static_cast<int64_t>(ntpSeconds);
  if ((ntpSeconds & 0x80000000u) == 0) seconds += kNtpEraSeconds;
  return seconds - kNtpToUnixOffset;
}

int64_t ntpToUnixMicros(NtpTimestamp timestamp) {
  const int64_t seconds = ntpSecondsToUnix(static_cast<uint32_t>(timestamp >> 32));
  const int64_t micros = static_cast<int64_t>(((timestamp & 0xFFFFFFFFu) * 1000000u) >> 32);
  return seconds * 1000000 + micros;
}

NtpTimestamp ntpFromUnixMicros(int64_t unixMicros) {
  const int64_t seconds = floorDiv(unixMicros, 1000000);
  const uint64_t micros = static_cast<uint64_t>(floorMod(unixMicros, 1000000));
  // The smallest fraction that decodes to `micros` again: ceil(micros * 2^32 / 10^6).
  const uint64_t fraction = ((micros << 32) + 999999u) / 1000000u;
  const uint32_t ntpSeconds = static_cast<uint32_t>(seconds + kNtpToUnixOffset);  // modulo 2^32
  return (NtpTimestamp{ntpSeconds} << 32) | fraction;
}

int ntpFractionToMillis(uint32_t fraction) {
  return static_cast<int>((static_cast<uint64_t>(fraction) * 1000u) >> 32);
}

int weekdayOf(int year, int month, int day) {
  // 1970-01-01 was a Thursday (4).
  const int64_t days = daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
  return static_cast<int>(floorMod(days + 4, 7));
}

std::string formatSntpTimeText(const CivilTime& t) {
  static const char* const kWeekdays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const int month = t.month >= 1 && t.month <= 12 ? t.month : 1;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%s %s %02d %02d:%02d:%02d %04d\n",
                kWeekdays[weekdayOf(t.year, month, t.day)], kMonths[month - 1], t.day, t.hour,
                t.minute, t.second, t.year);
  return buffer;
}

bool parseDottedIpv4(const std::string& text, uint32_t& address) {
  uint32_t result = 0;
  std::size_t pos = 0;
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (pos >= text.size() || text[pos] != '.') return false;
      ++pos;
    }
    unsigned value = 0;
    int digits = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < 4) {
      value = value * 10 + static_cast<unsigned>(text[pos] - '0');
      ++pos;
      ++digits;
    }
    if (digits == 0 || digits > 3 || value > 255) return false;
    result = (result << 8) | value;
  }
  if (pos != text.size()) return false;
  address = result;
  return true;
}

}  // namespace mdx
