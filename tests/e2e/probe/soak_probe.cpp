// mdxsoakprobe.dll: loaded by the test driver into meridexa.exe's process for the soak. It
// records, with the program's own local time, every title the program writes, every sound it
// asks for (the chime through Play_Snd, files through PlaySoundW, MIDI through mciSendStringW)
// and every program it starts, each passed on to the real call. At minute 15 of every hour it
// also records the process's private bytes and its kernel, GDI and USER object counts.
// Lines go to C:\soak-log.txt: "<yyyy-mm-dd hh:mm:ss>\t<kind>\t<detail>".
#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>

#include "tests/e2e/probe/iat_patch.h"

namespace {

using SetWindowTextFn = BOOL(WINAPI*)(HWND, LPCWSTR);
using ClockReadFn = void(WINAPI*)(LPFILETIME);
using PlaySoundFn = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
using PlaySndFn = HINSTANCE (*)(int);
using MciSendStringFn = DWORD(WINAPI*)(LPCWSTR, LPWSTR, UINT, HWND);
using CreateProcessFn = BOOL(WINAPI*)(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD,
                                      LPVOID, LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION);

SetWindowTextFn realSetWindowText;
ClockReadFn realClockRead;
PlaySoundFn realPlaySound;
PlaySndFn realPlaySnd;
MciSendStringFn realMciSendString;
CreateProcessFn realCreateProcess;
int lastHour = -1;

std::string utf8(const wchar_t* w) {
  if (!w) return "(null)";
  const int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
  std::string s(n > 0 ? static_cast<size_t>(n - 1) : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, w, -1, s.data(), n, nullptr, nullptr);
  return s;
}

void record(const char* kind, const std::string& detail, const SYSTEMTIME& t) {
  if (FILE* f = _wfopen(L"C:\\soak-log.txt", L"ab")) {
    std::fprintf(f, "%04u-%02u-%02u %02u:%02u:%02u\t%s\t%s\n", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                 t.wSecond, kind, detail.c_str());
    std::fclose(f);
  }
}

void record(const char* kind, const std::string& detail) {
  SYSTEMTIME t;
  GetLocalTime(&t);
  record(kind, detail, t);
}

// Wine leaves PrivateUsage and the process's handle count at 0 and GetGuiResources is a stub
// there, so the probe measures for itself: private bytes as the commit charge (PagefileUsage,
// which Windows reports equal to PrivateUsage), kernel handles by asking every small handle
// value whether it is open, USER objects as the process's windows.
DWORD countOpenHandles() {
  DWORD open = 0, flags = 0;
  for (ULONG_PTR v = 4; v < 0x10000; v += 4)
    if (GetHandleInformation(reinterpret_cast<HANDLE>(v), &flags)) ++open;
  return open;
}

BOOL CALLBACK countWindow(HWND h, LPARAM lp) {
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == GetCurrentProcessId()) {
    ++*reinterpret_cast<DWORD*>(lp);
    EnumChildWindows(h, countWindow, lp);
  }
  return TRUE;
}

struct Measure {
  SYSTEMTIME at;
  SIZE_T privateBytes, workingSet;
  DWORD threads;
};

// The program's threads: each holds a committed stack of about 1 MiB, and the sound threads of
// the chimes live for the sound's real length, which is over a simulated hour at this speed.
DWORD countThreads() {
  DWORD n = 0;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snap == INVALID_HANDLE_VALUE) return 0;
  THREADENTRY32 te{};
  te.dwSize = sizeof te;
  for (BOOL more = Thread32First(snap, &te); more; more = Thread32Next(snap, &te))
    if (te.th32OwnerProcessID == GetCurrentProcessId()) ++n;
  CloseHandle(snap);
  return n;
}

// Private bytes are read on the program's thread before the counting thread exists (its stack
// would count); the slow counts follow beside the program, so the tick is not held up.
DWORD WINAPI recordResources(LPVOID arg) {
  const Measure m = *static_cast<Measure*>(arg);
  delete static_cast<Measure*>(arg);
  const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  if (user == 0) EnumWindows(countWindow, reinterpret_cast<LPARAM>(&user));
  // private bytes, kernel handles (less this thread's own), GDI objects, USER objects, working set
  const DWORD handles = countOpenHandles();
  const std::string line = std::to_string(m.privateBytes) + "\t" + std::to_string(handles > 0 ? handles - 1 : 0) +
                           "\t" + std::to_string(gdi) + "\t" + std::to_string(user) + "\t" +
                           std::to_string(m.workingSet) + "\t" + std::to_string(m.threads);
  record("resources", line, m.at);
  return 0;
}

