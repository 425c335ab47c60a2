#pragma once
// One network-time attempt: ask a time server once over SNTP and set the PC clock from the answer,
// reporting every step as a status text. Runs blocking on the caller's thread; the name lookup and
// at most `SntpOptions::timeoutMillis` of waiting are the only delays.
#include <cstdint>
#include <string>

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
}  // namespace sntp_status

// Where the attempt reports to (the dialog's status line and its two time fields).
class SntpStatusSink {
 public:
  virtual ~SntpStatusSink() = default;
  // A new status text; it replaces the one before.
  virtual void showStatus(const std::string& text) = 0;
  // The PC time read just before the clock is set and the server time it is set to, both in the
  // 25-character form of formatSntpTimeText.
  virtual void showTimes(const std::string& pcTime, const std::string& serverTime) = 0;
};

// Sets the PC clock (SetLocalTime on Windows). Receives local civil time with milliseconds; the
// day of the week is left to the setter. True when the clock was set.
class LocalClockSetter {
 public:
  virtual ~LocalClockSetter() = default;
  virtual bool setLocalTime(const CivilTime& local) = 0;
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
  BadReply,  // short, unsynchronised, wrong mode, stratum 0, no transmit time
  TimeBefore1970,
  SetFailed,
  ClockSet,
};

// The status text an attempt ends with: "イニシャライズ出来ません", "ソケットエラー",
// "Can Not CONNECT", "SNTP", "サーバーエラー" (for the wait, the receive and a bad reply),
// "サーバータイムアウト", "時刻取得失敗", "時刻の設定に失敗", "時刻セット完了".
const char* sntpOutcomeText(SntpOutcome outcome);

struct SntpResult {
  SntpOutcome outcome = SntpOutcome::StartupFailed;
  // The attempt got as far as setting the clock (successfully or not): the dialog's button 2 then
  // reads "OK".
  bool completed() const {
    return outcome == SntpOutcome::ClockSet || outcome == SntpOutcome::SetFailed;
  }
  std::string statusText;        // the last status shown
  std::string pcTimeText;        // empty unless completed()
  std::string serverTimeText;    // empty unless completed()
  int64_t serverUnixSeconds = 0; // the server's transmit time, valid when completed()
  CivilTime setTime;             // what was handed to the clock setter, valid when completed()
};

class SntpClient {
 public:
  // `network`, `clock` and `setter` must outlive the client. `clock` reads the PC time and
  // converts times to the PC's local zone.
  SntpClient(UdpNetwork& network, const Clock& clock, LocalClockSetter& setter,
             SntpOptions options = {});

  // One complete attempt against `server` (a host name or dotted IPv4 address). Every status text
  // goes to `sink` as it happens. The clock setter is called only when a believable reply came
  // from the server.
  SntpResult acquire(const std::string& server, SntpStatusSink& sink);

 private:
  UdpNetwork& network_;
  const Clock& clock_;
  LocalClockSetter& setter_;
  SntpOptions options_;
};

}  // namespace mdx
