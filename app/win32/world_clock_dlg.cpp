#include "app/win32/world_clock_dlg.h"

#include <shellapi.h>

#include "actions/win32/main_window_effects.h"
#include "actions/win32/program_launch.h"
#include "actions/win32/timer_action_dlg.h"
#include "app/key_rules.h"
#include "app/win32/single_instance.h"
#include "display/win32/window_dpi.h"
#include "display/win32/window_placement.h"
#include "libs/win32/imports.h"
#include "nettime/win32/time_server_dlg.h"
#include "platform/win32/text.h"
#include "resources/resource_ids.h"
#include "settings_ui/win32/area_sheet.h"
#include "settings_ui/win32/option_dlg.h"
#include "worldtime/win32/windows_zone_rules.h"

namespace mdx::win {

namespace {

// The about box: icon, version line and OK.
class AboutDlg : public DialogImpl<AboutDlg> {
 public:
  explicit AboutDlg(HWND owner) : DialogImpl(IDD_ABOUTBOX, owner) {}
};
}  // namespace

const MessageEntry<WorldClockDlg> WorldClockDlg::kMessages[] = {
    {WM_TIMER, &WorldClockDlg::onTimer},
    {WM_PAINT, &WorldClockDlg::onPaint},
    {WM_ERASEBKGND, &WorldClockDlg::onEraseBackground},
    {WM_SIZE, &WorldClockDlg::onSize},
    {WM_CONTEXTMENU, &WorldClockDlg::onContextMenu},
    {WM_QUERYDRAGICON, &WorldClockDlg::onQueryDragIcon},
    {WM_QUERYENDSESSION, &WorldClockDlg::onQueryEndSession},
    {WM_ENDSESSION, &WorldClockDlg::onEndSession},
    {WM_DPICHANGED, &WorldClockDlg::onDpiChanged},
};

const CommandEntry<WorldClockDlg> WorldClockDlg::kCommands[] = {
    {ID_ABOUT, kAnyCode, &WorldClockDlg::onAbout},
    {ID_TIMER_ACTION, kAnyCode, &WorldClockDlg::onTimerAction},
    {ID_CALL_RESET, kAnyCode, &WorldClockDlg::onCallReset},
    {ID_AREA_SETTINGS, kAnyCode, &WorldClockDlg::onAreaSettings},
    {ID_OPTIONS, kAnyCode, &WorldClockDlg::onOptions},
    {ID_HELP_FINDER, kAnyCode, &WorldClockDlg::onHelp},
    {ID_TIME_SERVER, kAnyCode, &WorldClockDlg::onTimeServer},
};

WorldClockDlg::WorldClockDlg(ProfileStore& store, const Clock& clock)
    : DialogImpl(IDD_MAIN, nullptr),
      clock_(clock),
      keyBeep_([] { Beep(kKeyBeepHz, kKeyBeepMs); }),
      core_(*this, store, clock, &windowsZoneRules()) {
  icon_ = static_cast<HICON>(LoadImageW(appInstance(), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
}

WorldClockDlg::~WorldClockDlg() = default;

BOOL WorldClockDlg::onInitDialog() {
  // What the window's creation does: settings in, window placed, the clock started.
  core_.create();

  loadFields();
  // The map is presented over the whole client area; the small picture control would only
  // paint its own background over the corner.
  ShowWindow(item(IDC_MAP_PICTURE), SW_HIDE);

  setWindowIconsForDpi(hwnd_, appInstance(), IDI_APP);

  // The bitmaps live in the graphics library; the surfaces keep their own copies.
  ResourceBitmapSource source(Inst_Grp());
  core_.showMap(loadMapSurfaces(source));
  publishMainWindow(hwnd_);
  return TRUE;
}

void WorldClockDlg::onDestroy() {
  core_.onDestroy();
  // The help page opens in the browser, which needs no quit request.
}

INT_PTR WorldClockDlg::onQueryEndSession(WPARAM, LPARAM) {
  SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, SessionEnd::allowsEnd() ? TRUE : FALSE);
  return TRUE;
}

INT_PTR WorldClockDlg::onEndSession(WPARAM wp, LPARAM) {
  core_.onSessionEnd(wp != FALSE);
  SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, 0);
  return TRUE;
}

// ---- keyboard rules and the popup menu ----

bool WorldClockDlg::preTranslateMessage(MSG& msg) {
  KeyMessage key;
  key.message = msg.message;
  key.key = static_cast<uint32_t>(msg.wParam);
  key.shiftDown = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  switch (keyRuleFor(key)) {
    case KeyRule::ShowPopup:
      showPopupAtClientCorner();
      return true;
    case KeyRule::BeepPlain:
      keyBeep_.request();
      // Dispatched past the dialog's keyboard handling: neither key closes the window.
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      return true;
    case KeyRule::BeepThenDialog:
      keyBeep_.request();
      break;
    case KeyRule::Default:
      break;
  }
  return Dialog::preTranslateMessage(msg);
}

void WorldClockDlg::showPopupAtClientCorner() {
  POINT p{5, 5};
  ClientToScreen(hwnd_, &p);
  showPopup(p);
}

void WorldClockDlg::showPopup(POINT screen) {
  HMENU menu = LoadMenuW(appInstance(), MAKEINTRESOURCEW(IDR_POPUP));
  HMENU popup = GetSubMenu(menu, 0);
  EnableMenuItem(popup, ID_CALL_RESET, MF_BYCOMMAND | (core_.callResetEnabled() ? MF_ENABLED : MF_GRAYED));
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd_, nullptr);
  DestroyMenu(menu);
}