void startMeasuring(const SYSTEMTIME& t) {
  PROCESS_MEMORY_COUNTERS_EX pm{};
  pm.cb = sizeof pm;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pm), sizeof pm);
  auto* m = new Measure{t, pm.PrivateUsage ? pm.PrivateUsage : pm.PagefileUsage, pm.WorkingSetSize, countThreads()};
  if (HANDLE th = CreateThread(nullptr, 0, recordResources, m, 0, nullptr)) CloseHandle(th);
}

BOOL WINAPI onSetWindowText(HWND h, LPCWSTR text) {
  // The time is taken before the write: under an accelerated clock the write itself lasts
  // simulated seconds.
  SYSTEMTIME t;
  GetLocalTime(&t);
  const BOOL ok = realSetWindowText(h, text);
  if (text && *text) {
    record("title", utf8(text), t);
    // Once an hour at minute 15, away from the chimes' playback at 00 and 30.
    if (t.wMinute == 15 && t.wHour != lastHour) {
      lastHour = t.wHour;
      startMeasuring(t);
    }
  }
  return ok;
}

// The program reads the PC clock at every tick. One line per minute in which it did so tells
// the judge which minutes the program ran in at all: at hundreds of times the real speed, a
// minute in which the machine never scheduled the process has no tick and so no title.
long lastClockMinute = -1;
void WINAPI onClockRead(LPFILETIME ft) {
  realClockRead(ft);
  FILETIME local;
  SYSTEMTIME t;
  if (!FileTimeToLocalFileTime(ft, &local) || !FileTimeToSystemTime(&local, &t)) return;
  const long minute = ((static_cast<long>(t.wMonth) * 31 + t.wDay) * 24 + t.wHour) * 60 + t.wMinute;
  if (minute == lastClockMinute) return;
  lastClockMinute = minute;
  record("clock", "", t);
}

BOOL WINAPI onPlaySound(LPCWSTR sound, HMODULE module, DWORD flags) {
  record("playsound", utf8(sound));
  return realPlaySound(sound, module, flags);
}

HINSTANCE onPlaySnd(int n) {
  record("play_snd", std::to_string(n));
  return realPlaySnd(n);
}

DWORD WINAPI onMciSendString(LPCWSTR command, LPWSTR ret, UINT len, HWND cb) {
  record("mci", utf8(command));
  return realMciSendString(command, ret, len, cb);
}

BOOL WINAPI onCreateProcess(LPCWSTR app, LPWSTR cmd, LPSECURITY_ATTRIBUTES pa, LPSECURITY_ATTRIBUTES ta, BOOL inherit,
                            DWORD flags, LPVOID env, LPCWSTR dir, LPSTARTUPINFOW si, LPPROCESS_INFORMATION pi) {
  record("launch", utf8(cmd));
  return realCreateProcess(app, cmd, pa, ta, inherit, flags, env, dir, si, pi);
}

template <class Fn>
void hook(const char* name, Fn replacement, Fn& original, int& count) {
  original = reinterpret_cast<Fn>(probe::patchImport(name, reinterpret_cast<void*>(replacement)));
  if (original) ++count;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    int hooked = 0;
    hook("SetWindowTextW", &onSetWindowText, realSetWindowText, hooked);
    hook("GetSystemTimePreciseAsFileTime", &onClockRead, realClockRead, hooked);
    hook("PlaySoundW", &onPlaySound, realPlaySound, hooked);
    hook("Play_Snd", &onPlaySnd, realPlaySnd, hooked);
    hook("mciSendStringW", &onMciSendString, realMciSendString, hooked);
    hook("CreateProcessW", &onCreateProcess, realCreateProcess, hooked);
    record("probe", std::to_string(hooked));
  }
  return TRUE;
}
