#pragma once
// The time-server dialog ("日本標準時設定") without its window: the server list, the connected
// server chosen with "決定", the texts of the status line, the two time fields and button 2, the
// rule that "取得" needs a chosen server, and the icon animation. The Windows dialog mirrors these
// texts into its controls and adds nothing but the window calls.
#include <optional>
#include <string>
#include <vector>

#include "nettime/sntp_client.h"
#include "resources/resource_ids.h"
#include "resources/time_server_ids.h"

namespace mdx {

namespace time_server_ui {
// Resources and controls.
inline constexpr int kMenuCommand = ID_TIME_SERVER;   // popup menu "日本標準時設定"
inline constexpr int kTemplateId = IDD_TIME_SERVER;
inline constexpr int kServerCombo = IDC_TS_SERVER_COMBO;    // drop-down, sorted, editable
inline constexpr int kChooseButton = IDC_TS_CHOOSE;   // "決定"
inline constexpr int kConnectedServer = IDC_TS_CONNECTED;
inline constexpr int kStatus = IDC_TS_STATUS;
inline constexpr int kPcTime = IDC_TS_PC_TIME;
inline constexpr int kServerTime = IDC_TS_SERVER_TIME;
inline constexpr int kIconControl = IDC_TS_ICON;
inline constexpr int kAcquireButton = 1;     // "取得", the default button (IDOK)
inline constexpr int kCloseButton = 2;       // "ｷｬﾝｾﾙ" / "OK" (IDCANCEL)
inline constexpr int kIconFirst = IDI_APP;
inline constexpr int kIconSecond = IDI_APP_ALT;
inline constexpr int kAnimationPeriodMillis = 500;

// Texts.
inline constexpr const char kTitle[] = "日本標準時設定";
inline constexpr const char kChooseServerFirst[] = "ｻｰﾊﾞｰを選択後「決定」を押してください";
inline constexpr const char kCancelCaption[] = "ｷｬﾝｾﾙ";
inline constexpr const char kOkCaption[] = "OK";
}  // namespace time_server_ui

// The 13 public time servers of the drop-down list, in the order the sorted list shows them.
const std::vector<std::string>& timeServerHosts();

// One step of the icon animation: returns the icon to draw (128 when `phase` is 1, else 129) and
// toggles `phase`.
int iconAnimationStep(int& phase);

// The icon phase shared by every opening of the dialog in this process (0 at start).
int& timeServerIconPhase();

class TimeServerModel {
 public:
  // The server "取得" will ask; empty until "決定".
  const std::string& connectedServer() const { return connectedServer_; }
  const std::string& statusText() const { return status_; }
  const std::string& pcTimeText() const { return pcTime_; }
  const std::string& serverTimeText() const { return serverTime_; }
  // Button 2: "ｷｬﾝｾﾙ" until an attempt got as far as setting the clock, then "OK".
  const std::string& closeCaption() const { return closeCaption_; }

  // "決定": the combo box's current text (picked or typed) becomes the connected server, and the
  // status and both time fields are cleared.
  void choose(const std::string& comboText);

  // "取得". Without a connected server nothing happens and nullopt is returned: the dialog then
  // shows time_server_ui::kChooseServerFirst in a message box. Otherwise one attempt runs against
  // the connected server; each status text also goes to `live` (when given) as it happens, so the
  // dialog can show progress during the blocking exchange.
  std::optional<SntpResult> acquire(SntpClient& client, SntpStatusSink* live = nullptr);

 private:
  std::string connectedServer_;
  std::string status_;
  std::string pcTime_;
  std::string serverTime_;
  std::string closeCaption_ = time_server_ui::kCancelCaption;
};

}  // namespace mdx
