#include "tests/e2e/driver/harness.h"

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <cstdint>
#include <vector>

namespace e2e {

namespace {
const wchar_t kProgramKey[] = L"Software\\Quenholt\\meridexa";
}

void log(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

void check(bool condition, const std::string& what) {
  if (!condition) throw Failure{what};
  log("  ok: " + what);
}

bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(50);
  }
}

// ---- processes ----

Process::~Process() {
  if (pi_.hProcess) {
    if (running()) kill();
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
  }
}

Process::Process(Process&& o) noexcept : pi_(o.pi_) { o.pi_ = {}; }

Process& Process::operator=(Process&& o) noexcept {
  if (this != &o) {
    this->~Process();
    pi_ = o.pi_;
    o.pi_ = {};
  }
  return *this;
}

namespace {
PROCESS_INFORMATION createProcess(const std::wstring& program, const std::wstring& args, DWORD flags) {
  std::wstring cmd = L"\"" + program + L"\"" + (args.empty() ? L"" : L" " + args);
  std::wstring dir = program.substr(0, program.find_last_of(L"\\/"));
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(program.c_str(), cmd.data(), nullptr, nullptr, FALSE, flags, nullptr, dir.c_str(), &si, &pi))
    throw Failure{"cannot start " + narrow(program) + " (error " + std::to_string(GetLastError()) + ")"};
  return pi;
}
}  // namespace

Process Process::start(const std::wstring& program, const std::wstring& args) {
  Process p;
  p.pi_ = createProcess(program, args, 0);
  WaitForInputIdle(p.pi_.hProcess, 10000);
  return p;
}

Process Process::startHeld(const std::wstring& program) {
  Process p;
  p.pi_ = createProcess(program, L"", CREATE_SUSPENDED);
  return p;
}

void Process::release() { ResumeThread(pi_.hThread); }

bool Process::running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }
bool Process::waitExit(DWORD timeoutMs) { return WaitForSingleObject(pi_.hProcess, timeoutMs) == WAIT_OBJECT_0; }
DWORD Process::exitCode() const {
  DWORD code = 0;
  GetExitCodeProcess(pi_.hProcess, &code);
  return code;
}
void Process::kill() {
  TerminateProcess(pi_.hProcess, 99);
  WaitForSingleObject(pi_.hProcess, 5000);
}

HWND startProgram(const Context& ctx, Process& p) {
  p = Process::start(ctx.program);
  HWND main = waitMainWindow(p);
  check(waitFor([&] { return !windowText(main).empty(); }, 10000), "the main window has its title");
  return main;
}

DWORD runAndWait(const std::wstring& commandLine, DWORD timeoutMs, const wchar_t* workingDir, DWORD* tookMs) {
  std::wstring cmd = commandLine;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const ULONGLONG start = GetTickCount64();
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, workingDir, &si, &pi))
    throw Failure{"cannot run " + narrow(commandLine) + " (error " + std::to_string(GetLastError()) + ")"};
  const bool ended = WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0;
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  if (!ended) TerminateProcess(pi.hProcess, 99);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  if (!ended) throw Failure{narrow(commandLine) + " did not end"};
  if (tookMs) *tookMs = static_cast<DWORD>(GetTickCount64() - start);
  return code;
}

// ---- windows ----

std::vector<HWND> topWindows(DWORD pid, const wchar_t* cls) {
  struct Search {
    DWORD pid;
    const wchar_t* cls;
    std::vector<HWND> found;
  } s{pid, cls, {}};
  EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner != s->pid || !IsWindowVisible(h)) return TRUE;
        if (s->cls) {
          wchar_t name[64] = {};
          GetClassNameW(h, name, 64);
          if (lstrcmpW(name, s->cls) != 0) return TRUE;
        }
        s->found.push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND waitMainWindow(const Process& p, DWORD timeoutMs) {
  HWND found = nullptr;
  waitFor(
      [&] {
        for (HWND h : topWindows(p.id(), L"#32770"))
          if (!GetWindow(h, GW_OWNER)) {
            found = h;
            return true;
          }
        return false;
      },
      timeoutMs);
  if (!found) throw Failure{"the main window did not appear"};
  return found;
}

