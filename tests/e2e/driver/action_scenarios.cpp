// The timer-action dialog and the reservations it makes: the dialog's first state, Cancel,
// a call that takes over the title until ｺｰﾙﾘｾｯﾄ, and a program launched once. A Windows exit
// is reserved only with the exit probe in place, which never lets the request reach Windows.
#include "tests/e2e/driver/harness.h"

#include <commctrl.h>

#include <cstdio>
#include <set>

namespace e2e {
namespace {

const char kDialogTitle[] = "タイマーアクションの設定";
constexpr UINT kTimerActionCommand = 32772;
constexpr UINT kCallResetCommand = 32795;

// Controls of template 132.
enum : int {
  kHour = 1003, kMinute = 1004, kHourSpin = 1008, kMinuteSpin = 1009, kPcDate = 1030, kPcTime = 1031,
  kExitCheck = 1225, kExitTime = 1033, kExitReserve = 1007, kLogOff = 1245, kRestart = 1246, kShutdown = 1020,
  kSoundCheck = 1216, kSoundTime = 1034, kSoundReserve = 1010, kSoundFile = 1014, kSoundBrowse = 1015,
  kSoundTest = 1025, kProgramCheck = 1217, kProgramTime = 1035, kProgramReserve = 1011, kProgramField = 1016,
  kProgramBrowse = 1017, kCallCheck = 1218, kCallTime = 1036, kCallReserve = 1012, kCallFlash = 1258,
  kCallTopWindow = 1259, kCallText = 1018,
};

struct Group {
  const char* name;
  int check, reserve, display;
  std::vector<int> switched;
};
const Group kGroups[] = {
    {"exit", kExitCheck, kExitReserve, kExitTime, {kExitReserve, kLogOff, kRestart, kShutdown, kExitTime}},
    {"sound", kSoundCheck, kSoundReserve, kSoundTime, {kSoundFile, kSoundReserve, kSoundBrowse, kSoundTest, kSoundTime}},
    {"program", kProgramCheck, kProgramReserve, kProgramTime, {kProgramField, kProgramReserve, kProgramBrowse, kProgramTime}},
    {"call", kCallCheck, kCallReserve, kCallTime, {kCallTime, kCallReserve, kCallFlash, kCallText, kCallTopWindow}},
};

// The driver doubles as the program that the program reservation launches: started as
//   mdxdriver.exe --append-line <file>
// it appends "launched in <its current folder>" to <file> and ends before any scenario code runs.
const bool kLaunchedAsRecorder = [] {
  const std::wstring line = GetCommandLineW();
  const std::wstring flag = L" --append-line ";
  const size_t at = line.find(flag);
  if (at == std::wstring::npos) return false;
  const std::wstring file = line.substr(at + flag.size());
  wchar_t folder[MAX_PATH * 2] = {};
  GetCurrentDirectoryW(MAX_PATH * 2, folder);
  if (FILE* f = _wfopen(file.c_str(), L"ab")) {
    std::fputs(("launched in " + narrow(folder) + "\n").c_str(), f);
    std::fclose(f);
  }
  ExitProcess(0);
}();

std::string two(int v) {
  char b[8];
  std::snprintf(b, sizeof b, "%02d", v);
  return b;
}

// A real left click at a point of a window (fractions of its width and height).
void clickAt(HWND h, double fx, double fy) {
  const RECT r = windowRect(h);
  const int x = r.left + static_cast<int>((r.right - r.left) * fx);
  const int y = r.top + static_cast<int>((r.bottom - r.top) * fy);
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  INPUT in[3] = {};
  for (INPUT& i : in) i.type = INPUT_MOUSE;
  in[0].mi.dx = (x * 65535) / (sw - 1);
  in[0].mi.dy = (y * 65535) / (sh - 1);
  in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(3, in, sizeof(INPUT));
}

HWND ctl(HWND dlg, int id) { return GetDlgItem(dlg, id); }
std::string text(HWND dlg, int id) { return windowText(ctl(dlg, id)); }
bool checked(HWND dlg, int id) { return SendMessageW(ctl(dlg, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool enabled(HWND dlg, int id) { return IsWindowEnabled(ctl(dlg, id)) != FALSE; }
void click(HWND dlg, int id) { SendMessageW(ctl(dlg, id), BM_CLICK, 0, 0); }
void setText(HWND dlg, int id, const std::string& t) {
  SendMessageW(ctl(dlg, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(widen(t).c_str()));
}

// Makes sure at least `seconds` remain in the current minute, so that a reservation for "now"
// still matches when the main window's next ticks come.
void leaveRoomInMinute(int seconds) {
  SYSTEMTIME t;
  GetLocalTime(&t);
  if (t.wSecond + seconds < 60) return;
  log("  waiting for the next minute");
  const WORD minute = t.wMinute;
  waitFor(
      [&] {
        SYSTEMTIME n;
        GetLocalTime(&n);
        return n.wMinute != minute;
      },
      70000);
}

// A dialog of the process owned by `owner` (a message box or the file-open dialog), waited for.
HWND waitOwnedDialog(const Process& p, HWND owner, const std::string& what) {
  HWND found = nullptr;
  waitFor(
      [&] {
        for (HWND h : topWindows(p.id(), L"#32770"))
          if (GetWindow(h, GW_OWNER) == owner) {
            found = h;
            return true;
          }
        return false;
      },
      10000);
  if (!found) throw Failure{what + " did not appear"};
  return found;
}

HWND openDialog(const Process& p, HWND main) {
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(kTimerActionCommand, 0), 0);
  HWND dlg = waitDialog(p, kDialogTitle);
  check(GetWindow(dlg, GW_OWNER) == main, "the dialog is owned by the main window");
  return dlg;
}

void closeDialog(HWND dlg, int button) {
  PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(ctl(dlg, button)));
  check(waitFor([&] { return !IsWindow(dlg); }, 10000), button == IDOK ? "OK closes the dialog" : "Cancel closes the dialog");
}

// The dialog as it opens on the defaults.
void checkDefaults(HWND dlg) {
  for (const Group& g : kGroups) {
    check(!checked(dlg, g.check) && enabled(dlg, g.check), std::string(g.name) + ": box cleared and usable");
    bool allGreyed = true;
    for (int id : g.switched) allGreyed = allGreyed && !enabled(dlg, id);
    check(allGreyed, std::string(g.name) + ": the group's controls are greyed");
    check(text(dlg, g.reserve) == "予約" && text(dlg, g.display).empty(),
          std::string(g.name) + ": button reads 予約, no time shown");
  }
  check(checked(dlg, kLogOff) && !checked(dlg, kRestart) && !checked(dlg, kShutdown), "LOGOFF is chosen");
  check(checked(dlg, kCallFlash) && checked(dlg, kCallTopWindow), "ﾀｲﾄﾙﾊﾞｰ点滅 and ｳｲﾝﾄﾞｳを手前に表示 are checked");
  check(text(dlg, kCallText) == "予定の時間です", "the call text is 予定の時間です");
  check(text(dlg, kSoundFile).empty() && text(dlg, kProgramField).empty(), "no sound file, no program");
  check(enabled(dlg, IDOK) && enabled(dlg, IDCANCEL), "OK and Cancel usable");
}

void dialogDefaults(const Context& ctx) {
  deleteProgramKey();
  Process p = Process::start(ctx.program);
  HWND main = waitMainWindow(p);
  leaveRoomInMinute(5);
  SYSTEMTIME opened;
  GetLocalTime(&opened);
  HWND dlg = openDialog(p, main);
  checkDefaults(dlg);

  check(text(dlg, kHour) == two(opened.wHour) && text(dlg, kMinute) == two(opened.wMinute),
        "the time setter shows the current hour and minute with two digits: " + text(dlg, kHour) + " " +
            text(dlg, kMinute));
  const LRESULT hourRange = SendMessageW(ctl(dlg, kHourSpin), UDM_GETRANGE, 0, 0);
  const LRESULT minuteRange = SendMessageW(ctl(dlg, kMinuteSpin), UDM_GETRANGE, 0, 0);
  check(HIWORD(hourRange) == 0 && LOWORD(hourRange) == 23 && HIWORD(minuteRange) == 0 && LOWORD(minuteRange) == 59,
        "up-down ranges 0-23 and 0-59");
  check(reinterpret_cast<HWND>(SendMessageW(ctl(dlg, kHourSpin), UDM_GETBUDDY, 0, 0)) == ctl(dlg, kHour) &&
            reinterpret_cast<HWND>(SendMessageW(ctl(dlg, kMinuteSpin), UDM_GETBUDDY, 0, 0)) == ctl(dlg, kMinute),
        "1008 drives the hour field, 1009 the minute field");
  check((GetWindowLongW(ctl(dlg, kHour), GWL_STYLE) & ES_READONLY) != 0, "the hour field is read-only");

  // The PC clock appears after about a second and follows the date and time.
  check(waitFor([&] { return !text(dlg, kPcTime).empty(); }, 5000), "the PC time appears");
  SYSTEMTIME now;
  GetLocalTime(&now);
  const std::string date = std::to_string(now.wYear) + "年" + two(now.wMonth) + "月" + two(now.wDay) + "日";
  check(text(dlg, kPcDate) == date, "the PC date reads " + date + ": " + text(dlg, kPcDate));
  check(text(dlg, kPcTime).size() == 5 && text(dlg, kPcTime).substr(0, 3) == two(now.wHour) + ":",
        "the PC time reads HH:MM: " + text(dlg, kPcTime));
  screenshot(ctx, dlg, "timer-action-defaults");

  // Everything the user does before Cancel is dropped.
  click(dlg, kCallCheck);
  check(checked(dlg, kCallCheck) && enabled(dlg, kCallReserve) && enabled(dlg, kCallText), "checking ｽｹｼﾞｭｰﾙ enables its group");
  click(dlg, kCallReserve);
  check(text(dlg, kCallReserve) == "完了" && text(dlg, kCallTime) == two(opened.wHour) + ":" + two(opened.wMinute),
        "予約 shows the setter's time and the button reads 完了: " + text(dlg, kCallTime));
  click(dlg, kCallCheck);
  check(!enabled(dlg, kCallReserve) && text(dlg, kCallReserve) == "予約" && text(dlg, kCallTime).empty(),
        "clearing the box greys the group and discards its time");
  click(dlg, kSoundCheck);
  check(enabled(dlg, kSoundTest) && enabled(dlg, kSoundBrowse), "checking WAVE MIDI　再生 enables its group");

  // Test play of a file that is neither WAV nor MIDI: the stop message, captioned with the
  // program's name. The click is posted: the box is modal inside the button's handler.
  setText(dlg, kSoundFile, "C:\\memo.txt");
  PostMessageW(ctl(dlg, kSoundTest), BM_CLICK, 0, 0);
  HWND box = waitOwnedDialog(p, dlg, "the test play's message");
  check(windowText(box) == "meridexa" && windowText(GetDlgItem(box, 0xFFFF)) == "再生出来ません",
        "ﾃｽﾄ on a .txt file shows 再生出来ません captioned meridexa: " + windowText(GetDlgItem(box, 0xFFFF)));
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  check(waitFor([&] { return !IsWindow(box); }, 5000), "the message closes and the dialog stays");

  // Browsing and cancelling the file dialog leaves the field as it was.
  PostMessageW(ctl(dlg, kSoundBrowse), BM_CLICK, 0, 0);
  HWND open = waitOwnedDialog(p, dlg, "the file-open dialog");
  HWND types = GetDlgItem(open, 0x470);  // the file-type list of the file-open dialog
  check(waitFor([&] { return SendMessageW(types, CB_GETCOUNT, 0, 0) == 3; }, 5000), "three file types offered");
  wchar_t first[64] = {};
  SendMessageW(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
  check(narrow(first) == "WAV&MIDIﾌｧｲﾙ", "the first file type is WAV&MIDIﾌｧｲﾙ: " + narrow(first));
  Sleep(500);
  screenshot(ctx, open, "timer-action-browse");
  PostMessageW(open, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  check(waitFor([&] { return !IsWindow(open); }, 5000), "the file-open dialog closes");
  check(text(dlg, kSoundFile) == "C:\\memo.txt", "cancelling the file-open dialog changes nothing");

  click(dlg, kRestart);
  setText(dlg, kSoundFile, "C:\\sound\\テスト.wav");
  setText(dlg, kCallText, "変更");
  closeDialog(dlg, IDCANCEL);

  dlg = openDialog(p, main);
  checkDefaults(dlg);
  closeDialog(dlg, IDCANCEL);

  quitByMenu(p, main);
  const auto key = readProgramKey();
  const auto& action = key.at("ACTION");
  check(action.at("WAVEON").number == 0 && action.at("CALL").number == 0 && action.at("SELECT_END").number == 0 &&
            action.at("SOUND").text.empty() && action.at("WINDOW_TEXT").text == "予定の時間です",
        "Cancel changed nothing that is saved");
}

void callTakesTheTitle(const Context& ctx) {
  deleteProgramKey();
  Process p = Process::start(ctx.program);
  HWND main = waitMainWindow(p);
  check(!(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST), "the window starts not topmost");
  ShowWindow(main, SW_MINIMIZE);
  check(waitFor([&] { return IsIconic(main) != FALSE; }, 5000), "minimised");

  leaveRoomInMinute(20);
  HWND dlg = openDialog(p, main);

  // The arrows write plain numbers; 予約 pads them to two digits.
  const std::string hour = text(dlg, kHour), minute = text(dlg, kMinute);
  bringToFront(dlg);
  if (minute != "59") {
    clickAt(ctl(dlg, kMinuteSpin), 0.5, 0.25);
    check(waitFor([&] { return text(dlg, kMinute) == std::to_string(std::stoi(minute) + 1); }, 3000),
          "the up arrow writes the next minute without a leading zero: " + text(dlg, kMinute));
    // The clicked control has the focus, so the down key steps back.
    pressKeys({VK_DOWN});
    check(waitFor([&] { return text(dlg, kMinute) == std::to_string(std::stoi(minute)); }, 3000),
          "the down key steps back: " + text(dlg, kMinute));
  }

  click(dlg, kCallCheck);
  setText(dlg, kCallText, "会議の時間");
  click(dlg, kCallReserve);
  check(text(dlg, kCallTime) == hour + ":" + minute, "the call is reserved for " + hour + ":" + minute);
  screenshot(ctx, dlg, "timer-action-call-reserved");
  closeDialog(dlg, IDOK);

  check(waitFor([&] { return windowText(main) == "会議の時間"; }, 5000), "the title shows the call text");
  check(!IsIconic(main), "the call restored the minimised window");
  check((GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, "the call made the window topmost");
  screenshot(ctx, main, "call-pending");

  // While the call is pending the popup offers ｺｰﾙﾘｾｯﾄ.
  bringToFront(main);
  pressKeys({VK_SHIFT, VK_F10});
  HWND popup = waitPopupMenu();
  const auto items = probePopupMenu(p);
  check(items.size() > 2 && items[2].id == kCallResetCommand && !items[2].grayed, "ｺｰﾙﾘｾｯﾄ is enabled");
  pressKeys({VK_ESCAPE});
  check(waitFor([&] { return !IsWindowVisible(popup); }, 5000), "Esc closes the popup");

  // The call stays pending: the title keeps the text over the next ticks.
  Sleep(2500);
  check(windowText(main) == "会議の時間", "the call text stays while the call is pending");

  PostMessageW(main, WM_COMMAND, MAKEWPARAM(kCallResetCommand, 0), 0);
  const bool titleBack = waitFor([&] { return windowText(main) != "会議の時間"; }, 5000);
  check(titleBack, "ｺｰﾙﾘｾｯﾄ gives the title back: " + windowText(main));
  check(!(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST), "and the window leaves the topmost band");
  Sleep(2500);
  check(windowText(main) != "会議の時間", "the call does not fire again in the same minute");

  quitByMenu(p, main);
  const auto action = readProgramKey().at("ACTION");
  check(action.at("CALL").number == 1 && action.at("WINDOW_TEXT").text == "会議の時間",
        "OK kept the switch and the text, and they are saved");
}
Register r2("actions.call_takes_the_title", callTakesTheTitle);

void programRunsOnce(const Context& ctx) {
  deleteProgramKey();
  // The launched program sits in a folder whose name has a space and Japanese text, and it
  // records each run in a file with a Japanese name. A Wine prefix whose Unix locale is not
  // installed cannot store Japanese file names at all; then ASCII names with a space stand in.
  std::wstring folder = L"C:\\テスト 起動";
  std::wstring recorder = folder + L"\\記録係.exe";
  std::wstring marker = L"C:\\起動記録.txt";
  if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    log("  note: this prefix cannot store Japanese file names (error " + std::to_string(GetLastError()) +
        "); using ASCII names");
    folder = L"C:\\launch test";
    recorder = folder + L"\\recorder.exe";
    marker = L"C:\\launched.txt";
    CreateDirectoryW(folder.c_str(), nullptr);
  }
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const BOOL copied = CopyFileW(self, recorder.c_str(), FALSE);
  check(copied != FALSE, "the recorder program is in place (error " + std::to_string(copied ? 0 : GetLastError()) + ")");
  DeleteFileW(marker.c_str());
  const std::string commandLine = "\"" + narrow(recorder) + "\" --append-line " + narrow(marker);

  Process p = Process::start(ctx.program);
  HWND main = waitMainWindow(p);
  leaveRoomInMinute(30);
  HWND dlg = openDialog(p, main);
  click(dlg, kProgramCheck);
  check(enabled(dlg, kProgramField) && enabled(dlg, kProgramBrowse), "checking ｱﾌﾟﾘｹｰｼｮﾝ起動 enables its group");
  // 参照 stores the picked path, which has a space, in double quotes.
  PostMessageW(ctl(dlg, kProgramBrowse), BM_CLICK, 0, 0);
  HWND open = waitOwnedDialog(p, dlg, "the file-open dialog");
  HWND name = GetDlgItem(open, 0x47C);  // the file name box (cmb13; edt1 in older templates)
  if (!name) name = GetDlgItem(open, 0x480);
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(recorder.c_str()));
  PostMessageW(open, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  check(waitFor([&] { return !IsWindow(open); }, 5000), "the file-open dialog takes the program");
  check(text(dlg, kProgramField) == "\"" + narrow(recorder) + "\"",
        "参照 stores the picked path in double quotes: " + text(dlg, kProgramField));
  setText(dlg, kProgramField, text(dlg, kProgramField) + " --append-line " + narrow(marker));
  click(dlg, kProgramReserve);
  check(text(dlg, kProgramReserve) == "完了", "the program is reserved for " + text(dlg, kProgramTime));
  closeDialog(dlg, IDOK);

  auto runs = [&] {
    int n = 0;
    if (FILE* f = _wfopen(marker.c_str(), L"rb")) {
      for (int c; (c = std::fgetc(f)) != EOF;)
        if (c == '\n') ++n;
      std::fclose(f);
    }
    return n;
  };
  check(waitFor([&] { return runs() >= 1; }, 8000), "the reserved program ran");
  Sleep(4000);  // four more ticks in the same minute
  check(runs() == 1, "and ran exactly once (" + std::to_string(runs()) + " runs)");
  char first[1024] = {};
  if (FILE* f = _wfopen(marker.c_str(), L"rb")) {
    if (!std::fgets(first, sizeof first, f)) first[0] = '\0';
    std::fclose(f);
  }
  check(std::string(first) == "launched in " + narrow(folder) + "\n", "in its own folder: " + std::string(first));

  quitByMenu(p, main);
  const auto action = readProgramKey().at("ACTION");
  check(action.at("GOAPPLI").number == 1 && action.at("APPLI").text == commandLine,
        "the program switch and command line are saved");
  DeleteFileW(marker.c_str());
}
Register r3("actions.program_runs_once", programRunsOnce);

Register r1("actions.timer_dialog_defaults", dialogDefaults);
// A stored exit kind outside 0..2 (only an edited profile has one) ends the program at the
// reserved time without asking Windows to end the session. Under Wine such a request would end
// every process of the session, this driver included, so the driver living on shows that none
// was made.
void exitOutOfRangeQuits(const Context& ctx) {
  deleteProgramKey();
  writeInt("ACTION", "SELECT_END", 7);
  Process p = Process::start(ctx.program);
  HWND main = waitMainWindow(p);
  leaveRoomInMinute(20);
  HWND dlg = openDialog(p, main);
  check(!checked(dlg, kLogOff) && !checked(dlg, kRestart) && !checked(dlg, kShutdown),
        "kind 7 selects none of the three exits");
  click(dlg, kExitCheck);
  click(dlg, kExitReserve);
  check(!text(dlg, kExitTime).empty(), "the exit is reserved for " + text(dlg, kExitTime));
  closeDialog(dlg, IDOK);
  check(p.waitExit(10000), "the program ends at the reserved minute");
  check(p.exitCode() == 0, "and exits normally");
  const auto key = readProgramKey();
  check(key.count("ACTION") == 1 && key.at("ACTION").at("KYOUSEI").number == 1,
        "closing the window saved the settings with the switch on");
  const int32_t kind = static_cast<int32_t>(key.at("ACTION").at("SELECT_END").number);
  check(kind < 0 || kind > 2, "the stored kind is still outside 0..2: " + std::to_string(kind));
}
Register r4("actions.exit_out_of_range_quits", exitOutOfRangeQuits);

// Reserves a Windows exit of `kind` for the current minute through the dialog, with the exit
// probe standing in for Windows (accepting or refusing), and returns the running program.
Process reserveExit(const Context& ctx, int32_t kind, bool windowsRefuses) {
  deleteProgramKey();
  writeInt("ACTION", "SELECT_END", static_cast<DWORD>(kind));
  Process p = Process::start(ctx.program);
  HWND main = waitMainWindow(p);
  installExitProbe(p, windowsRefuses);
  leaveRoomInMinute(20);
  HWND dlg = openDialog(p, main);
  click(dlg, kExitCheck);
  click(dlg, kExitReserve);
  check(!text(dlg, kExitTime).empty(), "the exit is reserved for " + text(dlg, kExitTime));
  closeDialog(dlg, IDOK);
  check(waitFor([] { return !recordedExits().empty(); }, 10000), "the exit is asked of Windows");
  return p;
}

// Each kind asks with its flags (EWX_FORCEIFHUNG on all three, EWX_POWEROFF for shut down) and
// the planned reason, restart and shut down with SE_SHUTDOWN_NAME enabled first. Taken, the
// program ends; refused, the settings are saved and the clock keeps running.
void exitAsksWindows(const Context& ctx) {
  constexpr unsigned long kPlannedOther = 0x80000000UL;
  const struct {
    int32_t kind;
    unsigned flags;
    bool needsPrivilege;
  } kinds[] = {{0, EWX_LOGOFF | EWX_FORCEIFHUNG, false}, {1, EWX_REBOOT | EWX_FORCEIFHUNG, true}};
  for (const auto& k : kinds) {
    Process p = reserveExit(ctx, k.kind, false);
    check(p.waitExit(10000), "kind " + std::to_string(k.kind) + ": the program ends once Windows takes the exit");
    const auto calls = recordedExits();
    check(calls.size() == 1 && calls[0].flags == k.flags && calls[0].reason == kPlannedOther && calls[0].accepted,
          "kind " + std::to_string(k.kind) + " asked once with flags " + std::to_string(calls[0].flags) +
              " and reason " + std::to_string(calls[0].reason));
    if (k.needsPrivilege) check(calls[0].privilegeEnabled, "with the shutdown privilege enabled");
  }

  Process p = reserveExit(ctx, 2, true);
  auto calls = recordedExits();
  check(calls[0].flags == (EWX_POWEROFF | EWX_FORCEIFHUNG) && calls[0].reason == kPlannedOther &&
            calls[0].privilegeEnabled && !calls[0].accepted,
        "shut down asks to power off, planned, privileged: flags " + std::to_string(calls[0].flags));
  const auto saved = readProgramKey();
  check(saved.count("ACTION") && saved.at("ACTION").at("KYOUSEI").number == 1,
        "the settings were saved before Windows was asked");
  Sleep(3000);
  check(p.running() && IsWindowVisible(waitMainWindow(p)), "refused, the clock keeps running");
  check(recordedExits().size() == 1, "and Windows is not asked again in the same minute");
  PostMessageW(waitMainWindow(p), WM_COMMAND, MAKEWPARAM(1, 0), 0);
  check(p.waitExit(15000), "終了 ends the program");
  DeleteFileW(L"C:\\exit-refuse");
}
Register r5("actions.exit_asks_windows", exitAsksWindows);

// A key held down: the keyboard repeats its key-down every 30 ms or so.
void holdKey(WORD vk, DWORD ms) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  for (const DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(30)) SendInput(1, &in, sizeof in);
  in.ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(1, &in, sizeof in);
}

unsigned long long unixMs() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  return ((static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) / 10000ULL - 11644473600000ULL;
}

// Every whole second strictly inside [from, to] holds an event of `kind`.
bool everySecondHas(const std::vector<TimelineEvent>& events, const char* kind, unsigned long long from,
                    unsigned long long to) {
  std::set<unsigned long long> seconds;
  for (const auto& e : events)
    if (e.kind == kind) seconds.insert(e.unixMs / 1000);
  for (unsigned long long s = from / 1000 + 1; s < to / 1000; ++s)
    if (!seconds.count(s)) return false;
  return true;
}

// Windows' Beep returns only when its tone ends. With the beep probe acting so, a key held for
// five seconds beeps one tone after another, never two at once and none queued, while a
// pending call flashes the title every second and the tick restarts its timer every second.
void heldKeyKeepsTicking(const Context& ctx) {
  deleteProgramKey();
  Process p = Process::start(ctx.program);
  HWND main = waitMainWindow(p);
  installBeepProbe(p, true);
  leaveRoomInMinute(15);
  HWND dlg = openDialog(p, main);
  click(dlg, kCallCheck);  // ﾀｲﾄﾙﾊﾞｰ点滅 is on by default
  click(dlg, kCallReserve);
  closeDialog(dlg, IDOK);
  check(waitFor([&] { return windowText(main) == "予定の時間です"; }, 5000), "the call is pending");

  bringToFront(main);
  const unsigned long long from = unixMs();
  holdKey('A', 5000);
  const unsigned long long to = unixMs();
  Sleep(2500);  // the last tone ends; nothing queued may follow
  const auto events = uiTimeline();
  check(everySecondHas(events, "tick", from, to), "the tick ran in every second the key was held");
  check(everySecondHas(events, "flash", from, to), "and the title flashed in every one of them");

  int tones = 0;
  unsigned long long lastEnd = 0;
  bool oneAtATime = true;
  for (const auto& e : events) {
    if (e.kind == "beep-start") {
      oneAtATime = oneAtATime && e.unixMs >= lastEnd;
      ++tones;
    }
    if (e.kind == "beep-end") lastEnd = e.unixMs;
  }
  check(oneAtATime, "one tone at a time");
  // Queued tones would go on sounding after the key was let go.
  check(tones >= 4 && tones <= 6, "a tone a second while the key was held, none after: " + std::to_string(tones));
  bool each570For1000 = true;
  for (const auto& b : recordedBeeps()) each570For1000 = each570For1000 && b.first == 570 && b.second == 1000;
  check(each570For1000, "each at 570 Hz for 1000 ms");
  check(p.running(), "the program runs on");
  quitByMenu(p, main);
}
Register r6("app.held_key_keeps_ticking", heldKeyKeepsTicking);

// A program whose manifest asks for administrator rights: CreateProcess answers
// ERROR_ELEVATION_REQUIRED (the launch probe acts so), and the program is handed to the shell,
// which asks UAC, with the same program, arguments, folder and show command.
void elevatedProgramThroughTheShell(const Context& ctx) {
  deleteProgramKey();
  const std::wstring folder = L"C:\\admin tools";
  const std::wstring program = folder + L"\\needs-admin.exe";
  CreateDirectoryW(folder.c_str(), nullptr);
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  check(CopyFileW(self, program.c_str(), FALSE) != FALSE, "the program is in place");
  const std::string commandLine = "\"" + narrow(program) + "\" /x \"a b\"";

  Process p = Process::start(ctx.program);
  HWND main = waitMainWindow(p);
  installLaunchProbe(p);
  leaveRoomInMinute(20);
  HWND dlg = openDialog(p, main);
  click(dlg, kProgramCheck);
  setText(dlg, kProgramField, commandLine);
  click(dlg, kProgramReserve);
  closeDialog(dlg, IDOK);
  check(waitFor([] { return recordedLaunches().size() >= 2; }, 8000), "the program was started and handed on");
  const auto calls = recordedLaunches();
  using Fields = std::vector<std::string>;
  check(calls[0] == Fields{"create", commandLine, narrow(folder)},
        "CreateProcess got the stored command line and the program's folder: " + calls[0].at(1) + " in " +
            calls[0].at(2));
  check(calls[1] == Fields{"shell", "open", narrow(program), "/x \"a b\"", narrow(folder), "5"},
        "after 740 the shell opens the program with its arguments, folder and SW_SHOW: " + calls[1].at(2) + " | " +
            calls[1].at(3) + " | " + calls[1].at(4) + " | " + calls[1].at(5));
  Sleep(2000);
  check(recordedLaunches().size() == 2, "once");
  quitByMenu(p, main);
}
Register r7("actions.elevated_program_through_the_shell", elevatedProgramThroughTheShell);

}  // namespace
}  // namespace e2e
