#pragma once
// The end-to-end test driver's toolkit: start meridexa.exe, find its windows, talk to them by
// messages and input, read titles, controls, menus and the registry, and take screenshots.
// Every wait polls a condition until a timeout; nothing relies on fixed sleeps.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/text.h"

namespace e2e {

struct Context {
  std::wstring program;    // full path of meridexa.exe
  std::wstring outputDir;  // where screenshots go
};

// A failed check ends the scenario with this exception.
struct Failure {
  std::string message;
};

void check(bool condition, const std::string& what);
void log(const std::string& line);
// UTF-8 <-> UTF-16, the program's own conversion.
using mdx::win::narrow;
using mdx::win::widen;

// Polls `condition` every 50 ms until it holds or `timeoutMs` passes.
bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs = 15000);

class Process {
 public:
  Process() = default;
  ~Process();
  Process(Process&& o) noexcept;
  Process& operator=(Process&& o) noexcept;
  Process(const Process&) = delete;

  static Process start(const std::wstring& program, const std::wstring& args = L"");
  // Started with its first thread held, so a probe can be in place before the program runs.
  static Process startHeld(const std::wstring& program);
  void release();
  DWORD id() const { return pi_.dwProcessId; }
  HANDLE handle() const { return pi_.hProcess; }
  bool running() const;
  bool waitExit(DWORD timeoutMs);
  DWORD exitCode() const;
  void kill();

 private:
  PROCESS_INFORMATION pi_{};
};

// Starts meridexa.exe (ctx.program) into `p` and waits for its main window to show a title.
HWND startProgram(const Context& ctx, Process& p);
// Runs a command line (from `workingDir`, the driver's own when null) to its end and returns its
// exit code, with how long it ran in `tookMs`; a run past the timeout is ended and fails the
// scenario.
DWORD runAndWait(const std::wstring& commandLine, DWORD timeoutMs, const wchar_t* workingDir = nullptr,
                 DWORD* tookMs = nullptr);

// Visible top-level windows of a process, optionally of one class ("#32770" for dialogs).
std::vector<HWND> topWindows(DWORD pid, const wchar_t* cls = nullptr);
// The main window of meridexa (the dialog that is not owned by another window).
HWND waitMainWindow(const Process& p, DWORD timeoutMs = 20000);
// A dialog of the process with the given title, waited for.
HWND waitDialog(const Process& p, const std::string& title, DWORD timeoutMs = 15000);
// Ends the program as a user does, with the popup entry 終了 (command 1), and waits for it to exit.
void quitByMenu(Process& p, HWND main);
// The open popup menu window (#32768), waited for.
HWND waitPopupMenu(DWORD timeoutMs = 10000);

std::string windowText(HWND h);
RECT windowRect(HWND h);
std::string rectText(const RECT& r);

// Keyboard input through the system's input queue (as a user types).
void pressKeys(const std::vector<WORD>& downThenUp);
void bringToFront(HWND h);

// The open popup menu of a process, read from inside it by the probe library: every item in
// menu order, submenu items following their parent with depth + 1.
struct MenuItem {
  int depth = 0;
  std::string text;
  UINT id = 0;
  bool grayed = false;
  bool separator = false;
};
std::vector<MenuItem> probePopupMenu(const Process& p);

