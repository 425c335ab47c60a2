#include "nettime/sntp_client.h"

#include <memory>

#include "nettime/sntp.h"
#include "nettime/sntp_offset.h"

namespace mdx {

namespace {

// Undoes the sockets library's startup when the attempt ends, whichever way it ends. Declared
// before the attempt's socket, so the socket is closed first.
class NetworkSession {
 public:
  explicit NetworkSession(UdpNetwork& network) : network_(network) {}
  ~NetworkSession() { network_.cleanup(); }
  NetworkSession(const NetworkSession&) = delete;
  NetworkSession& operator=(const NetworkSession&) = delete;

 private:
  UdpNetwork& network_;
};

}  // namespace

const char* sntpOutcomeText(SntpOutcome outcome) {
  switch (outcome) {
    case SntpOutcome::StartupFailed: return sntp_status::kStartupFailed;
    case SntpOutcome::SocketFailed: return sntp_status::kSocketFailed;
    case SntpOutcome::LookupFailed: return sntp_status::kLookupFailed;
    case SntpOutcome::SendFailed: return sntp_status::kSendFailed;
    case SntpOutcome::Timeout: return sntp_status::kTimeout;
    case SntpOutcome::TimeBefore1970: return sntp_status::kTimeUnusable;
    case SntpOutcome::SetFailed: return sntp_status::kClockSetFailed;
    case SntpOutcome::SetDeclined: return sntp_status::kElevationDeclined;
    case SntpOutcome::NeedsElevation: return sntp_status::kNeedsAdministrator;
    case SntpOutcome::ClockSet: return sntp_status::kClockSet;
    case SntpOutcome::WaitFailed:
    case SntpOutcome::ReceiveFailed:
    case SntpOutcome::BadReply:
    default: return sntp_status::kServerError;
  }
}

namespace {

SntpOutcome outcomeOfMove(ClockMoveResult moved) {
  switch (moved) {
    case ClockMoveResult::Moved: return SntpOutcome::ClockSet;
    case ClockMoveResult::Declined: return SntpOutcome::SetDeclined;
    case ClockMoveResult::PrivilegeNotHeld: return SntpOutcome::NeedsElevation;
    case ClockMoveResult::Failed:
    default: return SntpOutcome::SetFailed;
  }
}

}  // namespace

SntpClient::SntpClient(UdpNetwork& network, const Clock& clock, ClockMover& mover, SntpOptions options)
    : network_(network), clock_(clock), mover_(mover), options_(options) {}

SntpResult SntpClient::acquire(const std::string& server, SntpStatusSink& sink) {
  SntpResult result;
  auto status = [&](const char* text) {
    result.statusText = text;
    sink.showStatus(result.statusText);
  };
  auto end = [&](SntpOutcome outcome) {
    result.outcome = outcome;
    status(sntpOutcomeText(outcome));
    return result;
  };

  // The library is started and cleaned up once per attempt, so nothing piles up over many attempts.
  if (!network_.startup()) return end(SntpOutcome::StartupFailed);
  NetworkSession session(network_);
  status(sntp_status::kStarted);

  std::unique_ptr<UdpSocket> socket = network_.openSocket();
  if (!socket) return end(SntpOutcome::SocketFailed);
  status(sntp_status::kSocketMade);

  // Without the preferred local port the attempt still works: the system then picks a port when
  // the request is sent.
  if (socket->bindAny(options_.localPort)) {
    status(sntp_status::kBound);
  } else {
    status(sntp_status::kBindFailed1);
    status(sntp_status::kBindFailed2);
  }

  // A dotted IPv4 address is used as it is; anything else is looked up as a host name.
  UdpEndpoint serverEnd;
  serverEnd.port = options_.serverPort;
  if (!parseDottedIpv4(server, serverEnd.address) &&
      !network_.resolveIpv4(server, serverEnd.address)) {
    return end(SntpOutcome::LookupFailed);
  }
  status(sntp_status::kConnected);

  // The request carries its send time (T1); the server echoes it as the reply's originate time.
  const int64_t requestSent = clock_.nowMicros();
  const NtpTimestamp requestStamp = ntpFromUnixMicros(requestSent);
  const SntpPacket request = makeSntpRequest(requestStamp);
  if (!socket->sendTo(serverEnd, request.data(), request.size())) {
    return end(SntpOutcome::SendFailed);
  }

  // Wait for the server's reply. A datagram from any other sender is dropped and the wait goes on,
  // but never past the deadline set when the request went out.
  SntpPacket buffer{};
  int received = 0;
  int64_t replyReceived = 0;
  const int64_t deadline = network_.steadyMillis() + options_.timeoutMillis;
  for (;;) {
    int64_t remaining = deadline - network_.steadyMillis();
    if (remaining < 0) remaining = 0;
    const UdpWait wait = socket->waitReadable(static_cast<int>(remaining));
    if (wait == UdpWait::Timeout) return end(SntpOutcome::Timeout);
    if (wait != UdpWait::Readable) return end(SntpOutcome::WaitFailed);

    UdpEndpoint from;
    received = socket->receiveFrom(buffer.data(), buffer.size(), from);
    replyReceived = clock_.nowMicros();  // T4, read right after the datagram arrived
    if (received < 0) return end(SntpOutcome::ReceiveFailed);
    if (from == serverEnd) break;
    if (network_.steadyMillis() >= deadline) return end(SntpOutcome::Timeout);
  }

  // A reply that cannot carry a valid server time never reaches the clock. An all-zero transmit
  // timestamp is such a reply (an unsynchronised server's), so it counts as a server error like
  // the other malformed replies; so does a reply whose originate time is not this request's send
  // time (a stray, late, replayed or forged datagram). "時刻取得失敗" stays for a well-formed time
  // before 1970.
  SntpReply reply;
  if (checkSntpReply(buffer.data(), static_cast<std::size_t>(received), reply) != SntpReplyCheck::Ok ||
      reply.originate != requestStamp) {
    return end(SntpOutcome::BadReply);
  }
  const int64_t serverSeconds = ntpSecondsToUnix(reply.transmitSeconds);
  if (serverSeconds < 0) return end(SntpOutcome::TimeBefore1970);

  SntpExchangeTimes times;
  times.requestSent = requestSent;
  times.hasServerReceived = reply.receive != 0;
  times.serverReceived = times.hasServerReceived ? ntpToUnixMicros(reply.receive) : 0;
  times.serverSent = ntpToUnixMicros(reply.transmit());
  times.replyReceived = replyReceived;
  result.offsetMicros = sntpOffsetMicros(times);
  result.offsetMillis = roundMicrosToMillis(result.offsetMicros);

  // The two fields show the PC time when the reply came and the time the clock is set to.
  const int64_t correctedMicros = replyReceived + result.offsetMicros;
  result.pcTimeText = formatSntpTimeText(clock_.toLocal(floorDiv(replyReceived, 1000000)));
  result.serverTimeText = formatSntpTimeText(clock_.toLocal(floorDiv(correctedMicros, 1000000)));
  result.serverUnixSeconds = serverSeconds;
  sink.showTimes(result.pcTimeText, result.serverTimeText);

  return end(outcomeOfMove(mover_.moveClockBy(result.offsetMillis)));
}

}  // namespace mdx
