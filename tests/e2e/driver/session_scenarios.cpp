// The end of the Windows session while the program runs, and the keys that beep.
#include "tests/e2e/driver/harness.h"

namespace e2e {
namespace {

constexpr UINT kOptionsCommand = 32789;
constexpr int kOptUserChime = 1216, kOptMinute = 1260;

// Counts the stored values by type: 132 numbers and 11 texts make a complete save.
void checkComplete143() {
  const auto key = readProgramKey();
  int numbers = 0, texts = 0, others = 0;
  for (const auto& section : key)
    for (const auto& v : section.second) {
      if (v.second.type == REG_DWORD && v.second.bytes.size() == 4)
        ++numbers;
      else if (v.second.type == REG_SZ)
        ++texts;
      else
        ++others;
    }
  check(key.size() == 10 && numbers == 132 && texts == 11 && others == 0,
        "143 values in ten sections: 132 numbers and 11 texts (got " + std::to_string(key.size()) + " sections, " +
            std::to_string(numbers) + " numbers, " + std::to_string(texts) + " texts, " + std::to_string(others) +
            " others)");
}

// A change made in the options dialog, then the session ends: everything is stored.
void sessionEndSaves(const Context& ctx) {
  deleteProgramKey();
  Process p;
  HWND main = startProgram(ctx, p);

  // A cancelled end first: the question is answered yes, the cancellation writes nothing.
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
  check(answer == TRUE, "the query of the session end is answered TRUE");
  SendMessageTimeoutW(main, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
  check(!programKeyExists() && p.running(), "a cancelled session end stores nothing and the program runs on");

  PostMessageW(main, WM_COMMAND, MAKEWPARAM(kOptionsCommand, 0), 0);
  HWND dlg = waitDialog(p, "オプション");
  SendMessageW(GetDlgItem(dlg, kOptUserChime), BM_CLICK, 0, 0);
  SendMessageW(GetDlgItem(dlg, kOptMinute), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"45"));
  PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  check(waitFor([&] { return !IsWindow(dlg); }, 5000), "the options dialog closes with OK");
  SetWindowPos(main, nullptr, 60, 50, 600, 380, SWP_NOZORDER | SWP_NOACTIVATE);
  check(waitFor([&] { return windowRect(main).left == 60; }, 5000), "the window was moved");
  check(!programKeyExists(), "nothing stored while the program runs");

  // The session ends as when Windows logs off or shuts down; Wine ends the process after it.
  const DWORD rc = runAndWait(L"wineboot.exe --end-session --shutdown", 60000);
  log("  wineboot --end-session --shutdown returned " + std::to_string(rc));
  check(p.waitExit(20000), "the program has ended with the session");
  checkComplete143();
  const auto key = readProgramKey();
  check(key.at("ACTION").at("USERJIHOU").number == 1 && key.at("ACTION").at("USERMAIFUN").number == 45,
        "the options dialog's change just before is stored (USERJIHOU 1, USERMAIFUN 45)");
  check(key.at("SYSTEM").at("D_WINDOW_LEFT").number == 60 && key.at("SYSTEM").at("D_WINDOW_TOP").number == 50 &&
            key.at("SYSTEM").at("D_WINDOW_RIGHT").number == 660 && key.at("SYSTEM").at("D_WINDOW_BOTTOM").number == 430,
        "the window's place is stored");
}
Register r1("app.session_end_saves", sessionEndSaves);

void key(WORD vk, bool down) {
  INPUT i{};
  i.type = INPUT_KEYBOARD;
  i.ki.wVk = vk;
  i.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &i, sizeof i);
  Sleep(100);
}

// The context-menu key beeps like other keys and still opens the popup; Shift+F10 does not beep.
void menuKeyBeeps(const Context& ctx) {
  deleteProgramKey();
  Process p;
  HWND main = startProgram(ctx, p);
  installBeepProbe(p);
  bringToFront(main);

  // Shift's own key-down is an ordinary key and beeps; F10 with it held opens the popup.
  key(VK_SHIFT, true);
  check(waitFor([] { return recordedBeeps().size() == 1; }, 5000), "the Shift key-down beeps");
  key(VK_F10, true);
  key(VK_F10, false);
  key(VK_SHIFT, false);
  HWND popup = waitPopupMenu();
  pressKeys({VK_ESCAPE});
  check(waitFor([&] { return !IsWindowVisible(popup); }, 5000), "Esc closes the popup of Shift+F10");
  Sleep(300);
  check(recordedBeeps().size() == 1, "F10 with Shift held opens the popup without a beep");
  DeleteFileW(L"C:\\beep-log.txt");  // a fresh log

  bringToFront(main);
  pressKeys({VK_APPS});
  popup = waitPopupMenu();
  POINT corner{5, 5};
  ClientToScreen(main, &corner);
  const RECT pr = windowRect(popup);
  check(std::abs(pr.left - corner.x) <= 4 && std::abs(pr.top - corner.y) <= 4,
        "the context-menu key opens the popup at the client corner + (5, 5): " + rectText(pr));
  const auto beeps = recordedBeeps();
  check(beeps.size() == 1 && beeps[0].first == 570 && beeps[0].second == 1000,
        "the context-menu key beeps once at 570 Hz for 1000 ms (" + std::to_string(beeps.size()) + " beeps)");
  pressKeys({VK_ESCAPE});
  check(waitFor([&] { return !IsWindowVisible(popup); }, 5000), "Esc closes the popup");

  // An ordinary key beeps the same way (and the Esc inside the menu did not).
  bringToFront(main);
  pressKeys({'A'});
  check(waitFor([] { return recordedBeeps().size() == 2; }, 5000), "an ordinary key beeps too");
  check(recordedBeeps().back() == std::make_pair(DWORD{570}, DWORD{1000}), "at 570 Hz for 1000 ms");
  quitByMenu(p, main);
}
Register r2("app.menu_key_beeps", menuKeyBeeps);

}  // namespace
}  // namespace e2e
