// The program at 125, 150 and 200 % scaling: the Wine prefix's LogPixels, read by each process
// as it starts, stands for the monitor's DPI (the program declares per-monitor awareness, so
// every pixel size it sets is its own to scale).
#include "tests/e2e/driver/harness.h"

#include <commctrl.h>
#include <prsht.h>

#include <cmath>
#include <cstdio>

namespace e2e {
namespace {

void setLogPixels(DWORD dpi) {
  HKEY k = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr);
  RegSetValueExW(k, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
  RegCloseKey(k);
}

// Opens each dialog of the popup menu in turn, keeps a picture of it and closes it.
void screenshotEveryDialog(const Context& ctx, const Process& p, HWND main, const std::string& suffix) {
  const struct {
    UINT command;
    const char* title;
    const char* name;
    WPARAM close;
  } dialogs[] = {{32772, "タイマーアクションの設定", "timer-action", IDCANCEL},
                 {32788, "AREA設定", "area-sheet", IDCANCEL},
                 {32789, "オプション", "options", IDCANCEL},
                 {32799, "日本標準時設定", "time-server", IDCANCEL},
                 {32793, "ﾊﾞｰｼﾞｮﾝ情報", "about", IDOK}};
  for (const auto& d : dialogs) {
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(d.command, 0), 0);
    HWND dlg = waitDialog(p, d.title);
    Sleep(1300);  // the live clock (a one-second timer) and the icon animation draw once
    screenshot(ctx, dlg, std::string(d.name) + "-" + suffix);
    if (d.command == 32788) {  // the sheet's last page too: the zone list
      PostMessageW(dlg, PSM_SETCURSEL, 7, 0);
      HWND tabs = reinterpret_cast<HWND>(SendMessageW(dlg, PSM_GETTABCONTROL, 0, 0));
      check(waitFor([&] { return SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == 7; }, 5000), "the zone page opens");
      Sleep(700);
      screenshot(ctx, dlg, "zone-page-" + suffix);
    }
    PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(d.close, BN_CLICKED), 0);
    check(waitFor([&] { return !IsWindow(dlg); }, 5000), std::string(d.title) + " closes");
  }
}

void everyDpi(const Context& ctx) {
  for (const DWORD dpi : {120u, 144u, 192u}) {
    const std::string percent = std::to_string(dpi * 100 / 96);
    log("at " + percent + " %");
    setLogPixels(dpi);
    deleteProgramKey();
    Process p = Process::start(ctx.program);
    HWND main = waitMainWindow(p);
    check(waitFor([&] { return !windowText(main).empty(); }, 10000), "the main window has its title");
    RECT client{};
    GetClientRect(main, &client);
    const double factor = dpi / 96.0;
    check(std::abs(client.right - 578 * factor) <= 2 && std::abs(client.bottom - 340 * factor) <= 2,
          "the default client area is the map times " + std::to_string(factor) + ": " + std::to_string(client.right) +
              " x " + std::to_string(client.bottom));
    if (dpi == 120) {
      // Moved to a 200 % monitor: Windows suggests a rectangle, the window takes it.
      const RECT suggested{60, 50, 60 + 1180, 50 + 720};
      if (FILE* f = _wfopen(L"C:\\dpi-change.txt", L"wb")) {
        std::fprintf(f, "192 %ld %ld %ld %ld\n", suggested.left, suggested.top, suggested.right, suggested.bottom);
        std::fclose(f);
      }
      DeleteFileW(L"C:\\dpi-probe.txt");
      injectLibrary(p, L"C:\\mdxdpiprobe.dll");
      check(waitFor([] { return GetFileAttributesW(L"C:\\dpi-probe.txt") != INVALID_FILE_ATTRIBUTES; }, 10000),
            "WM_DPICHANGED was sent");
      RECT now{};
      const bool taken = waitFor([&] { now = windowRect(main); return EqualRect(&now, &suggested) != FALSE; }, 5000);
      check(taken, "WM_DPICHANGED moves the window to the suggested rectangle: " + rectText(now));
    } else {
      bringToFront(main);
      Sleep(1500);
      screenshot(ctx, main, "main-" + percent);
      screenshotEveryDialog(ctx, p, main, percent);
    }
    quitByMenu(p, main);
  }
  setLogPixels(96);
}

Register r1("display.every_dpi", everyDpi);

}  // namespace
}  // namespace e2e