INT_PTR WorldClockDlg::onContextMenu(WPARAM, LPARAM lp) {
  POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  if (p.x == -1 && p.y == -1) {
    showPopupAtClientCorner();  // from the keyboard
  } else {
    showPopup(p);
  }
  return TRUE;
}

// ---- messages ----

INT_PTR WorldClockDlg::onTimer(WPARAM wp, LPARAM) {
  core_.onTimer(static_cast<unsigned>(wp));
  return FALSE;
}

INT_PTR WorldClockDlg::onPaint(WPARAM, LPARAM) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  if (IsIconic(hwnd_)) {
    SendMessageW(hwnd_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT rc;
    GetClientRect(hwnd_, &rc);
    const int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
    DrawIcon(dc, (rc.right - cx + 1) / 2, (rc.bottom - cy + 1) / 2, icon_);
  }
  EndPaint(hwnd_, &ps);
  core_.onPaint();
  return TRUE;
}

INT_PTR WorldClockDlg::onEraseBackground(WPARAM, LPARAM) {
  if (!core_.hasPicture()) return FALSE;
  SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, 1);
  return TRUE;
}

INT_PTR WorldClockDlg::onSize(WPARAM, LPARAM lp) {
  core_.onClientSize(LOWORD(lp), HIWORD(lp));
  return FALSE;
}

// Moved to a monitor of another DPI (or the scaling changed): the size Windows suggests keeps
// the window's share of the screen; the icons are picked again for the new DPI.
INT_PTR WorldClockDlg::onDpiChanged(WPARAM, LPARAM lp) {
  applySuggestedDpiRect(hwnd_, lp);
  setWindowIconsForDpi(hwnd_, appInstance(), IDI_APP);
  return TRUE;
}

INT_PTR WorldClockDlg::onQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<INT_PTR>(icon_); }

// ---- the MainWindow port ----

void WorldClockDlg::setTitle(const std::string& utf8) { SetWindowTextW(hwnd_, widen(utf8).c_str()); }

void WorldClockDlg::flash(bool invert) { FlashWindow(hwnd_, invert ? TRUE : FALSE); }

void WorldClockDlg::place(const WindowRect& rect) { placeWindow(hwnd_, rect); }

WindowRect WorldClockDlg::defaultRect() { return defaultWindowRectFor(hwnd_); }

WindowRect WorldClockDlg::rectForSaving() { return windowRectForSaving(hwnd_); }

void WorldClockDlg::setTopMost(bool topMost) {
  SetWindowPos(hwnd_, topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void WorldClockDlg::applyTitleBarStyle(int32_t mainTitle) { win::applyTitleBarStyle(hwnd_, mainTitle); }

bool WorldClockDlg::isMinimised() { return IsIconic(hwnd_) != FALSE; }

void WorldClockDlg::restore() { ShowWindow(hwnd_, SW_RESTORE); }

void WorldClockDlg::presentFrame(const MapSurfaces& surfaces, int32_t clientWidth, int32_t clientHeight, bool whole) {
  painter_.present(hwnd_, surfaces, clientWidth, clientHeight, whole);
}

void WorldClockDlg::startTickTimer(unsigned delayMs) { SetTimer(hwnd_, kTickTimerId, delayMs, nullptr); }

void WorldClockDlg::stopTickTimer() { KillTimer(hwnd_, kTickTimerId); }

bool WorldClockDlg::endSession(uint32_t exitWindowsFlags, uint32_t reason) {
  return endWindowsSession(exitWindowsFlags, reason);
}

void WorldClockDlg::postQuit() { PostMessageW(hwnd_, WM_QUIT, 0, 0); }

void WorldClockDlg::playSound(const std::string& path, SoundKind kind) { mdx::playSound(sound_, path, kind); }

void WorldClockDlg::launch(const std::string& commandLine) { launchCommandLine(commandLine, SW_SHOW, hwnd_); }

std::optional<std::array<AreaSettings, kAreaCount>> WorldClockDlg::runAreaSheet(
    const std::array<AreaSettings, kAreaCount>& areas) {
  return win::runAreaSheet(hwnd_, areas, &windowsZoneRules(), clock_);
}

std::optional<OptionDialogValues> WorldClockDlg::runOptionsDialog(const OptionDialogValues& values) {
  return win::runOptionsDialog(hwnd_, values);
}

std::optional<TimedAction> WorldClockDlg::runTimerActionDialog(const TimedAction& action) {
  return win::runTimerActionDialog(hwnd_, action, sound_, clock_);
}

void WorldClockDlg::runTimeServerDialog() { win::runTimeServerDialog(hwnd_); }

void WorldClockDlg::showAbout() {
  AboutDlg about(hwnd_);
  about.doModal();
}

void WorldClockDlg::openHelp() {
  wchar_t path[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring page(path);
  page.erase(page.find_last_of(L"\\/") + 1);
  page += L"meridexa.html";
  ShellExecuteW(hwnd_, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace mdx::win
