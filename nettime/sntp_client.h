#pragma once
// One network-time attempt: ask a time server once over SNTP, measure the PC clock's offset from
// it, and move the PC clock by that offset, reporting every step as a status text. Runs blocking on the caller's thread; the name lookup and
// at most `SntpOptions::timeoutMillis` of waiting are the only delays.
#include <cstdint>
#include <string>

#include "nettime/clock_mover.h"
#include "platform/clock.h"
#include "platform/udp.h"

namespace mdx {

// The status texts of an attempt, in UTF-8, in the order they can appear.
namespace sntp_status {
inline constexpr const char kStartupFailed[] = "イニシャライズ出来ません";
inline constexpr const char kStarted[] = "イニシャライズ";
inline constexpr const char kSocketFailed[] = "ソケットエラー";
inline constexpr const char kSocketMade[] = "Done1";
inline constexpr const char kBound[] = "Done2";
inline constexpr const char kBindFailed1[] = "ポートエラー１";
inline constexpr const char kBindFailed2[] = "ポートエラー２";
inline constexpr const char kLookupFailed[] = "Can Not CONNECT";
inline constexpr const char kConnected[] = "CONNECT";
inline constexpr const char kSendFailed[] = "SNTP";
inline constexpr const char kServerError[] = "サーバーエラー";
inline constexpr const char kTimeout[] = "サーバータイムアウト";
inline constexpr const char kTimeUnusable[] = "時刻取得失敗";
inline constexpr const char kClockSet[] = "時刻セット完了";
inline constexpr const char kClockSetFailed[] = "時刻の設定に失敗";
inline constexpr const char kElevationDeclined[] = "許可されませんでした";
inline constexpr const char kNeedsAdministrator[] = "管理者の許可が必要";
}  // namespace sntp_status

// Where the attempt reports to (the dialog's status line and its two time fields).
class SntpStatusSink {
 public:
  virtual ~SntpStatusSink() = default;
  // A new status text; it replaces the one before.
  virtual void showStatus(const std::string& text) = 0;
  // The PC time when the reply arrived and the time the clock is set to (that PC time plus the
  // measured offset), both in the 25-character form of formatSntpTimeText.
  virtual void showTimes(const std::string& pcTime, const std::string& serverTime) = 0;
};

struct SntpOptions {
  uint16_t localPort = 1024;  // tried first; on failure the system picks one when sending
  uint16_t serverPort = 123;
  int timeoutMillis = 3000;   // total wait for the server's reply
};

// How an attempt ended; each outcome has its last status text (sntpOutcomeText).
enum class SntpOutcome {
  StartupFailed,
  SocketFailed,
  LookupFailed,
  SendFailed,
  WaitFailed,
  Timeout,
  ReceiveFailed,
  BadReply,  // short, unsynchronised, wrong mode, stratum 0, no transmit time, not our request's
  TimeBefore1970,
  SetFailed,
  SetDeclined,      // the user declined the elevation prompt
  NeedsElevation,   // refused for want of the right: the next attempt goes elevated
  ClockSet,
};

// The status text an attempt ends with: "イニシャライズ出来ません", "ソケットエラー",
// "Can Not CONNECT", "SNTP", "サーバーエラー" (for the wait, the receive and a bad reply),
// "サーバータイムアウト", "時刻取得失敗", "時刻の設定に失敗", "許可されませんでした",
// "管理者の許可が必要", "時刻セット完了".
const char* sntpOutcomeText(SntpOutcome outcome);

struct SntpResult {
  SntpOutcome outcome = SntpOutcome::StartupFailed;
  // The attempt got as far as setting the clock (whatever came of it): the dialog's button 2 then
  // reads "OK".
  bool completed() const {
    return outcome == SntpOutcome::ClockSet || outcome == SntpOutcome::SetFailed ||
           outcome == SntpOutcome::SetDeclined || outcome == SntpOutcome::NeedsElevation;
  }
  std::string statusText;        // the last status shown
  std::string pcTimeText;        // empty unless completed()
  std::string serverTimeText;    // empty unless completed()
  int64_t serverUnixSeconds = 0; // the server's transmit time (whole seconds), valid when completed()
  int64_t offsetMicros = 0;      // the measured offset of the PC clock, valid when completed()
  int64_t offsetMillis = 0;      // what the clock was moved by (offsetMicros rounded), likewise
};

class SntpClient {
 public:
  // `network`, `clock` and `mover` must outlive the client. `clock` reads the PC time (as finely
  // as the platform gives it) and converts times to the PC's local zone.
  SntpClient(UdpNetwork& network, const Clock& clock, ClockMover& mover, SntpOptions options = {});

  // One complete attempt against `server` (a host name or dotted IPv4 address). Every status text
  // goes to `sink` as it happens. The clock is moved only when a believable answer to this very
  // request came from the server.
  SntpResult acquire(const std::string& server, SntpStatusSink& sink);

 private:
  UdpNetwork& network_;
  const Clock& clock_;
  ClockMover& mover_;
  SntpOptions options_;
};

}  // namespace mdx
