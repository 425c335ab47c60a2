#include "nettime/sntp_client.h"

#include <memory>

#include "nettime/sntp.h"

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
    case SntpOutcome::ClockSet: return sntp_status::kClockSet;
    case SntpOutcome::WaitFailed:
    case SntpOutcome::ReceiveFailed:
    case SntpOutcome::BadReply:
    default: return sntp_status::kServerError;
  }
}

SntpClient::SntpClient(UdpNetwork& network, const Clock& clock, LocalClockSetter& setter,
                       SntpOptions options)
    : network_(network), clock_(clock), setter_(setter), options_(options) {}

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

  const SntpPacket request = makeSntpRequest();
  if (!socket->sendTo(serverEnd, request.data(), request.size())) {
    return end(SntpOutcome::SendFailed);
  }

  // Wait for the server's reply. A datagram from any other sender is dropped and the wait goes on,
  // but never past the deadline set when the request went out.
  SntpPacket buffer{};
  int received = 0;
  const int64_t deadline = network_.steadyMillis() + options_.timeoutMillis;
  for (;;) {
    int64_t remaining = deadline - network_.steadyMillis();
    if (remaining < 0) remaining = 0;
    const UdpWait wait = socket->waitReadable(static_cast<int>(remaining));
    if (wait == UdpWait::Timeout) return end(SntpOutcome::Timeout);
    if (wait != UdpWait::Readable) return end(SntpOutcome::WaitFailed);

    UdpEndpoint from;
    received = socket->receiveFrom(buffer.data(), buffer.size(), from);
    if (received < 0) return end(SntpOutcome::ReceiveFailed);
    if (from == serverEnd) break;
    if (network_.steadyMillis() >= deadline) return end(SntpOutcome::Timeout);
  }

  // A reply that cannot carry a valid server time never reaches the clock. An all-zero transmit
  // timestamp is such a reply (an unsynchronised server's), so it counts as a server error like
  // the other malformed replies; "時刻取得失敗" stays for a well-formed time before 1970.
  SntpReply reply;
  if (checkSntpReply(buffer.data(), static_cast<std::size_t>(received), reply) != SntpReplyCheck::Ok) {
    return end(SntpOutcome::BadReply);
  }
  const int64_t serverSeconds = ntpSecondsToUnix(reply.transmitSeconds);
  if (serverSeconds < 0) return end(SntpOutcome::TimeBefore1970);

  // The PC time is read after the reply and before the clock changes: the two fields show the old
  // PC time and the time the clock is set to.
  CivilTime serverLocal = clock_.toLocal(serverSeconds);
  result.pcTimeText = formatSntpTimeText(clock_.toLocal(clock_.nowSeconds()));
  result.serverTimeText = formatSntpTimeText(serverLocal);
  result.serverUnixSeconds = serverSeconds;
  sink.showTimes(result.pcTimeText, result.serverTimeText);

  serverLocal.millisecond = ntpFractionToMillis(reply.transmitFraction);
  result.setTime = serverLocal;
  return end(setter_.setLocalTime(serverLocal) ? SntpOutcome::ClockSet : SntpOutcome::SetFailed);
}

}  // namespace mdx