HWND waitDialog(const Process& p, const std::string& title, DWORD timeoutMs) {
  HWND found = nullptr;
  waitFor(
      [&] {
        for (HWND h : topWindows(p.id(), L"#32770"))
          if (windowText(h) == title) {
            found = h;
            return true;
          }
        return false;
      },
      timeoutMs);
  if (!found) throw Failure{"the dialog \"" + title + "\" did not appear"};
  return found;
}

HWND waitPopupMenu(DWORD timeoutMs) {
  HWND found = nullptr;
  waitFor(
      [&] {
        found = FindWindowW(L"#32768", nullptr);
        return found && IsWindowVisible(found);
      },
      timeoutMs);
  if (!found || !IsWindowVisible(found)) throw Failure{"no popup menu appeared"};
  return found;
}

std::string windowText(HWND h) {
  wchar_t buf[1024] = {};
  // WM_GETTEXT through SendMessageTimeout so a busy window cannot hang the driver.
  DWORD_PTR len = 0;
  SendMessageTimeoutW(h, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 5000, &len);
  return narrow(buf);
}

RECT windowRect(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return r;
}

std::string rectText(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ") " + std::to_string(r.right - r.left) +
         " x " + std::to_string(r.bottom - r.top);
}

void pressKeys(const std::vector<WORD>& keys) {
  std::vector<INPUT> in;
  for (WORD k : keys) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = k;
    in.push_back(i);
  }
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = *it;
    i.ki.dwFlags = KEYEVENTF_KEYUP;
    in.push_back(i);
  }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

void bringToFront(HWND h) {
  SetForegroundWindow(h);
  waitFor([&] { return GetForegroundWindow() == h; }, 3000);
}

void injectLibrary(const Process& p, const std::wstring& dll) {
  const SIZE_T bytes = (dll.size() + 1) * sizeof(wchar_t);
  void* remote = VirtualAllocEx(p.handle(), nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!remote || !WriteProcessMemory(p.handle(), remote, dll.c_str(), bytes, nullptr))
    throw Failure{"cannot reach the program's memory"};
  auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
  HANDLE t = CreateRemoteThread(p.handle(), nullptr, 0, loadLibrary, remote, 0, nullptr);
  if (!t) throw Failure{"cannot start the probe in the program"};
  WaitForSingleObject(t, 10000);
  CloseHandle(t);
}

namespace {
// Loads an import-replacing probe and waits for its report of whether it found the import.
void installImportProbe(const Process& p, const wchar_t* dll, const wchar_t* log, const wchar_t* report,
                        const std::string& function) {
  DeleteFileW(log);
  DeleteFileW(report);
  injectLibrary(p, dll);
  if (!waitFor([&] { return GetFileAttributesW(report) != INVALID_FILE_ATTRIBUTES; }, 10000))
    throw Failure{"the " + function + " probe did not report"};
  FILE* f = _wfopen(report, L"rb");
  int patched = 0;
  if (f) {
    if (std::fscanf(f, "%d", &patched) != 1) patched = 0;
    std::fclose(f);
  }
  if (patched < 1) throw Failure{"the program imports no " + function + " the probe could replace"};
}

// A switch file a probe reads as it loads: present or absent.
void setProbeFlag(const wchar_t* file, bool on) {
  if (!on) {
    DeleteFileW(file);
  } else if (FILE* f = _wfopen(file, L"wb")) {
    std::fputs("windows\n", f);
    std::fclose(f);
  }
}
}  // namespace

void installBeepProbe(const Process& p, bool sleepsLikeWindows) {
  DeleteFileW(L"C:\\ui-timeline.txt");
  setProbeFlag(L"C:\\beep-probe-mode.txt", sleepsLikeWindows);
  installImportProbe(p, L"C:\\mdxbeepprobe.dll", L"C:\\beep-log.txt", L"C:\\beep-probe.txt", "Beep");
}

std::vector<TimelineEvent> uiTimeline() {
  std::vector<TimelineEvent> events;
  FILE* f = _wfopen(L"C:\\ui-timeline.txt", L"rb");
  char kind[32];
  unsigned long long ms = 0;
  while (f && std::fscanf(f, "%31s %llu", kind, &ms) == 2) events.push_back({kind, ms});
  if (f) std::fclose(f);
  return events;
}

