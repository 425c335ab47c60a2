// The time-server dialog "日本標準時設定": its controls and sorted server list, the message box
// of "取得" without a chosen server, "決定", the blinking icon, and attempts against NTP peers on
// loopback: chrony on 127.0.0.1:123 and a listener on 127.0.0.2:123 that never answers (both
// started by tests/e2e/with_loopback_ntp.sh). No scenario names a server beyond loopback.
#include "tests/e2e/driver/harness.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <vector>

namespace e2e {
namespace {

const char kTitle[] = "日本標準時設定";
constexpr UINT kTimeServerCommand = 32799;

// Controls of template 204.
enum : int {
  kCombo = 1279, kChoose = 1007, kConnected = 1280, kStatus = 1197, kPcTime = 1273, kServerTime = 1274,
  kIcon = 1276, kAcquire = IDOK, kClose = IDCANCEL,
};

// The list as the program fills it, in sorted order.
const std::vector<std::string> kHosts = {
    "jp.pool.ntp.org",     "ntp.jst.mfeed.ad.jp", "ntp.nict.jp",         "ntp1.jst.mfeed.ad.jp",
    "ntp2.jst.mfeed.ad.jp", "ntp3.jst.mfeed.ad.jp", "pool.ntp.org",        "time.apple.com",
    "time.aws.com",        "time.cloudflare.com", "time.google.com",     "time.nist.gov",
    "time.windows.com",
};

HWND ctl(HWND dlg, int id) { return GetDlgItem(dlg, id); }
LONG style(HWND dlg, int id) { return GetWindowLongW(ctl(dlg, id), GWL_STYLE); }
std::string className(HWND h) {
  wchar_t name[64] = {};
  GetClassNameW(h, name, 64);
  return narrow(name);
}

// The text kept for a window of another process, read without a message: usable while the
// program's thread is busy with an attempt.
std::string storedText(HWND h) {
  wchar_t buf[256] = {};
  GetWindowTextW(h, buf, 256);
  return narrow(buf);
}
std::string text(HWND dlg, int id) { return storedText(ctl(dlg, id)); }

void click(HWND dlg, int id) {
  PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(ctl(dlg, id)));
}

// The combo box's edit field, as if typed.
void typeServer(HWND dlg, const std::string& server) {
  const std::wstring w = widen(server);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(ctl(dlg, kCombo), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str()), SMTO_ABORTIFHUNG,
                      5000, &ignored);
}

// How far the PC clock moved against the tick count: 0 while nobody sets the clock.
LONGLONG clockOffsetMs() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  const ULONGLONG now = (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime) / 10000;
  return static_cast<LONGLONG>(now) - static_cast<LONGLONG>(GetTickCount64());
}

std::vector<std::string> readLines(const wchar_t* path) {
  std::vector<std::string> lines;
  FILE* f = _wfopen(path, L"rb");
  char line[1024];
  while (f && std::fgets(line, sizeof line, f)) {
    std::string l(line);
    while (!l.empty() && (l.back() == '\n' || l.back() == '\r')) l.pop_back();
    lines.push_back(l);
  }
  if (f) std::fclose(f);
  return lines;
}

std::string joined(const std::vector<std::string>& texts) {
  std::string s;
  for (const auto& t : texts) s += (s.empty() ? "" : " / ") + t;
  return s;
}

// Records the texts the status line shows during one attempt by reading it every millisecond.
// The quick steps of an attempt against loopback (イニシャライズ, Done1) may pass between two
// reads; the texts that are seen must come in their order, and the last one ends the attempt.
class StatusRecorder {
 public:
  explicit StatusRecorder(HWND status) : status_(status) {}

  // Reads until `done` holds for the status text or `timeoutMs` passes; `onText` sees every new
  // text as it is read.
  bool recordUntil(const std::function<bool(const std::string&)>& done, DWORD timeoutMs,
                   const std::function<void(const std::string&)>& onText = nullptr) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
      const std::string now = storedText(status_);
      if (!now.empty() && (seen_.empty() || seen_.back() != now)) {
        seen_.push_back(now);
        if (onText) onText(now);
      }
      if (done(now)) return true;
      if (GetTickCount64() >= end) return false;
      Sleep(1);
    }
  }
  const std::vector<std::string>& seen() const { return seen_; }

 private:
  HWND status_;
  std::vector<std::string> seen_;
};