// Loads a library into the program's process (its DllMain does the probing).
void injectLibrary(const Process& p, const std::wstring& dll);
// Replaces the program's Beep with one that records each call and returns at once or, with
// `sleepsLikeWindows`, only when its tone would end, as Windows' Beep does; that mode also
// records the tick's timer restarts and the title's flashes (uiTimeline).
void installBeepProbe(const Process& p, bool sleepsLikeWindows = false);
struct TimelineEvent {
  std::string kind;  // beep-start, beep-end, tick, flash
  unsigned long long unixMs = 0;
};
std::vector<TimelineEvent> uiTimeline();
// The (frequency, duration) of every Beep since the probe was installed.
std::vector<std::pair<DWORD, DWORD>> recordedBeeps();
// Records the program's ShowWindow commands (the windows still show and hide as before).
void installShowWindowProbe(const Process& p);
// Replaces the program's CoCreateInstance so that the accessibility services record each
// control name the program sets (Windows keeps them for screen readers; Wine does not).
void installAccessibleNameProbe(const Process& p);
// (control id, name) of every name set since the probe was installed.
std::vector<std::pair<int, std::string>> recordedAccessibleNames();
// The show command (SW_...) of every ShowWindow call since the probe was installed.
std::vector<int> recordedShowCommands();
// Gives the program Windows' foreground rule (tests/e2e/probe/foreground_probe.cpp): only the
// foreground process, or one it started, may set the foreground window.
void installForegroundProbe(const Process& p);
struct ForegroundCall {
  DWORD processId = 0;
  bool permitted = false;
};
// Every SetForegroundWindow call of the probed processes since the probe was last installed.
std::vector<ForegroundCall> recordedForegroundCalls();

// Replaces the program's ExitWindowsEx with the exit probe (tests/e2e/probe/exit_probe.cpp),
// which never ends anything; throws unless the real call is out of reach. With `refuse` every
// request fails, as when Windows refuses.
void installExitProbe(const Process& p, bool refuse);
struct ExitRequest {
  unsigned flags = 0;
  unsigned long reason = 0;
  bool privilegeEnabled = false;  // SE_SHUTDOWN_NAME enabled in the program's token
  bool accepted = false;          // the probe's answer
};
std::vector<ExitRequest> recordedExits();

// Stands between the program and CreateProcessW / ShellExecuteExW (tests/e2e/probe/launch_probe.cpp):
// a program named needs-admin.exe fails with ERROR_ELEVATION_REQUIRED, the shell starts nothing.
void installLaunchProbe(const Process& p);
// Each call since, its fields split at tabs: {"create", command line, directory} or
// {"shell", verb, file, parameters, directory, show command}.
std::vector<std::vector<std::string>> recordedLaunches();

// Registry under HKCU\Software\Quenholt\meridexa.
struct RegValue {
  DWORD type = 0;
  DWORD number = 0;
  std::string text;            // REG_SZ as UTF-8
  std::wstring wide;           // REG_SZ as stored
  std::vector<BYTE> bytes;     // the stored data, whole
};
std::map<std::string, std::map<std::string, RegValue>> readProgramKey();
bool programKeyExists();
void deleteProgramKey();
void writeInt(const std::string& section, const std::string& key, DWORD value);
void writeText(const std::string& section, const std::string& key, const std::string& value);
// The settings of a title that shows one AREA's time: OPTION TITLE = `title`, and the AREA's
// RUG and D_24HOUR both 0, the form the title-time checks read.
void writeTitleShowsArea(DWORD title, const std::string& area);

// Pixels read off the screen, 0x00RRGGBB each, top row first.
struct ScreenPixels {
  int width = 0, height = 0;
  std::vector<uint32_t> px;
  uint32_t at(int x, int y) const { return px[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
  static int r(uint32_t c) { return (c >> 16) & 0xFF; }
  static int g(uint32_t c) { return (c >> 8) & 0xFF; }
  static int b(uint32_t c) { return c & 0xFF; }
};

// The client area of a window as it is on the screen.
using ClientPixels = ScreenPixels;
ClientPixels captureClient(HWND h);

// Saves the screen area of a window as a BMP in the output directory.
void screenshot(const Context& ctx, HWND h, const std::string& name);

// What the screen shows in a rectangle; empty when the rectangle is.
ScreenPixels captureScreen(int left, int top, int width, int height);

// Scenario registry: each scenario file registers its functions by name.
using Scenario = std::function<void(const Context&)>;
std::map<std::string, Scenario>& scenarios();
struct Register {
  Register(const char* name, Scenario fn) { scenarios()[name] = std::move(fn); }
};

}  // namespace e2e
