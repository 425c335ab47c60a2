#pragma once
// The PC clock's offset from a time server, from the four times of one SNTP exchange: the
// request sent (T1, PC clock), received by the server (T2), the reply sent by the server (T3)
// and received (T4, PC clock). Every time is in microseconds since 1970-01-01 00:00:00 UTC.
#include <cstdint>

namespace mdx {

struct SntpExchangeTimes {
  int64_t requestSent = 0;       // T1
  int64_t serverReceived = 0;    // T2, when the server gave it
  bool hasServerReceived = true; // false: the reply's receive timestamp was zero
  int64_t serverSent = 0;        // T3
  int64_t replyReceived = 0;     // T4
};

// How far the PC clock must move to agree with the server: ((T2 - T1) + (T3 - T4)) / 2, exact
// when the path takes as long out as back. Without T2 the reply's transit is taken as half the
// round trip: T3 + (T4 - T1) / 2 - T4.
int64_t sntpOffsetMicros(const SntpExchangeTimes& t);

// Microseconds to whole milliseconds, rounded to the nearest (halves away from zero).
int64_t roundMicrosToMillis(int64_t micros);

}  // namespace mdx