void installShowWindowProbe(const Process& p) {
  installImportProbe(p, L"C:\\mdxshowprobe.dll", L"C:\\show-log.txt", L"C:\\show-probe.txt", "ShowWindow");
}

void installAccessibleNameProbe(const Process& p) {
  installImportProbe(p, L"C:\\mdxaccprobe.dll", L"C:\\acc-log.txt", L"C:\\acc-probe.txt", "CoCreateInstance");
}

std::vector<std::pair<int, std::string>> recordedAccessibleNames() {
  std::vector<std::pair<int, std::string>> names;
  FILE* f = _wfopen(L"C:\\acc-log.txt", L"rb");
  char line[512];
  while (f && std::fgets(line, sizeof line, f)) {
    char* tab = std::strchr(line, '\t');
    if (!tab) continue;
    *tab = '\0';
    std::string name = tab + 1;
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) name.pop_back();
    names.emplace_back(std::atoi(line), name);
  }
  if (f) std::fclose(f);
  return names;
}

void installForegroundProbe(const Process& p) {
  installImportProbe(p, L"C:\\mdxforegroundprobe.dll", L"C:\\foreground-log.txt", L"C:\\foreground-probe.txt",
                     "SetForegroundWindow");
}

std::vector<ForegroundCall> recordedForegroundCalls() {
  std::vector<ForegroundCall> calls;
  FILE* f = _wfopen(L"C:\\foreground-log.txt", L"rb");
  unsigned long id = 0;
  int permitted = 0;
  while (f && std::fscanf(f, "%lu %d", &id, &permitted) == 2) calls.push_back({static_cast<DWORD>(id), permitted != 0});
  if (f) std::fclose(f);
  return calls;
}

std::vector<int> recordedShowCommands() {
  std::vector<int> commands;
  FILE* f = _wfopen(L"C:\\show-log.txt", L"rb");
  int command = 0;
  while (f && std::fscanf(f, "%d", &command) == 1) commands.push_back(command);
  if (f) std::fclose(f);
  return commands;
}

std::vector<std::pair<DWORD, DWORD>> recordedBeeps() {
  std::vector<std::pair<DWORD, DWORD>> beeps;
  FILE* f = _wfopen(L"C:\\beep-log.txt", L"rb");
  unsigned long freq = 0, dur = 0;
  while (f && std::fscanf(f, "%lu %lu", &freq, &dur) == 2) beeps.emplace_back(freq, dur);
  if (f) std::fclose(f);
  return beeps;
}

void installExitProbe(const Process& p, bool refuse) {
  setProbeFlag(L"C:\\exit-refuse", refuse);
  // Without the probe a reserved exit would reach Windows: this throws before anything is
  // reserved.
  installImportProbe(p, L"C:\\mdxexitprobe.dll", L"C:\\exit-log.txt", L"C:\\exit-probe.txt", "ExitWindowsEx");
}

void installLaunchProbe(const Process& p) {
  installImportProbe(p, L"C:\\mdxlaunchprobe.dll", L"C:\\launch-log.txt", L"C:\\launch-probe.txt",
                     "CreateProcessW or ShellExecuteExW");
}