// True when `seen` appears within `expected` in the same order.
bool inOrder(const std::vector<std::string>& seen, const std::vector<std::string>& expected) {
  size_t at = 0;
  for (const auto& s : seen) {
    while (at < expected.size() && expected[at] != s) ++at;
    if (at == expected.size()) return false;
    ++at;
  }
  return true;
}

// "Wed Jan 01 09:00:00 2020\n"
bool isTimeText(const std::string& t) {
  static const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  if (t.size() != 25 || t[3] != ' ' || t[7] != ' ' || t[10] != ' ' || t[13] != ':' || t[16] != ':' ||
      t[19] != ' ' || t[24] != '\n')
    return false;
  bool day = false, month = false;
  for (const char* d : kDays) day = day || t.compare(0, 3, d) == 0;
  for (const char* m : kMonths) month = month || t.compare(4, 3, m) == 0;
  for (int i : {8, 9, 11, 12, 14, 15, 17, 18, 20, 21, 22, 23})
    if (t[static_cast<size_t>(i)] < '0' || t[static_cast<size_t>(i)] > '9') return false;
  return day && month;
}
// Seconds of the day of a time text, for comparing two of them.
int secondOfDay(const std::string& t) {
  return std::atoi(t.substr(11, 2).c_str()) * 3600 + std::atoi(t.substr(14, 2).c_str()) * 60 +
         std::atoi(t.substr(17, 2).c_str());
}

// A dialog template read from the program's file (DLGTEMPLATEEX).
struct TemplateItem {
  DWORD style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  DWORD id = 0;
  std::string cls, text;  // an ordinal text is "#<number>"
};
struct Template {
  DWORD style = 0;
  short cx = 0, cy = 0;
  std::string title;
  std::vector<TemplateItem> items;
};

