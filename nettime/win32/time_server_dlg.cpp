#include "nettime/win32/time_server_dlg.h"

#include "dialogfw/win32/app_title.h"
#include <commctrl.h>

#include "nettime/win32/clock_privilege.h"
#include "platform/win32/pc_clock.h"
#include "platform/win32/text.h"
#include "platform/win32/winsock_udp.h"

namespace mdx::win {

namespace ui = time_server_ui;

const CommandEntry<TimeServerDlg> TimeServerDlg::kCommands[] = {
    {ui::kChooseButton, BN_CLICKED, &TimeServerDlg::onChoose},
};

TimeServerDlg::TimeServerDlg(HWND owner, UdpNetwork& network, const Clock& clock, bool privilegeHeld)
    : DialogImpl(ui::kTemplateId, owner),
      route_(directMover_, elevatedMover_, privilegeHeld),
      client_(network, clock, route_) {
  icons_[0] = LoadIconW(appInstance(), MAKEINTRESOURCEW(ui::kIconFirst));
  icons_[1] = LoadIconW(appInstance(), MAKEINTRESOURCEW(ui::kIconSecond));
}

// The icons come from LoadIcon and are shared: nothing to release.
TimeServerDlg::~TimeServerDlg() = default;

std::vector<Field> TimeServerDlg::fields() {
  return {Field::textField(ui::kServerCombo, server)};
}

BOOL TimeServerDlg::onInitDialog() {
  // The list first, then the data exchange puts the server text into the edit field (adding
  // list strings leaves the edit field alone).
  HWND combo = item(ui::kServerCombo);
  for (const std::string& host : timeServerHosts())
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(host).c_str()));
  loadFields();
  elevatedMover_.attach(hwnd_);
  showShield();
  tickEvery(ui::kAnimationPeriodMillis);
  return TRUE;  // the focus goes to the first control, the server list
}

void TimeServerDlg::onTick() {
  // The phase outlives the dialog.
  drawIcon(iconAnimationStep(timeServerIconPhase()));
}

void TimeServerDlg::drawIcon(int iconId) {
  HWND control = item(ui::kIconControl);
  HICON icon = icons_[iconId == ui::kIconFirst ? 0 : 1];
  if (!control || !icon) return;
  // Straight onto the control: when it repaints itself it shows its own icon (128) again.
  if (HDC dc = GetDC(control)) {
    DrawIcon(dc, 0, 0, icon);
    ReleaseDC(control, dc);
  }
}

void TimeServerDlg::onChoose() {
  // The edit field's text, whether picked from the list or typed.
  model_.choose(itemText(ui::kServerCombo));
  setItemText(ui::kConnectedServer, model_.connectedServer());
  setItemText(ui::kStatus, model_.statusText());
  setItemText(ui::kPcTime, model_.pcTimeText());
  setItemText(ui::kServerTime, model_.serverTimeText());
}

void TimeServerDlg::onOK() {
  if (busy_) return;
  busy_ = true;
  const bool attempted = model_.acquire(client_, this).has_value();
  busy_ = false;
  if (!attempted) {
    messageBox(ui::kChooseServerFirst, appTitle(), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  setItemText(ui::kCloseButton, model_.closeCaption());
  showShield();
}

void TimeServerDlg::showShield() {
  HWND button = item(ui::kAcquireButton);
  const bool shield = route_.needsElevation();
  // A button that does not draw the shield itself (it answers BCM_SETSHIELD with 0, as Wine's
  // does) shows the system's shield icon as its image instead.
  if (SendMessageW(button, BCM_SETSHIELD, 0, shield ? TRUE : FALSE) == 1) return;
  HANDLE icon = shield ? LoadImageW(nullptr, IDI_SHIELD, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), LR_SHARED)
                       : nullptr;
  SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

void TimeServerDlg::showStatus(const std::string& text) { showNow(ui::kStatus, text); }

void TimeServerDlg::showTimes(const std::string& pcTime, const std::string& serverTime) {
  showNow(ui::kPcTime, pcTime);
  showNow(ui::kServerTime, serverTime);
}

void TimeServerDlg::showNow(int id, const std::string& text) {
  setItemText(id, text);
  UpdateWindow(item(id));
  // Some window systems pass painted pixels to the screen only when the thread looks at its
  // queue; a look that takes nothing out lets them show the text before the thread blocks.
  MSG peek;
  PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE | PM_NOYIELD);
}

void runTimeServerDialog(HWND owner) {
  WinsockUdpNetwork network;
  TimeServerDlg dlg(owner, network, pcClock(), processHoldsSystemtimePrivilege());
  dlg.doModal();
}

}  // namespace mdx::win
