// One network-time attempt against a scripted network: the fuzzer chooses the server text,
// whether each step of the socket works, and every datagram that arrives during the wait (its
// bytes, length, sender and delay), as a hostile or broken server or a flood from elsewhere
// would send them, with or without the request's send time echoed. The PC clock and the clock
// mover are fakes.
//
// Properties: the clock is moved at most once, only for a datagram from the server that passes
// every check of a reply (its originate time the request's transmit time among them), and by
// exactly the offset that datagram's timestamps give; the wait never runs past the timeout; the attempt cleans up the
// sockets library once, after its socket is closed.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "nettime/sntp.h"
#include "nettime/sntp_client.h"
#include "nettime/sntp_offset.h"
#include "platform/fake_clock.h"
#include "testsupport/scripted_udp.h"
#include "testsupport/sntp_doubles.h"

namespace {

using namespace mdx;

constexpr uint32_t kServerAddress = 0xC0000201;  // what the fake lookup answers for any name
constexpr int kTimeoutMillis = 3000;

using Datagram = test::ScriptedArrival;

uint32_t be32(const std::vector<uint8_t>& b, size_t at) {
  return (uint32_t{b[at]} << 24) | (uint32_t{b[at + 1]} << 16) | (uint32_t{b[at + 2]} << 8) | b[at + 3];
}

// Whether a datagram is a reply whose time may be believed, read straight from its bytes.
bool believable(const std::vector<uint8_t>& b) {
  if (b.size() < kSntpPacketSize) return false;
  const int leap = b[0] >> 6, mode = b[0] & 7, stratum = b[1];
  const bool anyTransmit = be32(b, 40) != 0 || be32(b, 44) != 0;
  return leap != 3 && (mode == 4 || mode == 5) && stratum != 0 && anyTransmit;
}

// Whether the datagram names the request as the one it answers.
bool answers(const std::vector<uint8_t>& reply, const std::vector<uint8_t>& request) {
  return reply.size() >= 32 && std::equal(request.begin() + 40, request.begin() + 48, reply.begin() + 24);
}

Datagram fuzzedDatagram(FuzzedDataProvider& in) {
  Datagram d;
  d.afterMillis = in.ConsumeIntegralInRange<int64_t>(0, 4000);
  switch (in.ConsumeIntegralInRange<int>(0, 15)) {
    case 0: d.wait = UdpWait::Failed; break;
    case 1: d.wait = UdpWait::NotReadable; break;
    case 2: d.receiveFails = true; break;
    default: break;
  }
  const int sender = in.ConsumeIntegralInRange<int>(0, 3);
  d.from = sender == 0   ? UdpEndpoint{kServerAddress, 124}
           : sender == 1 ? UdpEndpoint{in.ConsumeIntegral<uint32_t>(), 123}
                         : UdpEndpoint{kServerAddress, 123};
  // Mostly a well-formed reply with fuzzed fields, sometimes any bytes of any length.
  if (in.ConsumeBool()) {
    d.bytes = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<size_t>(0, 1500));
  } else {
    d.bytes.assign(kSntpPacketSize, 0);
    d.bytes[0] = in.ConsumeIntegral<uint8_t>();
    d.bytes[1] = in.ConsumeIntegral<uint8_t>();
    const uint64_t transmit = in.ConsumeIntegral<uint64_t>();
    const uint64_t receive = in.ConsumeBool() ? 0 : in.ConsumeIntegral<uint64_t>();
    for (int i = 0; i < 8; ++i) {
      d.bytes[32 + i] = static_cast<uint8_t>(receive >> (56 - 8 * i));
      d.bytes[40 + i] = static_cast<uint8_t>(transmit >> (56 - 8 * i));
    }
    d.bytes.resize(in.ConsumeIntegralInRange<size_t>(kSntpPacketSize, kSntpPacketSize + 2));
  }
  // Mostly the request's send time echoed, as a server does; sometimes whatever the bytes hold.
  d.echoRequestTime = in.ConsumeIntegralInRange<int>(0, 3) != 0;
  return d;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  test::ScriptedUdpNetwork net;
  net.now = in.ConsumeIntegral<int32_t>();
  const uint8_t failures = in.ConsumeIntegral<uint8_t>();
  net.startupOk = (failures & 0x1F) != 1;
  net.socketOk = (failures & 0x1F) != 2;
  net.bindOk = (failures & 0x1F) != 3;
  net.sendOk = (failures & 0x1F) != 5;
  const int offset = in.ConsumeIntegralInRange<int>(-14 * 3600, 14 * 3600);
  FakeClock clock(in.ConsumeIntegralInRange<int64_t>(0, int64_t{4102444800} * 1000), offset);
  test::RecordingClockMover mover;
  mover.result = static_cast<ClockMoveResult>((failures >> 5) & 3);
  const std::string server =
      in.ConsumeBool() ? std::string("192.0.2.1") : in.ConsumeRandomLengthString(40);
  // Any name looks up to the server's address unless the lookup is to fail.
  if ((failures & 0x1F) != 4) net.hosts[server] = kServerAddress;
  const int count = in.ConsumeIntegralInRange<int>(0, 64);
  for (int i = 0; i < count && in.remaining_bytes() > 0; ++i) net.arrivals.push_back(fuzzedDatagram(in));

