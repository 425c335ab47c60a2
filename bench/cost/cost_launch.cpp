// mdxcost: starts meridexa.exe for an idle-cost measurement and reports how long the start
// took, then leaves the program running for the measurement.
//   mdxcost <meridexa.exe> <INTERVAL> <client width> <client height> [<D_TAIYOU>]
//   (0 0: the default size; D_TAIYOU 1: the true sky, written only when asked for)
// Prints key=value lines: window_ms, title_ms (first non-empty title), picture_ms (the map
// first covers the client area), frame_ms (the first composed frame: AREA boxes on the map),
// all from the call that creates the process (the launch to the first whole frame is frame_ms);
// frame_after_ms, when the last look that did not yet find the frame began (a screen read
// takes Wine 20-30 ms, so the frame came between frame_after_ms and frame_ms);
// then client=WxH after any resize.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/e2e/driver/harness.h"

namespace {

double msSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now, freq;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&freq);
  return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

// The client area as the screen shows it.
e2e::ScreenPixels captureClient(HWND h) {
  RECT rc;
  if (!GetClientRect(h, &rc) || rc.right <= 0 || rc.bottom <= 0) return {};
  POINT origin{0, 0};
  ClientToScreen(h, &origin);
  return e2e::captureScreen(origin.x, origin.y, rc.right, rc.bottom);
}

// The map covers the client area: the dialog's face colour shows nowhere on a 16 x 16 grid.
bool showsPicture(const e2e::ScreenPixels& c) {
  if (c.width < 8 || c.height < 8) return false;
  const COLORREF f = GetSysColor(COLOR_BTNFACE);
  const uint32_t face = static_cast<uint32_t>(GetRValue(f)) << 16 | static_cast<uint32_t>(GetGValue(f)) << 8 | GetBValue(f);
  for (int gy = 0; gy < 16; ++gy)
    for (int gx = 0; gx < 16; ++gx)
      if (c.at((c.width - 1) * gx / 15, (c.height - 1) * gy / 15) == face) return false;
  return true;
}

// A composed frame, not the bare map the window starts with: AREA1's red box (default
// settings) shows; the map itself holds no pure red.
bool showsComposedFrame(const e2e::ScreenPixels& c) {
  size_t red = 0;
  for (uint32_t p : c.px) red += p == 0xFF0000;
  return red >= 40;
}

HWND mainWindowOf(DWORD pid) {
  for (HWND h : e2e::topWindows(pid, L"#32770"))
    if (GetWindow(h, GW_OWNER) == nullptr) return h;
  return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 5 && argc != 6) {
    std::printf("usage: mdxcost <meridexa.exe> <INTERVAL> <client width> <client height> [<D_TAIYOU>]\n");
    return 2;
  }
  const std::wstring program = argv[1];
  const int interval = _wtoi(argv[2]), width = _wtoi(argv[3]), height = _wtoi(argv[4]);
  e2e::deleteProgramKey();  // default settings
  if (interval != 0) e2e::writeInt("OPTION", "INTERVAL", static_cast<DWORD>(interval));
  const int trueSky = argc == 6 ? _wtoi(argv[5]) : 0;
  if (trueSky != 0) e2e::writeInt("OPTION", "D_TAIYOU", static_cast<DWORD>(trueSky));

  std::wstring dir = program.substr(0, program.find_last_of(L"\\/"));
  std::wstring cmd = L"\"" + program + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(program.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi)) {
    std::printf("error=cannot start %s\n", e2e::narrow(program).c_str());
    return 1;
  }
  double windowMs = -1, titleMs = -1, pictureMs = -1, frameMs = -1, frameAfterMs = -1;
  HWND main = nullptr;
  while (msSince(start) < 30000 && (frameMs < 0 || titleMs < 0)) {
    double looked = msSince(start);  // when this round began to look for the frame
    if (!main) {
      main = mainWindowOf(pi.dwProcessId);
      if (main) windowMs = msSince(start);
    }
    if (main && titleMs < 0 && GetWindowTextLengthW(main) > 0) titleMs = msSince(start);
    if (main && frameMs < 0) {
      const double at = msSince(start);  // the moment the screen was read
      const e2e::ScreenPixels shot = captureClient(main);
      if (pictureMs < 0 && showsPicture(shot)) pictureMs = at;
      if (showsPicture(shot) && showsComposedFrame(shot)) frameMs = at;
      looked = at;
    }
    if (frameMs < 0) frameAfterMs = looked;
    Sleep(2);
  }
  std::printf("window_ms=%.0f\ntitle_ms=%.0f\npicture_ms=%.0f\nframe_ms=%.0f\nframe_after_ms=%.0f\n", windowMs, titleMs,
              pictureMs, frameMs, frameAfterMs);

  if (main && width > 0 && height > 0) {
    RECT want{0, 0, width, height};
    AdjustWindowRectEx(&want, static_cast<DWORD>(GetWindowLongW(main, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(main, GWL_EXSTYLE)));
    SetWindowPos(main, nullptr, 0, 0, want.right - want.left, want.bottom - want.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT rc{};
    e2e::waitFor([&] { return GetClientRect(main, &rc) && rc.right == width && rc.bottom == height; }, 5000);
  }
  RECT rc{};
  if (main) GetClientRect(main, &rc);
  std::printf("client=%ldx%ld\n", rc.right, rc.bottom);
  std::fflush(stdout);
  // The program keeps running; the measurement ends it with its Wine prefix.
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return main ? 0 : 1;
}
