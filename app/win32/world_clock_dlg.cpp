#include "app/win32/world_clock_dlg.h"

#include <shellapi.h>

#include "actions/win32/timer_action_dlg.h"
#include "app/key_rules.h"
#include "app/win32/single_instance.h"
#include "settings/settings_io.h"
#include "display/win32/window_dpi.h"
#include "display/win32/window_placement.h"
#include "libs/imports.h"
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
  static const MessageEntry<AboutDlg> kMessages[];
  static const CommandEntry<AboutDlg> kCommands[];
};
const MessageEntry<AboutDlg> AboutDlg::kMessages[] = {{0, nullptr}};
const CommandEntry<AboutDlg> AboutDlg::kCommands[] = {{0, 0, nullptr}};
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
    : DialogImpl(IDD_MAIN, nullptr), store_(store), clock_(clock), keyBeep_([] { Beep(kKeyBeepHz, kKeyBeepMs); }) {
  icon_ = static_cast<HICON>(LoadImageW(appInstance(), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
}

WorldClockDlg::~WorldClockDlg() = default;

BOOL WorldClockDlg::onInitDialog() {
  // What the window's creation does: settings in, window placed, the clock started.
  loadSettings();
  effects_ = std::make_unique<MainWindowEffects>(hwnd_, [this] { saveSettings(); }, sound_);
  tick_ = std::make_unique<ClockTick>(clock_, *this, *this, display_.firstFrameDue, records_.option.INTERVAL);
  tick_->start();

  loadFields();
  mapPicture_ = item(IDC_MAP_PICTURE);
  // The map is presented over the whole client area; the small picture control would only
  // paint its own background over the corner.
  ShowWindow(mapPicture_, SW_HIDE);

  setWindowIconsForDpi(hwnd_, appInstance(), IDI_APP);

  loadMapSurfaces();
  composeFirstPicture();
  publishMainWindow(hwnd_);
  return TRUE;
}

void WorldClockDlg::loadMapSurfaces() {
  // The bitmaps live in the graphics library; the surfaces keep their own copies.
  win::ResourceBitmapSource source(Inst_Grp());
  surfaces_ = mdx::loadMapSurfaces(source);
  applyTitleBarStyle(hwnd_, records_.option.MAIN_TITLE);
  applyTopMost(hwnd_, records_.option.TOP_WINDOW);
}

// The window is shown once this initialisation returns; its first paint presents a whole
// frame instead of the bare map. The first tick still composes its frame as every start did.
void WorldClockDlg::composeFirstPicture() {
  mdx::composeFrame(FrameContext{surfaces_, records_, clock_, display_, &windowsZoneRules()}, clock_.nowSeconds(),
                    nullptr);
  display_.firstFrameDue = 1;
  firstPictureReady_ = true;
}

void WorldClockDlg::onDestroy() {
  saveSettings();
  surfaces_ = MapSurfaces{};
  // The help page opens in the browser, which needs no quit request.
}

void WorldClockDlg::loadSettings() {
  WindowRect rect;
  mdx::loadSettings(store_, records_, rect);
  if (!hasStoredWindowRect(store_)) rect = defaultWindowRectFor(hwnd_);
  placeWindow(hwnd_, rect);
  applyTopMost(hwnd_, records_.option.TOP_WINDOW);
}

// Windows ends the process after the session-end notice without destroying the window, so
// the settings are saved here; a cancelled end leaves everything as it was.
INT_PTR WorldClockDlg::onQueryEndSession(WPARAM, LPARAM) {
  SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, SessionEnd::allowsEnd() ? TRUE : FALSE);
  return TRUE;
}

INT_PTR WorldClockDlg::onEndSession(WPARAM wp, LPARAM) {
  if (sessionEnd_.shouldSave(wp != FALSE)) saveSettings();
  SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, 0);
  return TRUE;
}

void WorldClockDlg::saveSettings() { mdx::saveSettings(store_, records_, windowRectForSaving(hwnd_)); }

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
  EnableMenuItem(popup, ID_CALL_RESET, MF_BYCOMMAND | (callResetEnabled(actionState_) ? MF_ENABLED : MF_GRAYED));
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

// ---- commands ----

void WorldClockDlg::onAbout() {
  AboutDlg about(hwnd_);
  about.doModal();
  title_.titleRefreshDue = 1;
}

void WorldClockDlg::onCallReset() { resetCall(records_.option, actionState_, *effects_, title_.titleRefreshDue); }

// The settings dialogs work on copies; OK copies back and the title is rebuilt at the next
// tick. The options dialog reapplies the always-on-top setting itself after OK and Cancel.
void WorldClockDlg::onAreaSettings() {
  if (runAreaSheet(hwnd_, records_, &windowsZoneRules(), clock_)) title_.titleRefreshDue = 1;
}

void WorldClockDlg::onOptions() {
  if (runOptionsDialog(hwnd_, records_)) title_.titleRefreshDue = 1;
}

void WorldClockDlg::onTimerAction() { runTimerActionDialog(hwnd_, records_.action, sound_, clock_); }

void WorldClockDlg::onTimeServer() { runTimeServerDialog(hwnd_); }

void WorldClockDlg::onHelp() {
  wchar_t path[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring page(path);
  page.erase(page.find_last_of(L"\\/") + 1);
  page += L"meridexa.html";
  ShellExecuteW(hwnd_, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// ---- the tick ----

INT_PTR WorldClockDlg::onTimer(WPARAM wp, LPARAM) {
  if (tick_) tick_->onTimer(static_cast<unsigned>(wp));
  return FALSE;
}

void WorldClockDlg::stop() { KillTimer(hwnd_, kTickTimerId); }
void WorldClockDlg::start(unsigned delayMs) { SetTimer(hwnd_, kTickTimerId, delayMs, nullptr); }

void WorldClockDlg::updateTitle(int64_t utcSeconds) {
  mdx::updateTitle(*this, title_, records_, clock_, &windowsZoneRules(), utcSeconds, actionState_.callPending == 1);
}

void WorldClockDlg::setTitle(const std::string& utf8) { SetWindowTextW(hwnd_, widen(utf8).c_str()); }

void WorldClockDlg::flash(bool invert) { FlashWindow(hwnd_, invert ? TRUE : FALSE); }

void WorldClockDlg::checkTimedActions(int64_t utcSeconds) {
  mdx::checkTimedActions(clock_, utcSeconds, records_.action, records_.option, actionState_, *effects_);
}

void WorldClockDlg::composeFrame(int64_t utcSeconds) {
  mdx::composeFrame(FrameContext{surfaces_, records_, clock_, display_, &windowsZoneRules()}, utcSeconds, this);
}

// ---- painting ----

// A composed frame sends only what changed since the last present (all of it for the first
// frame); a paint sends the whole picture, since the window may have lost any part of it.
void WorldClockDlg::presentFrame() {
  painter_.present(hwnd_, surfaces_, display_.clientWidth, display_.clientHeight, display_.firstFrameDue == 1);
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
  painter_.present(hwnd_, surfaces_, display_.clientWidth, display_.clientHeight, true);
  return TRUE;
}

INT_PTR WorldClockDlg::onEraseBackground(WPARAM, LPARAM) {
  // Before the first frame the dialog background is drawn; afterwards the frame covers it all.
  if (!firstPictureReady_) return FALSE;
  SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, 1);
  return TRUE;
}

INT_PTR WorldClockDlg::onSize(WPARAM, LPARAM lp) {
  display_.setClientSize(LOWORD(lp), HIWORD(lp));
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

}  // namespace mdx::win
