#pragma once
// The time-server dialog "日本標準時設定" (IDD_TIME_SERVER): the Windows face of TimeServerModel.
// The user picks or types a server, takes it with "決定" and asks it once with "取得" (the
// default button, so Enter does the same); the status line follows the attempt step by step and
// the PC clock is moved by the measured offset: in this process when it holds the right to set
// the time, else through an elevated copy of the program, in which case "取得" carries the UAC
// shield. An icon next to the list blinks every 500 ms.
#include <windows.h>

#include <string>

#include "dialogfw/win32/dialog.h"
#include "nettime/clock_mover.h"
#include "nettime/sntp_client.h"
#include "nettime/time_server_model.h"
#include "nettime/win32/elevated_clock_mover.h"
#include "nettime/win32/system_clock_mover.h"
#include "platform/clock.h"
#include "platform/udp.h"

namespace mdx::win {

class TimeServerDlg : public DialogImpl<TimeServerDlg>, private SntpStatusSink {
 public:
  // No explicit parent: the owner is the main window. `network` and `clock` must outlive the
  // dialog; `privilegeHeld` says whether this process may set the clock itself.
  TimeServerDlg(HWND owner, UdpNetwork& network, const Clock& clock, bool privilegeHeld);
  ~TimeServerDlg() override;

  static const CommandEntry<TimeServerDlg> kCommands[];

  // The server text put into the list's edit field when the dialog opens (empty by default).
  // It is never read back: "決定" reads the field itself.
  std::string server;

 protected:
  BOOL onInitDialog() override;
  // "取得": one attempt against the connected server. The dialog stays open.
  void onOK() override;
  std::vector<Field> fields() override;
  void onTick() override;  // one step of the icon's blinking

 private:
  void onChoose();  // "決定"

  // The status line and the time fields, repainted at once: the attempt blocks this thread, so
  // the window would otherwise show nothing until it ends.
  void showStatus(const std::string& text) override;
  void showTimes(const std::string& pcTime, const std::string& serverTime) override;
  void showNow(int id, const std::string& text);
  void drawIcon(int iconId);
  void showShield();  // on "取得" exactly while the next set goes through the elevated copy

  TimeServerModel model_;
  bool busy_ = false;  // an attempt is running (its status updates let sent messages in)
  SystemClockMover directMover_;
  ElevatedClockMover elevatedMover_;
  ClockMoveRoute route_;
  SntpClient client_;
  HICON icons_[2] = {nullptr, nullptr};  // 128 and 129
};

// The menu command "日本標準時設定": runs the dialog modally over `owner` with Winsock, the PC
// clock and the process token's answer. Its result is of no interest to the caller.
void runTimeServerDialog(HWND owner);

}  // namespace mdx::win