Template readTemplate(const Context& ctx, int id) {
  HMODULE m = LoadLibraryExW(ctx.program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  check(m != nullptr, "the program's resources can be read");
  HRSRC r = FindResourceW(m, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));  // RT_DIALOG
  check(r != nullptr, "template " + std::to_string(id) + " exists");
  const auto* p = static_cast<const BYTE*>(LockResource(LoadResource(m, r)));
  auto word = [&] { WORD v; std::memcpy(&v, p, 2); p += 2; return v; };
  auto dword = [&] { DWORD v; std::memcpy(&v, p, 4); p += 4; return v; };
  auto sz = [&](bool isClass = false) -> std::string {
    WORD first = word();
    if (first == 0) return "";
    if (first == 0xFFFF) {
      const WORD ord = word();
      static const char* kClasses[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
      return isClass && ord >= 0x80 && ord <= 0x85 ? kClasses[ord - 0x80] : "#" + std::to_string(ord);
    }
    std::wstring w(1, static_cast<wchar_t>(first));
    for (WORD c = word(); c != 0; c = word()) w.push_back(static_cast<wchar_t>(c));
    return narrow(w);
  };
  auto align = [&](const BYTE* base) { p = base + ((p - base + 3) & ~3); };
  const BYTE* base = p;
  Template t;
  check(word() == 1 && word() == 0xFFFF, "an extended template");
  dword();  // help id
  dword();  // extended style
  t.style = dword();
  const WORD count = word();
  word();
  word();
  t.cx = static_cast<short>(word());
  t.cy = static_cast<short>(word());
  sz();  // menu
  sz();  // class
  t.title = sz();
  if (t.style & DS_SETFONT) {
    word();
    word();
    p += 2;
    sz();
  }
  for (WORD i = 0; i < count; ++i) {
    align(base);
    TemplateItem it;
    dword();  // help id
    dword();  // extended style
    it.style = dword();
    it.x = static_cast<short>(word());
    it.y = static_cast<short>(word());
    it.cx = static_cast<short>(word());
    it.cy = static_cast<short>(word());
    it.id = dword();
    it.cls = sz(true);
    it.text = sz();
    p += word();  // creation data
    t.items.push_back(it);
  }
  FreeLibrary(m);
  return t;
}

struct Opened {
  Process p;
  HWND main = nullptr;
  HWND dlg = nullptr;
};

// `beforeDialog` runs once the main window is up and before the dialog opens (to load a probe).
Opened openDialog(const Context& ctx, const std::function<void(const Process&)>& beforeDialog = nullptr) {
  deleteProgramKey();
  Opened o;
  o.p = Process::start(ctx.program);
  o.main = waitMainWindow(o.p);
  if (beforeDialog) beforeDialog(o.p);
  PostMessageW(o.main, WM_COMMAND, MAKEWPARAM(kTimeServerCommand, 0), 0);
  o.dlg = waitDialog(o.p, kTitle);
  check(GetWindow(o.dlg, GW_OWNER) == o.main, "the main window owns the dialog");
  check(waitFor([&] { return !IsWindowEnabled(o.main); }, 5000), "the main window waits while the dialog is open");
  return o;
}

void closeProgram(Opened& o) {
  PostMessageW(o.main, WM_COMMAND, MAKEWPARAM(1, 0), 0);
  check(o.p.waitExit(15000), "終了 ends the program");
}

// ---- nettime.dialog ----

void dialogScenario(const Context& ctx) {
  Opened o = openDialog(ctx);
  HWND dlg = o.dlg;

  // The template as the program carries it: every control with its id, text, position and style.
  const Template t = readTemplate(ctx, 204);
  check(t.cx == 191 && t.cy == 117 && t.title == "日本標準時設定", "template 204: 191 x 117, titled 日本標準時設定");
  check((t.style & (DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)) == (DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU),
        "a popup with caption, system menu and modal frame");
  struct Want {
    int id;
    const char* cls;
    const char* text;
    short x, y, cx, cy;
    DWORD style;
  };
  const Want wants[] = {
      {kCombo, "ComboBox", "", 40, 15, 85, 98, CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_TABSTOP},
      {kChoose, "Button", "決定", 130, 15, 20, 15, BS_PUSHBUTTON | WS_TABSTOP},
      {kConnected, "Static", "", 40, 35, 85, 12, SS_SUNKEN},
      {kStatus, "Static", "", 40, 55, 84, 14, SS_SUNKEN},
      {kPcTime, "Static", "", 40, 75, 84, 14, SS_SUNKEN},
      {kServerTime, "Static", "", 40, 95, 84, 14, SS_SUNKEN},
      {kIcon, "Static", "#128", 165, 10, 20, 20, SS_ICON},
      {kAcquire, "Button", "取得", 135, 75, 40, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
      {kClose, "Button", "ｷｬﾝｾﾙ", 135, 95, 39, 14, BS_PUSHBUTTON | WS_TABSTOP},
      {-1, "Static", "ｻｰﾊﾞｰ変更", 5, 15, 0, 0, 0},
      {-1, "Static", "接続ｻｰﾊﾞｰ", 5, 35, 0, 0, 0},
      {-1, "Static", "ｽﾃｰﾀｽ", 10, 55, 0, 0, 0},
      {-1, "Static", "PC時刻", 10, 75, 0, 0, 0},
      {-1, "Static", "ｻｰﾊﾞｰ時刻", 5, 95, 0, 0, 0},
  };
  check(t.items.size() == std::size(wants), "14 controls in the template (got " + std::to_string(t.items.size()) + ")");
  for (size_t i = 0; i < std::size(wants) && i < t.items.size(); ++i) {
    const Want& w = wants[i];
    const TemplateItem& it = t.items[i];
    const bool kindOk = w.id == kCombo ? (it.style & 3) == CBS_DROPDOWN
                        : lstrcmpiA(w.cls, "Button") == 0 ? (it.style & 0x0F) == (w.style & 0x0F)
                        : w.id == kIcon ? (it.style & SS_TYPEMASK) == SS_ICON
                                        : true;
    check(static_cast<int>(static_cast<short>(it.id)) == w.id && lstrcmpiA(it.cls.c_str(), w.cls) == 0 && it.text == w.text &&
              it.x == w.x && it.y == w.y && (w.cx == 0 || (it.cx == w.cx && it.cy == w.cy)) &&
              (it.style & w.style) == w.style && kindOk,
          "control " + std::to_string(i + 1) + ": " + std::to_string(static_cast<short>(it.id)) + " " + it.cls + " \"" +
              it.text + "\" at " + std::to_string(it.x) + "," + std::to_string(it.y) + " " + std::to_string(it.cx) +
              " x " + std::to_string(it.cy));
  }

  // The live controls.
  for (int id : {kConnected, kStatus, kPcTime, kServerTime})
    check(text(dlg, id).empty(), "field " + std::to_string(id) + " starts empty");
  check(text(dlg, kClose) == "ｷｬﾝｾﾙ" && (style(dlg, kAcquire) & 0x0F) == BS_DEFPUSHBUTTON,
        "button 2 reads ｷｬﾝｾﾙ and 取得 is the default button");

  // The list: 13 entries in sorted order, the edit field blank and holding the focus.
  HWND combo = ctl(dlg, kCombo);
  DWORD_PTR count = 0;
  SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
  check(count == 13, "13 servers in the list (got " + std::to_string(count) + ")");
  std::vector<std::string> entries;
  for (WPARAM i = 0; i < count; ++i) {
    DWORD_PTR len = 0;
    SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 5000, &len);
    std::wstring w(len + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(w.data()), SMTO_ABORTIFHUNG, 5000, &got);
    w.resize(got);
    entries.push_back(narrow(w));
  }
  log("list: " + joined(entries));
  check(entries == kHosts, "the list holds the 13 servers in sorted order");
  check(text(dlg, kCombo).empty(), "the edit field starts blank");
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  GetGUIThreadInfo(GetWindowThreadProcessId(dlg, nullptr), &gui);
  check(gui.hwndFocus && (gui.hwndFocus == combo || GetParent(gui.hwndFocus) == combo),
        "the focus is in the server list");

  // The icon blinks: its pixels change within a second and a half.
  const RECT ir = windowRect(ctl(dlg, kIcon));
  auto iconPixels = [&] {
    std::vector<COLORREF> px;
    HDC screen = GetDC(nullptr);
    for (LONG y = ir.top; y < ir.bottom; y += 2)
      for (LONG x = ir.left; x < ir.right; x += 2) px.push_back(GetPixel(screen, x, y));
    ReleaseDC(nullptr, screen);
    return px;
  };
  const auto first = iconPixels();
  check(waitFor([&] { return iconPixels() != first; }, 1500), "the icon changes within 1.5 s");
  screenshot(ctx, dlg, "dialog-opened");

  // 取得 before 決定: only the message box.
  click(dlg, kAcquire);
  HWND box = waitDialog(o.p, "meridexa");
  std::string boxText;
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (className(c) == "Static" && !storedText(c).empty()) boxText = storedText(c);
  check(boxText == "ｻｰﾊﾞｰを選択後「決定」を押してください", "the message box asks for 決定 first: " + boxText);
  screenshot(ctx, box, "choose-server-first");
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  check(waitFor([&] { return !IsWindow(box); }, 5000), "OK closes the message box");
  check(text(dlg, kStatus).empty() && text(dlg, kPcTime).empty() && text(dlg, kServerTime).empty() &&
            text(dlg, kClose) == "ｷｬﾝｾﾙ",
        "status, times and button 2 unchanged");

  // 決定 takes the edit field's text, picked from the list or typed.
  SendMessageTimeoutW(combo, CB_SETCURSEL, 2, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
  click(dlg, kChoose);
  check(waitFor([&] { return text(dlg, kConnected) == "ntp.nict.jp"; }, 5000), "決定 takes the picked server");
  typeServer(dlg, "time.example.invalid");
  check(text(dlg, kConnected) == "ntp.nict.jp", "typing alone changes nothing");
  click(dlg, kChoose);
  check(waitFor([&] { return text(dlg, kConnected) == "time.example.invalid"; }, 5000), "決定 takes a typed server");
  screenshot(ctx, dlg, "server-chosen");

  // Esc closes the dialog.
  bringToFront(dlg);
  pressKeys({VK_ESCAPE});
  check(waitFor([&] { return !IsWindow(dlg); }, 5000), "Esc closes the dialog");
  check(waitFor([&] { return IsWindowEnabled(o.main) != FALSE; }, 5000), "the main window is usable again");
  closeProgram(o);
}
Register r1("nettime.dialog", dialogScenario);

// ---- nettime.loopback_attempt ----

// One attempt: presses 取得 (or Enter) and records the status line until the attempt ends.
std::vector<std::string> attempt(HWND dlg, bool byEnter, const std::vector<std::string>& finals,
                                 DWORD timeoutMs = 15000,
                                 const std::function<void(const std::string&)>& onText = nullptr) {
  StatusRecorder rec(ctl(dlg, kStatus));
  if (byEnter) {
    bringToFront(dlg);
    pressKeys({VK_RETURN});
  } else {
    click(dlg, kAcquire);
  }
  const bool ended = rec.recordUntil(
      [&](const std::string& s) {
        for (const auto& f : finals)
          if (s == f) return true;
        return false;
      },
      timeoutMs, onText);
  log("status line: " + joined(rec.seen()));
  check(ended, "the attempt ends with one of its final texts");
  return rec.seen();
}

void closeDialogAndProgram(Opened& o, const char* closes = "the dialog closes") {
  click(o.dlg, kClose);
  check(waitFor([&] { return !IsWindow(o.dlg); }, 5000), closes);
  closeProgram(o);
}

// An attempt that must not set the time: this machine's clock stayed where it was.
void checkClockDidNotJump(LONGLONG offsetBefore) {
  const LONGLONG moved = clockOffsetMs() - offsetBefore;
  check(std::llabs(moved) < 1000, "the PC clock did not jump (" + std::to_string(moved) + " ms)");
}

void loopbackScenario(const Context& ctx) {
  const LONGLONG offsetBefore = clockOffsetMs();
  Opened o = openDialog(ctx);
  HWND dlg = o.dlg;
  const std::vector<std::string> finals = {"時刻セット完了", "時刻の設定に失敗"};
  const std::vector<std::string> progression = {"イニシャライズ", "Done1", "Done2", "CONNECT"};
  std::vector<std::string> full = progression;
  full.insert(full.end(), finals.begin(), finals.end());

  typeServer(dlg, "127.0.0.1");
  click(dlg, kChoose);
  check(waitFor([&] { return text(dlg, kConnected) == "127.0.0.1"; }, 5000), "決定 takes 127.0.0.1");

  const auto seen = attempt(dlg, false, finals);
  check(inOrder(seen, full), "the status texts come in their order: " + joined(seen));
  const std::string pc = text(dlg, kPcTime), server = text(dlg, kServerTime);
  check(isTimeText(pc) && isTimeText(server), "both times in the 25-character form: [" + pc + "] [" + server + "]");
  const int diff = std::abs(secondOfDay(pc) - secondOfDay(server));
  check(diff <= 2 || diff >= 86398, "chrony's time is this machine's time: " + pc + " / " + server);
  check(waitFor([&] { return text(dlg, kClose) == "OK"; }, 5000), "button 2 reads OK after the attempt");
  screenshot(ctx, dlg, "attempt-done");

  // 決定 clears the results (button 2 stays OK); Enter then starts the next attempt, whose socket
  // gets port 1024 again.
  click(dlg, kChoose);
  check(waitFor([&] { return text(dlg, kStatus).empty(); }, 5000) && text(dlg, kPcTime).empty() &&
            text(dlg, kServerTime).empty(),
        "決定 clears the status and both times");
  check(text(dlg, kClose) == "OK", "button 2 still reads OK");
  const auto again = attempt(dlg, true, finals);
  check(inOrder(again, full), "Enter runs a second attempt, its texts in their order");
  check(std::find(again.begin(), again.end(), "ポートエラー２") == again.end(),
        "the second attempt gets port 1024 again (no ポートエラー)");
  check(isTimeText(text(dlg, kPcTime)) && isTimeText(text(dlg, kServerTime)), "and shows both times again");

  typeServer(dlg, "127.0.0.2");
  click(dlg, kChoose);
  check(waitFor([&] { return text(dlg, kConnected) == "127.0.0.2"; }, 5000), "決定 takes 127.0.0.2");

  // A server that never answers: CONNECT while waiting, then the time-out after 3 seconds.
  const ULONGLONG start = GetTickCount64();
  // While the dialog waits, the status line already shows CONNECT on the screen.
  bool textOnScreen = false;
  const auto silent = attempt(dlg, false, {"サーバータイムアウト", "サーバーエラー"}, 20000, [&](const std::string& t) {
    if (t != "CONNECT") return;
    Sleep(300);
    const RECT r = windowRect(ctl(dlg, kStatus));
    HDC screen = GetDC(nullptr);
    for (LONG y = r.top + 2; y < r.bottom - 2 && !textOnScreen; ++y)
      for (LONG x = r.left + 2; x < r.right - 2 && !textOnScreen; ++x) {
        const COLORREF c = GetPixel(screen, x, y);
        textOnScreen = GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
      }
    ReleaseDC(nullptr, screen);
    screenshot(ctx, dlg, "waiting-for-reply");
  });
  check(textOnScreen, "the status line is painted while the dialog waits");
  check(inOrder(silent, {"イニシャライズ", "Done1", "Done2", "CONNECT", "サーバータイムアウト"}),
        "the status texts come in their order");
  const ULONGLONG took = GetTickCount64() - start;
  check(silent.back() == "サーバータイムアウト", "a silent server ends with サーバータイムアウト");
  check(std::find(silent.begin(), silent.end(), "CONNECT") != silent.end(),
        "CONNECT is shown while the dialog waits");
  check(took >= 2900 && took < 10000, "after about 3 seconds (" + std::to_string(took) + " ms)");
  check(text(dlg, kPcTime).empty() && text(dlg, kServerTime).empty(), "no times shown");
  screenshot(ctx, dlg, "attempt-timeout");

  // Button 2 (OK) closes the dialog.
  closeDialogAndProgram(o, "OK closes the dialog");
  checkClockDidNotJump(offsetBefore);
}
Register r2("nettime.loopback_attempt", loopbackScenario);

// ---- nettime.hostile_replies ----

// A server on 127.0.0.3 that answers short, floods from another address, answers late, and
// then answers well: no wrong time ever reaches the fields, no attempt outlasts its three
// seconds by much, and the attempt after them all works like a first one.
void hostileScenario(const Context& ctx) {
  const LONGLONG offsetBefore = clockOffsetMs();
  Opened o = openDialog(ctx);
  HWND dlg = o.dlg;
  typeServer(dlg, "127.0.0.3");
  click(dlg, kChoose);
  check(waitFor([&] { return text(dlg, kConnected) == "127.0.0.3"; }, 5000), "決定 takes 127.0.0.3");
  const std::vector<std::string> ends = {"サーバーエラー", "サーバータイムアウト", "時刻セット完了", "時刻の設定に失敗",
                                         "管理者の許可が必要"};
  // 決定 clears the last attempt's status, so that the recorder sees only the new one's.
  auto clear = [&] {
    click(dlg, kChoose);
    check(waitFor([&] { return text(dlg, kStatus).empty(); }, 5000), "決定 clears the status");
  };
  auto timed = [&](const char* what, const std::string& expected) {
    clear();
    const ULONGLONG start = GetTickCount64();
    const auto seen = attempt(dlg, false, ends, 20000);
    const ULONGLONG took = GetTickCount64() - start;
    check(seen.back() == expected, std::string(what) + " ends with " + expected + " (" + seen.back() + ")");
    check(took < 5000, std::string("  within the wait (") + std::to_string(took) + " ms)");
    check(text(dlg, kServerTime).empty() && text(dlg, kPcTime).empty(), "  and shows no time");
  };
  timed("a 47-byte reply", "サーバーエラー");
  timed("a flood of 10,000 datagrams from another address", "サーバータイムアウト");
  timed("a reply after the timeout", "サーバータイムアウト");
  Sleep(1500);  // the late reply arrives while no attempt listens
  clear();
  const auto seen = attempt(dlg, false, ends, 20000);
  // Wine refuses a change of years: "管理者の許可が必要".
  check(seen.back() == "時刻の設定に失敗" || seen.back() == "時刻セット完了" || seen.back() == "管理者の許可が必要",
        "the next attempt gets through to setting the clock (" + seen.back() + ")");
  const std::string server = text(dlg, kServerTime);
  check(server.find("Jan 01") != std::string::npos && server.find("2020") != std::string::npos,
        "with exactly the time the good reply carried: " + server);
  screenshot(ctx, dlg, "hostile-then-good");
  closeDialogAndProgram(o);
  checkClockDidNotJump(offsetBefore);
}
Register r3("nettime.hostile_replies", hostileScenario);

// ---- nettime.clock_* : setting the clock under an ordinary user's rules ----
// 127.0.0.3 serves a time one hour ahead of this machine's (MDX_NTP_AHEAD in run_e2e.sh).

const std::vector<std::string> kSetEnds = {"時刻セット完了", "時刻の設定に失敗", "許可されませんでした",
                                           "管理者の許可が必要", "サーバーエラー", "サーバータイムアウト"};

// Loads tests/e2e/probe/clock_probe.cpp with the user's answer to the UAC prompt ("accept",
// "decline"), or only to watch the shield ("observe").
void loadClockProbe(const Process& p, const char* promptAnswer) {
  for (const wchar_t* f : {L"C:\\clock-probe.txt", L"C:\\clock-probe-elevated.txt", L"C:\\clock-probe-set.txt",
                           L"C:\\clock-probe-shellexec.txt", L"C:\\clock-probe-shield.txt"})
    DeleteFileW(f);
  if (FILE* f = _wfopen(L"C:\\clock-probe-mode.txt", L"wb")) {
    std::fputs(promptAnswer, f);
    std::fclose(f);
  }
  injectLibrary(p, L"C:\\mdxclockprobe.dll");
  check(waitFor([] { return GetFileAttributesW(L"C:\\clock-probe.txt") != INVALID_FILE_ATTRIBUTES; }, 10000),
        "the clock probe is in place");
  const std::string expected = std::strcmp(promptAnswer, "observe") == 0 ? "observe" : "3";
  check(readLines(L"C:\\clock-probe.txt") == std::vector<std::string>{expected},
        "it replaced the imports it was loaded for");
}

// Whether "取得" carries the UAC shield: the last BCM_SETSHIELD the program sent, as the probe
// recorded it (Wine's button keeps the state but draws no shield).
bool shieldShown() {
  const auto sent = readLines(L"C:\\clock-probe-shield.txt");
  if (!sent.empty()) log("BCM_SETSHIELD sent: " + joined(sent));
  return !sent.empty() && sent.back().rfind("1 ", 0) == 0;
}

// Whether the shield is drawn on "取得": a plain button is grey with black text, the shield icon
// is coloured.
bool shieldDrawn(HWND dlg) {
  // Inside the frame, which is blue on the default button.
  const RECT r = windowRect(ctl(dlg, kAcquire));
  const ScreenPixels shot = captureScreen(r.left + 4, r.top + 4, r.right - r.left - 8, r.bottom - r.top - 8);
  int coloured = 0;
  for (uint32_t c : shot.px) {
    const int hi = std::max({ScreenPixels::r(c), ScreenPixels::g(c), ScreenPixels::b(c)});
    const int lo = std::min({ScreenPixels::r(c), ScreenPixels::g(c), ScreenPixels::b(c)});
    if (hi - lo > 80) ++coloured;
  }
  return coloured >= 10;
}

void chooseAheadServer(HWND dlg) {
  typeServer(dlg, "127.0.0.3");
  click(dlg, kChoose);
  check(waitFor([&] { return text(dlg, kConnected) == "127.0.0.3"; }, 5000), "決定 takes 127.0.0.3");
}

// The UAC prompt accepted: one press sets, through the elevated copy, the responder's time.
void clockSetElevatedScenario(const Context& ctx) {
  const LONGLONG offsetBefore = clockOffsetMs();
  Opened o = openDialog(ctx, [](const Process& p) { loadClockProbe(p, "accept"); });
  HWND dlg = o.dlg;
  check(shieldShown(), "取得 carries the UAC shield from the start");
  chooseAheadServer(dlg);
  check(waitFor([&] { return shieldDrawn(dlg); }, 5000), "and the shield is drawn on it");
  screenshot(ctx, dlg, "shield-on-acquire");
  const auto seen = attempt(dlg, false, kSetEnds, 20000);
  check(seen.back() == "時刻セット完了", "the elevated copy set the clock: " + seen.back());
  check(waitFor([&] { return text(dlg, kClose) == "OK"; }, 5000), "button 2 reads OK");
  const auto requests = readLines(L"C:\\clock-probe-shellexec.txt");
  log("ShellExecuteExW: " + joined(requests));
  check(requests.size() == 1 && requests[0].rfind("runas\t", 0) == 0 &&
            requests[0].find("meridexa.exe\t/adjust-clock ") != std::string::npos &&
            requests[0].substr(requests[0].rfind('\t') + 1) == std::to_string(SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC),
        "one runas request for meridexa.exe /adjust-clock, its process handle kept");
  const auto sets = readLines(L"C:\\clock-probe-set.txt");
  check(sets.size() == 1 && sets[0].rfind("SetSystemTime ", 0) == 0, "the copy set the clock once, in UTC: " + joined(sets));
  long long asked = 0, at = 0;
  std::sscanf(sets[0].c_str(), "SetSystemTime %lld %lld", &asked, &at);
  const long long error = asked - at - 3600 * 1000LL;
  log("set to the responder's time with an error of " + std::to_string(error) + " ms");
  check(std::llabs(error) <= 50, "within 50 ms of the responder's time (" + std::to_string(error) + " ms)");
  const int shownAhead = (secondOfDay(text(dlg, kServerTime)) - secondOfDay(text(dlg, kPcTime)) + 86400) % 86400;
  check(shownAhead >= 3599 && shownAhead <= 3601, "ｻｰﾊﾞｰ時刻 shows the PC time one hour on");
  check(waitFor(shieldShown, 5000), "the shield stays: the next set goes elevated again");
  closeDialogAndProgram(o);
  check(std::llabs(clockOffsetMs() - offsetBefore) < 1000, "this machine's clock did not move");
}
Register r4("nettime.clock_set_elevated", clockSetElevatedScenario);

// The UAC prompt declined: nothing set.
void clockElevationDeclinedScenario(const Context& ctx) {
  Opened o = openDialog(ctx, [](const Process& p) { loadClockProbe(p, "decline"); });
  HWND dlg = o.dlg;
  chooseAheadServer(dlg);
  const auto seen = attempt(dlg, false, kSetEnds, 20000);
  check(seen.back() == "許可されませんでした", "a declined prompt ends with 許可されませんでした: " + seen.back());
  check(readLines(L"C:\\clock-probe-shellexec.txt").size() == 1, "after one runas request");
  check(GetFileAttributesW(L"C:\\clock-probe-set.txt") == INVALID_FILE_ATTRIBUTES &&
            GetFileAttributesW(L"C:\\clock-probe-elevated.txt") == INVALID_FILE_ATTRIBUTES,
        "no elevated copy ran and nothing was set");
  check(waitFor([&] { return text(dlg, kClose) == "OK"; }, 5000), "button 2 reads OK");
  closeDialogAndProgram(o);
}
Register r5("nettime.clock_elevation_declined", clockElevationDeclinedScenario);

// Wine's own rules (the probe only watches the shield): the token lists the privilege, but Wine
// refuses a change of an hour.
void clockRefusedByWineScenario(const Context& ctx) {
  const LONGLONG offsetBefore = clockOffsetMs();
  Opened o = openDialog(ctx, [](const Process& p) { loadClockProbe(p, "observe"); });
  HWND dlg = o.dlg;
  check(!shieldShown(), "no shield while the token lists the privilege");
  chooseAheadServer(dlg);
  check(!shieldDrawn(dlg), "none drawn");
  const auto seen = attempt(dlg, false, kSetEnds, 20000);
  check(seen.back() == "管理者の許可が必要", "the refusal asks for an administrator: " + seen.back());
  check(waitFor(shieldShown, 5000), "and 取得 now carries the shield");
  check(waitFor([&] { return shieldDrawn(dlg); }, 5000), "drawn on the button");
  screenshot(ctx, dlg, "refused-then-shield");
  closeDialogAndProgram(o);
  check(std::llabs(clockOffsetMs() - offsetBefore) < 1000, "this machine's clock did not move");
}
Register r6("nettime.clock_refused_by_wine", clockRefusedByWineScenario);

}  // namespace
}  // namespace e2e