  SntpOptions options;
  options.timeoutMillis = kTimeoutMillis;
  SntpClient client(net, clock, mover, options);
  test::RecordingSntpSink sink;
  const int64_t started = net.now;
  const SntpResult result = client.acquire(server, sink);

  FUZZ_CHECK(net.startups == 1, "one startup per attempt");
  FUZZ_CHECK(net.cleanups == (net.startupOk ? 1 : 0), "one cleanup per successful startup");
  FUZZ_CHECK(!net.socketOpenAtCleanup, "the socket is closed before the cleanup");
  FUZZ_CHECK(net.openSockets == 0, "no socket outlives the attempt");
  FUZZ_CHECK(net.sentTo.size() <= 1, "one request per attempt");
  for (const std::vector<uint8_t>& request : net.sentDatagrams)
    FUZZ_CHECK(request.size() == kSntpPacketSize && request[0] == 0x0B, "the request is the one 48-byte packet");
  for (int timeout : net.waitTimeouts)
    FUZZ_CHECK(timeout >= 0 && timeout <= kTimeoutMillis, "a wait stays inside the timeout");
  FUZZ_CHECK(net.receivesWithoutArrival == 0, "a receive only follows a readable wait");
  for (const auto& shown : sink.times)
    FUZZ_CHECK(shown.first.size() == 25 && shown.second.size() == 25, "shown times have the 25-character form");
  FUZZ_CHECK(net.now - started <= kTimeoutMillis, "the wait ends with the timeout");
  FUZZ_CHECK(mover.offsets.size() <= 1, "the clock is moved at most once");

  // The datagram the client took as the server's reply: the first one from the server's
  // address and port. Nothing after it is read.
  const Datagram* reply = nullptr;
  for (const Datagram& d : net.delivered) {
    FUZZ_CHECK(reply == nullptr, "nothing is read after the server's reply");
    if (d.from == net.sentTo.at(0)) reply = &d;
  }
  if (mover.offsets.empty()) {
    FUZZ_CHECK(!result.completed(), "no clock setting, no completed attempt");
    return 0;
  }
  FUZZ_CHECK(reply != nullptr && believable(reply->bytes) && answers(reply->bytes, net.sentDatagrams.at(0)),
             "only a believable answer to this request sets the clock");
  FUZZ_CHECK(result.completed() && (result.outcome == SntpOutcome::ClockSet) == (mover.result == ClockMoveResult::Moved),
             "the outcome says what the mover answered");

  // The time handed over, turned back into NTP seconds, is the reply's transmit timestamp.
  // The clock moves by the offset of the reply's times against the PC clock, which stands still
  // here: T1 = T4 = the PC time.
  const int64_t pc = clock.nowMicros();
  SntpExchangeTimes times;
  times.requestSent = times.replyReceived = pc;
  times.hasServerReceived = be32(reply->bytes, 32) != 0 || be32(reply->bytes, 36) != 0;
  times.serverReceived = ntpToUnixMicros((uint64_t{be32(reply->bytes, 32)} << 32) | be32(reply->bytes, 36));
  times.serverSent = ntpToUnixMicros((uint64_t{be32(reply->bytes, 40)} << 32) | be32(reply->bytes, 44));
  FUZZ_CHECK(mover.offsets.front() == roundMicrosToMillis(sntpOffsetMicros(times)),
             "the clock moves by the offset of the reply's times");
  FUZZ_CHECK(result.serverUnixSeconds == ntpSecondsToUnix(be32(reply->bytes, 40)) && result.serverUnixSeconds >= 0,
             "the result reports the server's transmit time, never before 1970");
  return 0;
}
