#include "nettime/sntp_offset.h"

namespace mdx {

int64_t sntpOffsetMicros(const SntpExchangeTimes& t) {
  if (!t.hasServerReceived) return t.serverSent + (t.replyReceived - t.requestSent) / 2 - t.replyReceived;
  return ((t.serverReceived - t.requestSent) + (t.serverSent - t.replyReceived)) / 2;
}

int64_t roundMicrosToMillis(int64_t micros) {
  return micros >= 0 ? (micros + 500) / 1000 : -((-micros + 500) / 1000);
}

}  // namespace mdx