std::vector<std::vector<std::string>> recordedLaunches() {
  std::vector<std::vector<std::string>> calls;
  FILE* f = _wfopen(L"C:\\launch-log.txt", L"rb");
  char line[4096];
  while (f && std::fgets(line, sizeof line, f)) {
    std::string l(line);
    while (!l.empty() && (l.back() == '\n' || l.back() == '\r')) l.pop_back();
    std::vector<std::string> fields;
    for (size_t start = 0;;) {
      const size_t tab = l.find('\t', start);
      fields.push_back(l.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    calls.push_back(fields);
  }
  if (f) std::fclose(f);
  return calls;
}

std::vector<ExitRequest> recordedExits() {
  std::vector<ExitRequest> calls;
  FILE* f = _wfopen(L"C:\\exit-log.txt", L"rb");
  ExitRequest r;
  int privileged = 0, accepted = 0;
  while (f && std::fscanf(f, "%u %lu %d %d", &r.flags, &r.reason, &privileged, &accepted) == 4) {
    r.privilegeEnabled = privileged != 0;
    r.accepted = accepted != 0;
    calls.push_back(r);
  }
  if (f) std::fclose(f);
  return calls;
}

std::vector<MenuItem> probePopupMenu(const Process& p) {
  // Each probe loads a fresh copy of the library, so its start-up code runs again.
  static int probes = 0;
  const std::wstring dll = L"C:\\mdxprobe-" + std::to_wstring(++probes) + L".dll";
  CopyFileW(L"C:\\mdxprobe.dll", dll.c_str(), FALSE);
  DeleteFileW(L"C:\\menu-probe.txt");
  injectLibrary(p, dll);
  if (!waitFor([] { return GetFileAttributesW(L"C:\\menu-probe.txt") != INVALID_FILE_ATTRIBUTES; }, 10000))
    throw Failure{"the menu probe wrote nothing"};
  std::vector<MenuItem> items;
  FILE* f = _wfopen(L"C:\\menu-probe.txt", L"rb");
  char line[1024];
  while (f && std::fgets(line, sizeof line, f)) {
    MenuItem item;
    char text[512] = {};
    unsigned id = 0;
    int grayed = 0, separator = 0;
    // depth \t text \t id \t grayed \t separator
    char* fields[5] = {};
    int nf = 0;
    for (char* tok = line; nf < 5; ++nf) {
      fields[nf] = tok;
      char* tab = std::strchr(tok, '\t');
      if (!tab) {
        ++nf;
        break;
      }
      *tab = '\0';
      tok = tab + 1;
    }
    if (nf < 5) continue;
    item.depth = std::atoi(fields[0]);
    std::snprintf(text, sizeof text, "%s", fields[1]);
    id = static_cast<unsigned>(std::strtoul(fields[2], nullptr, 10));
    grayed = std::atoi(fields[3]);
    separator = std::atoi(fields[4]);
    item.text = text;
    item.id = id;
    item.grayed = grayed != 0;
    item.separator = separator != 0;
    items.push_back(item);
  }
  if (f) std::fclose(f);
  return items;
}

// ---- registry ----

std::map<std::string, std::map<std::string, RegValue>> readProgramKey() {
  std::map<std::string, std::map<std::string, RegValue>> out;
  HKEY root = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kProgramKey, 0, KEY_READ, &root) != ERROR_SUCCESS) return out;
  for (DWORD i = 0;; ++i) {
    wchar_t section[256];
    DWORD sectionLen = 256;
    if (RegEnumKeyExW(root, i, section, &sectionLen, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY sk = nullptr;
    if (RegOpenKeyExW(root, section, 0, KEY_READ, &sk) != ERROR_SUCCESS) continue;
    auto& values = out[narrow(section)];
    // Buffers sized from the section's longest name and value, grown again should a value
    // change between the query and the read: no value is cut short or skipped.
    DWORD maxName = 0, maxData = 0;
    RegQueryInfoKeyW(sk, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName, &maxData, nullptr,
                     nullptr);
    std::vector<wchar_t> name(maxName + 2);
    std::vector<BYTE> data(maxData + sizeof(wchar_t) * 2);
    for (DWORD j = 0;;) {
      DWORD nameLen = static_cast<DWORD>(name.size()), type = 0;
      DWORD size = static_cast<DWORD>(data.size() - sizeof(wchar_t) * 2);
      const LONG rc = RegEnumValueW(sk, j, name.data(), &nameLen, nullptr, &type, data.data(), &size);
      if (rc == ERROR_MORE_DATA) {
        name.resize(name.size() * 2 + 256);
        data.resize(std::max<size_t>(data.size() * 2, size + sizeof(wchar_t) * 2));
        continue;
      }
      if (rc != ERROR_SUCCESS) break;
      ++j;
      RegValue v;
      v.type = type;
      v.bytes.assign(data.begin(), data.begin() + size);
      if (type == REG_DWORD && size >= sizeof(DWORD)) std::memcpy(&v.number, data.data(), sizeof(DWORD));
      if (type == REG_SZ) {
        // The stored text need not end in a terminator; take exactly the stored characters.
        std::wstring w(size / sizeof(wchar_t), L'\0');
        std::memcpy(w.data(), data.data(), w.size() * sizeof(wchar_t));
        while (!w.empty() && w.back() == L'\0') w.pop_back();
        v.wide = w;
        v.text = narrow(w);
      }
      values[narrow(std::wstring(name.data(), nameLen))] = v;
    }
    RegCloseKey(sk);
  }
  RegCloseKey(root);
  return out;
}

bool programKeyExists() {
  HKEY k = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kProgramKey, 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

void deleteProgramKey() { RegDeleteTreeW(HKEY_CURRENT_USER, kProgramKey); }

namespace {
HKEY createSection(const std::string& section) {
  HKEY k = nullptr;
  const std::wstring path = std::wstring(kProgramKey) + L"\\" + widen(section);
  RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr);
  return k;
}
}  // namespace

void writeInt(const std::string& section, const std::string& key, DWORD value) {
  HKEY k = createSection(section);
  RegSetValueExW(k, widen(key).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(k);
}

void quitByMenu(Process& p, HWND main) {
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(1, 0), 0);
  check(p.waitExit(15000), "終了 ends the program");
}

void writeTitleShowsArea(DWORD title, const std::string& area) {
  writeInt("OPTION", "TITLE", title);
  writeInt(area, "RUG", 0);
  writeInt(area, "D_24HOUR", 0);
}

void writeText(const std::string& section, const std::string& key, const std::string& value) {
  HKEY k = createSection(section);
  const std::wstring w = widen(value);
  RegSetValueExW(k, widen(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(w.c_str()),
                 static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(k);
}

// ---- screenshots ----

ScreenPixels captureScreen(int left, int top, int width, int height) {
  ScreenPixels out;
  if (width <= 0 || height <= 0) return out;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bmp != nullptr) {
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, width, height, screen, left, top, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits);
    out.width = width;
    out.height = height;
    out.px.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (size_t i = 0; i < out.px.size(); ++i) out.px[i] = p[i] & 0xFFFFFF;
    SelectObject(mem, old);
    DeleteObject(bmp);
  }
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return out;
}

ClientPixels captureClient(HWND h) {
  RECT rc;
  if (!GetClientRect(h, &rc) || rc.right <= 0 || rc.bottom <= 0) return {};
  POINT origin{0, 0};
  ClientToScreen(h, &origin);
  return captureScreen(origin.x, origin.y, rc.right, rc.bottom);
}

void screenshot(const Context& ctx, HWND h, const std::string& name) {
  const RECT r = windowRect(h);
  const ScreenPixels shot = captureScreen(r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (shot.px.empty()) return;
  // A 24-bit bottom-up BMP, rows padded to four bytes.
  const DWORD stride = ((static_cast<DWORD>(shot.width) * 3 + 3) & ~3u);
  const DWORD imageSize = stride * static_cast<DWORD>(shot.height);
  std::vector<uint8_t> image(imageSize, 0);
  for (int y = 0; y < shot.height; ++y) {
    uint8_t* row = image.data() + static_cast<size_t>(shot.height - 1 - y) * stride;
    for (int x = 0; x < shot.width; ++x) {
      const uint32_t c = shot.at(x, y);
      row[3 * x] = static_cast<uint8_t>(ScreenPixels::b(c));
      row[3 * x + 1] = static_cast<uint8_t>(ScreenPixels::g(c));
      row[3 * x + 2] = static_cast<uint8_t>(ScreenPixels::r(c));
    }
  }
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof ih;
  ih.biWidth = shot.width;
  ih.biHeight = shot.height;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  ih.biSizeImage = imageSize;
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + imageSize;
  const std::wstring path = ctx.outputDir + L"\\" + widen(name) + L".bmp";
  if (FILE* f = _wfopen(path.c_str(), L"wb")) {
    fwrite(&fh, sizeof fh, 1, f);
    fwrite(&ih, sizeof ih, 1, f);
    fwrite(image.data(), 1, image.size(), f);
    fclose(f);
    log("  screenshot: " + name);
  }
}

std::map<std::string, Scenario>& scenarios() {
  static std::map<std::string, Scenario> all;
  return all;
}

}  // namespace e2e
