#include <gtest/gtest.h>

#include "nettime/sntp.h"
#include "nettime/sntp_offset.h"
#include "platform/fake_clock.h"
#include "testsupport/sntp_doubles.h"

namespace mdx {
namespace {

using test::serverReply;

TEST(SntpCodec, RequestIsVersion1ClientModeWithItsSendTime) {
  const SntpPacket request = makeSntpRequest(0x0123456789ABCDEFull);
  ASSERT_EQ(request.size(), 48u);
  EXPECT_EQ(request[0], 0x0B);
  for (std::size_t i = 1; i < 40; ++i) EXPECT_EQ(request[i], 0) << "byte " << i;
  const uint8_t stamp[8] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(request[40 + i], stamp[i]) << "byte " << 40 + i;
}

TEST(SntpCodec, ReplyTimestampsAndMicrosecondConversion) {
  SntpPacket p = test::withServerTimes(serverReply(0, 0), 0x1122334455667788ull, 0xE1B65F80C0000000ull);
  for (int i = 0; i < 8; ++i) p[24 + i] = static_cast<uint8_t>(0xA0 + i);
  SntpReply reply;
  ASSERT_EQ(checkSntpReply(p.data(), p.size(), reply), SntpReplyCheck::Ok);
  EXPECT_EQ(reply.originate, 0xA0A1A2A3A4A5A6A7ull);
  EXPECT_EQ(reply.receive, 0x1122334455667788ull);
  EXPECT_EQ(reply.transmit(), 0xE1B65F80C0000000ull);
  EXPECT_EQ(ntpToUnixMicros(reply.transmit()), 1577836800750000LL);  // 2020-01-01 00:00:00.75

  // Encoding and decoding give every microsecond back, in both eras and before 1970.
  for (int64_t us : {0LL, 1LL, 999999LL, 1577836800123456LL, 2147483648000001LL, -1LL, -61505151999999LL})
    EXPECT_EQ(ntpToUnixMicros(ntpFromUnixMicros(us)), us) << us;
  EXPECT_EQ(ntpFromUnixMicros(0), NtpTimestamp{2208988800u} << 32);
}

TEST(SntpOffset, FourTimesAndTheFallbackWithoutReceiveTime) {
  // Server 1 s ahead; 30 ms out, 2 ms in the server, 50 ms back.
  SntpExchangeTimes t{1000000, 2030000, true, 2032000, 1082000};
  EXPECT_EQ(sntpOffsetMicros(t), 1000000 - 10000);  // half the asymmetry (20 ms) off
  t.hasServerReceived = false;
  EXPECT_EQ(sntpOffsetMicros(t), 2032000 + 41000 - 1082000);
  EXPECT_EQ(roundMicrosToMillis(1500), 2);
  EXPECT_EQ(roundMicrosToMillis(-1500), -2);
  EXPECT_EQ(roundMicrosToMillis(1499), 1);
  EXPECT_EQ(roundMicrosToMillis(-1499), -1);
}

TEST(SntpCodec, NtpSecondsToUnixWithEraRule) {
  EXPECT_EQ(ntpSecondsToUnix(3786825600u), 1577836800);  // 2020-01-01 00:00:00 UTC
  EXPECT_EQ(ntpSecondsToUnix(2208988800u), 0);           // 1970-01-01
  // Top bit clear: era 1, from 2036-02-07 06:28:16 UTC on.
  EXPECT_EQ(ntpSecondsToUnix(0u), 2085978496);
  EXPECT_EQ(ntpSecondsToUnix(61505152u), 2147483648LL);  // one second past the 32-bit limit
  EXPECT_EQ(ntpSecondsToUnix(0x7FFFFFFFu), 4233462143LL); // last second of era 1's first half (2104)
  // Top bit set and below 1970: the years 1968 and 1969 stay negative.
  EXPECT_EQ(ntpSecondsToUnix(0x80000000u), -61505152);
  EXPECT_EQ(ntpSecondsToUnix(2208988799u), -1);
  EXPECT_EQ(ntpSecondsToUnix(0xFFFFFFFFu), 2085978495);  // last second of era 0
}

TEST(SntpCodec, FractionToMillisTruncates) {
  EXPECT_EQ(ntpFractionToMillis(0u), 0);
  EXPECT_EQ(ntpFractionToMillis(0x40000000u), 250);
  EXPECT_EQ(ntpFractionToMillis(0x80000000u), 500);
  EXPECT_EQ(ntpFractionToMillis(0xFFFFFFFFu), 999);
  EXPECT_EQ(ntpFractionToMillis(4294968u), 1);  // just over 1 ms
  EXPECT_EQ(ntpFractionToMillis(4294967u), 0);  // just under
}

TEST(SntpCodec, TimeTextHasTheFixed25CharacterForm) {
  FakeClock japan(0, 9 * 3600);
  const std::string text = formatSntpTimeText(japan.toLocal(1577836800));
  EXPECT_EQ(text, "Wed Jan 01 09:00:00 2020\n");
  EXPECT_EQ(text.size(), 25u);
  EXPECT_EQ(formatSntpTimeText(japan.toLocal(2085978496)), "Thu Feb 07 15:28:16 2036\n");
  EXPECT_EQ(formatSntpTimeText(japan.toLocal(2147483648LL)), "Tue Jan 19 12:14:08 2038\n");
  EXPECT_EQ(formatSntpTimeText(japan.toLocal(0)), "Thu Jan 01 09:00:00 1970\n");
  CivilTime late{2104, 2, 26, 18, 42, 22, 0};
  EXPECT_EQ(formatSntpTimeText(late), "Tue Feb 26 18:42:22 2104\n");
  CivilTime december{1999, 12, 31, 23, 59, 59, 999};
  EXPECT_EQ(formatSntpTimeText(december), "Fri Dec 31 23:59:59 1999\n");
}

TEST(SntpCodec, AcceptsServerAndBroadcastReplies) {
  SntpReply reply;
  SntpPacket p = serverReply(3786825600u, 0x80000000u);
  EXPECT_EQ(checkSntpReply(p.data(), p.size(), reply), SntpReplyCheck::Ok);
  EXPECT_EQ(reply.transmitSeconds, 3786825600u);
  EXPECT_EQ(reply.transmitFraction, 0x80000000u);
  EXPECT_EQ(reply.mode, 4);
  EXPECT_EQ(reply.version, 4);
  EXPECT_EQ(reply.stratum, 2);

  p = serverReply(3786825600u, 0, /*leap=*/1, /*mode=*/5);
  EXPECT_EQ(checkSntpReply(p.data(), p.size(), reply), SntpReplyCheck::Ok);
  // Whole seconds zero but a fraction present is still a time.
  p = serverReply(0, 1);
  EXPECT_EQ(checkSntpReply(p.data(), p.size(), reply), SntpReplyCheck::Ok);
}

TEST(SntpCodec, RejectsRepliesWithoutAUsableTime) {
  SntpReply reply;
  SntpPacket p = serverReply(3786825600u, 0);
  EXPECT_EQ(checkSntpReply(p.data(), 47, reply), SntpReplyCheck::TooShort);
  EXPECT_EQ(checkSntpReply(p.data(), 0, reply), SntpReplyCheck::TooShort);
  EXPECT_EQ(reply.transmitSeconds, 0u);

  p = serverReply(3786825600u, 0, /*leap=*/3);
  EXPECT_EQ(checkSntpReply(p.data(), p.size(), reply), SntpReplyCheck::Unsynchronised);
  for (int mode : {0, 1, 2, 3, 6, 7}) {
    p = serverReply(3786825600u, 0, 0, mode);
    EXPECT_EQ(checkSntpReply(p.data(), p.size(), reply), SntpReplyCheck::WrongMode) << mode;
  }
  p = serverReply(3786825600u, 0, 0, 4, /*stratum=*/0);
  EXPECT_EQ(checkSntpReply(p.data(), p.size(), reply), SntpReplyCheck::KissOfDeath);
  p = serverReply(0, 0);
  EXPECT_EQ(checkSntpReply(p.data(), p.size(), reply), SntpReplyCheck::NoTransmitTime);
}

TEST(SntpCodec, DottedIpv4IsParsedStrictly) {
  uint32_t a = 0;
  EXPECT_TRUE(parseDottedIpv4("127.0.0.1", a));
  EXPECT_EQ(a, 0x7F000001u);
  EXPECT_TRUE(parseDottedIpv4("255.255.255.255", a));
  EXPECT_EQ(a, 0xFFFFFFFFu);
  EXPECT_TRUE(parseDottedIpv4("133.243.238.164", a));
  EXPECT_EQ(a, 0x85F3EEA4u);
  for (const char* bad : {"", "1.2.3", "1.2.3.4.5", "256.1.1.1", "1.2.3.4 ", " 1.2.3.4", "1..3.4",
                          "1.2.3.", "a.b.c.d", "0001.1.1.1", "ntp.nict.jp", "1.2.3.-4"}) {
    EXPECT_FALSE(parseDottedIpv4(bad, a)) << bad;
  }
}

}  // namespace
}  // namespace mdx

namespace mdx {
namespace {

TEST(SntpCodec, EveryHeaderCombinationIsJudgedByLeapModeAndStratumOnly) {
  int usable = 0;
  for (int leap = 0; leap < 4; ++leap)
    for (int version = 0; version < 8; ++version)
      for (int mode = 0; mode < 8; ++mode)
        for (int stratum = 0; stratum < 256; ++stratum) {
          uint8_t p[kSntpPacketSize] = {};
          p[0] = static_cast<uint8_t>((leap << 6) | (version << 3) | mode);
          p[1] = static_cast<uint8_t>(stratum);
          p[43] = 1;  // transmit time 1 s into the era
          SntpReply r;
          const SntpReplyCheck c = checkSntpReply(p, sizeof p, r);
          const bool expected = leap != 3 && (mode == 4 || mode == 5) && stratum != 0;
          ASSERT_EQ(c == SntpReplyCheck::Ok, expected) << leap << " " << version << " " << mode << " " << stratum;
          ASSERT_EQ(r.version, version);
          ASSERT_EQ(r.transmitSeconds, 1u);
          usable += expected;
        }
  EXPECT_EQ(usable, 3 * 8 * 2 * 255);
}

}  // namespace
}  // namespace mdx
