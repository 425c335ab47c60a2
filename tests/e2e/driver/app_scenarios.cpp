// Start-up, keyboard rules, popup menu and settings persistence of the main window.
#include "tests/e2e/driver/harness.h"

#include <sddl.h>

namespace e2e {
namespace {

const char kPlainTitle[] = "((((( Meridexa )))))";

// Checks that a complete save is in the registry: 143 values, 132 numbers and 11 texts.
void checkCompleteSave() {
  const auto key = readProgramKey();
  int numbers = 0, texts = 0, others = 0;
  for (const auto& section : key)
    for (const auto& v : section.second) {
      if (v.second.type == REG_DWORD)
        ++numbers;
      else if (v.second.type == REG_SZ)
        ++texts;
      else
        ++others;
    }
  check(key.size() == 10, "ten sections saved (got " + std::to_string(key.size()) + ")");
  check(numbers == 132 && texts == 11 && others == 0,
        "143 values: 132 numbers and 11 texts (got " + std::to_string(numbers) + " and " + std::to_string(texts) + ")");
  check(key.at("AREA1").at("COUNTRY").text == "東京", "AREA1 COUNTRY is 東京");
  check(key.at("AREA5").at("COUNTRY").text == "ｹｰﾌﾟﾀｳﾝ(南ｱﾌﾘｶ)", "AREA5 COUNTRY keeps its half-width katakana");
  check(key.at("AREA1").count("ﾏｰｼﾞﾝ2X") == 1 && static_cast<int32_t>(key.at("AREA1").at("ﾏｰｼﾞﾝ2X").number) == -18,
        "ﾏｰｼﾞﾝ2X of AREA1 is -18");
  check(key.at("ACTION").at("WINDOW_TEXT").text == "予定の時間です", "WINDOW_TEXT default saved");
}

HWND startAndWait(const Context& ctx, Process& p) {
  HWND main = startProgram(ctx, p);
  check(waitFor([&] { return windowText(main) == kPlainTitle; }, 10000), "title reads ((((( Meridexa )))))");
  return main;
}

void firstStart(const Context& ctx) {
  deleteProgramKey();
  Process p = Process::start(ctx.program);
  HWND main = waitMainWindow(p);
  check(waitFor([&] { return windowText(main) == kPlainTitle; }, 10000), "title reads ((((( Meridexa )))))");
  const RECT r = windowRect(main);
  RECT client{};
  GetClientRect(main, &client);
  check(r.left == 107 && r.top == 102 && client.right == 578 && client.bottom == 340,
        "window at (107, 102) with the map's 578 x 340 as its client area, got " + rectText(r) + " client " +
            std::to_string(client.right) + " x " + std::to_string(client.bottom));
  check(!(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST), "window is not topmost");
  check((GetWindowLongW(main, GWL_STYLE) & WS_CAPTION) == WS_CAPTION, "window has a title bar");
  check(!programKeyExists(), "nothing is written while the program runs");
  // Let the first frames be drawn, then keep a picture for people to look at.
  Sleep(2500);
  screenshot(ctx, main, "first-start");

  quitByMenu(p, main);
  checkCompleteSave();
  const auto key = readProgramKey();
  check(key.at("SYSTEM").at("D_WINDOW_LEFT").number == 107 && key.at("SYSTEM").at("D_WINDOW_RIGHT").number == 693,
        "the window rectangle is saved");
}
Register r1("app.first_start", firstStart);

void pumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// An elevated first copy, as Windows shows it to a copy started without elevation: the mutex
// exists but its default security grants this user nothing, so CreateMutex fails with
// ERROR_ACCESS_DENIED. The driver stands in for that copy: a mutex whose DACL grants nothing,
// and a minimised window of its own published where the program publishes its main window.
void elevatedFirstCopy(const Context& ctx) {
  deleteProgramKey();
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, FALSE};
  ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:", SDDL_REVISION_1, &sa.lpSecurityDescriptor, nullptr);
  HANDLE mutex = CreateMutexW(&sa, FALSE, L"MERIDEXA");
  LocalFree(sa.lpSecurityDescriptor);
  HANDLE again = CreateMutexW(nullptr, FALSE, L"MERIDEXA");
  check(!again && GetLastError() == ERROR_ACCESS_DENIED, "a mutex out of reach answers ERROR_ACCESS_DENIED");
  HWND stand = CreateWindowExW(0, L"STATIC", L"elevated copy", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 200,
                               nullptr, nullptr, nullptr, nullptr);
  ShowWindow(stand, SW_MINIMIZE);
  HANDLE slot = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 8, L"MERIDEXA.MainWindow");
  auto* view = static_cast<uint64_t*>(MapViewOfFile(slot, FILE_MAP_WRITE, 0, 0, 8));
  *view = reinterpret_cast<uintptr_t>(stand);
  pumpMessages();

  Process second = Process::start(ctx.program);
  check(waitFor([&] { pumpMessages(); return !second.running(); }, 15000), "the copy ends at once beside an elevated one");
  check(topWindows(second.id()).empty() && !programKeyExists(), "showing no window and touching no settings");
  check(waitFor([&] { pumpMessages(); return !IsIconic(stand); }, 5000), "the elevated copy's window is restored");
  UnmapViewOfFile(view);
  CloseHandle(slot);
  DestroyWindow(stand);
  CloseHandle(mutex);
}

void secondCopy(const Context& ctx) {
  deleteProgramKey();
  Process first;
  HWND main = startAndWait(ctx, first);
  // Windows' foreground rule in both copies: the running one, in the background, may not take
  // the foreground itself; the one the user starts may.
  installForegroundProbe(first);
  ShowWindow(main, SW_MINIMIZE);
  check(waitFor([&] { return IsIconic(main) != FALSE; }, 5000), "the first copy's window is minimised");
  // The driver stands in for Explorer: its window is in front when it starts the second copy.
  HWND starter = CreateWindowExW(0, L"STATIC", L"starter", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(starter);
  check(waitFor([&] { pumpMessages(); return GetForegroundWindow() == starter; }, 5000), "the starter is in front");
  Process second = Process::startHeld(ctx.program);
  installForegroundProbe(second);
  second.release();
  check(waitFor([&] { pumpMessages(); return !second.running(); }, 15000), "the second copy ends at once");
  check(topWindows(second.id()).empty(), "the second copy showed no window");
  check(!programKeyExists(), "the second copy did not touch the registry");
  check(first.running() && IsWindow(main), "the first copy keeps running");
  check(waitFor([&] { return !IsIconic(main) && GetForegroundWindow() == main; }, 5000),
        "the first copy's window is restored and in front");
  const std::vector<ForegroundCall> calls = recordedForegroundCalls();
  check(calls.size() == 1 && calls[0].processId == second.id() && calls[0].permitted,
        "the copy the user started took the foreground, as Windows permits it to");
  DestroyWindow(starter);
  PostMessageW(main, WM_CLOSE, 0, 0);
  check(first.waitExit(15000), "the first copy closes");
  elevatedFirstCopy(ctx);
}
Register r2("app.second_copy", secondCopy);

void keysDoNotClose(const Context& ctx) {
  deleteProgramKey();
  Process p;
  HWND main = startAndWait(ctx, p);
  PostMessageW(main, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  PostMessageW(main, WM_KEYUP, VK_RETURN, 0xC01C0001);
  PostMessageW(main, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageW(main, WM_KEYUP, VK_ESCAPE, 0xC0010001);
  // Each key beeps for a second; the window must still be there after both.
  check(!waitFor([&] { return !p.running(); }, 4000), "Enter and Esc do not end the program");
  check(IsWindowVisible(main), "the main window is still shown");
  PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
  check(p.waitExit(15000), "the close box ends the program");
  checkCompleteSave();
}
Register r3("app.keys_do_not_close", keysDoNotClose);

void popupMenu(const Context& ctx) {
  deleteProgramKey();
  Process p;
  HWND main = startAndWait(ctx, p);
  bringToFront(main);
  pressKeys({VK_SHIFT, VK_F10});
  HWND popup = waitPopupMenu();
  const auto items = probePopupMenu(p);
  std::string listing;
  for (const auto& i : items)
    listing += std::string(static_cast<size_t>(i.depth) * 2, ' ') + (i.separator ? "----" : i.text) + " " +
               std::to_string(i.id) + (i.grayed ? " (greyed)" : "") + "\n";
  log(listing);
  auto is = [&](size_t n, int depth, const char* text, UINT id) {
    return n < items.size() && items[n].depth == depth && items[n].text == text && items[n].id == id;
  };
  check(items.size() == 11, "eleven items in the popup and its submenus");
  check(is(0, 0, "ﾒﾆｭｰ", items[0].id) && is(1, 1, "ﾀｲﾏｰｱｸｼｮﾝ", 32772) && is(2, 1, "ｺｰﾙﾘｾｯﾄ", 32795),
        "ﾒﾆｭｰ: ﾀｲﾏｰｱｸｼｮﾝ (32772), ｺｰﾙﾘｾｯﾄ (32795)");
  check(!items[1].grayed && items[2].grayed, "ｺｰﾙﾘｾｯﾄ is greyed while no call is pending, ﾀｲﾏｰｱｸｼｮﾝ is not");
  check(is(3, 0, "設定", items[3].id) && is(4, 1, "AREA設定", 32788) && is(5, 1, "ｵﾌﾟｼｮﾝ", 32789) &&
            items[6].separator && is(7, 1, "日本標準時設定", 32799),
        "設定: AREA設定 (32788), ｵﾌﾟｼｮﾝ (32789), separator, 日本標準時設定 (32799)");
  check(is(8, 0, "ﾊﾞｰｼﾞｮﾝ情報", 32793) && is(9, 0, "ﾍﾙﾌﾟ", 57667) && is(10, 0, "終了", 1),
        "ﾊﾞｰｼﾞｮﾝ情報 (32793), ﾍﾙﾌﾟ (57667), 終了 (1)");
  POINT corner{5, 5};
  ClientToScreen(main, &corner);
  const RECT pr = windowRect(popup);
  check(std::abs(pr.left - corner.x) <= 4 && std::abs(pr.top - corner.y) <= 4,
        "the popup opens at the client corner + (5, 5): " + rectText(pr));
  screenshot(ctx, main, "popup-menu");
  pressKeys({VK_ESCAPE});
  check(waitFor([&] { return !IsWindowVisible(popup); }, 5000), "Esc closes the popup");
  check(p.running(), "and the program runs on");
  quitByMenu(p, main);
}
Register r4("app.popup_menu", popupMenu);

void storedSettings(const Context& ctx) {
  deleteProgramKey();
  writeInt("SYSTEM", "D_WINDOW_LEFT", 40);
  writeInt("SYSTEM", "D_WINDOW_TOP", 30);
  writeInt("SYSTEM", "D_WINDOW_RIGHT", 40 + 700);
  writeInt("SYSTEM", "D_WINDOW_BOTTOM", 30 + 420);
  writeInt("OPTION", "INTERVAL", 2);
  writeText("AREA3", "COUNTRY", "ﾊﾟﾘ");
  writeInt("AREA3", "RUG", 9);
  Process p;
  HWND main = startAndWait(ctx, p);
  const RECT r = windowRect(main);
  check(r.left == 40 && r.top == 30 && r.right - r.left == 700 && r.bottom - r.top == 420,
        "the stored rectangle is used: " + rectText(r));
  ShowWindow(main, SW_MINIMIZE);
  check(waitFor([&] { return IsIconic(main) != FALSE; }, 5000), "minimised");
  PostMessageW(main, WM_CLOSE, 0, 0);
  check(p.waitExit(15000), "closed while minimised");
  const auto key = readProgramKey();
  check(key.at("SYSTEM").at("D_WINDOW_LEFT").number == 40 && key.at("SYSTEM").at("D_WINDOW_TOP").number == 30 &&
            key.at("SYSTEM").at("D_WINDOW_RIGHT").number == 740 && key.at("SYSTEM").at("D_WINDOW_BOTTOM").number == 450,
        "a minimised window saves its normal rectangle");
  check(key.at("OPTION").at("INTERVAL").number == 2, "stored INTERVAL 2 kept as it is");
  check(key.at("AREA3").at("COUNTRY").text == "ﾊﾟﾘ" && key.at("AREA3").at("RUG").number == 9,
        "stored AREA3 values kept as they are");
}
Register r5("app.stored_settings", storedSettings);

void aboutBox(const Context& ctx) {
  deleteProgramKey();
  Process p;
  HWND main = startAndWait(ctx, p);
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(32793, 0), 0);
  HWND about = waitDialog(p, "ﾊﾞｰｼﾞｮﾝ情報");
  bool hasVersion = false, hasIcon = false;
  for (HWND c = GetWindow(about, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (windowText(c) == "Meridexa Version 1.50") hasVersion = true;
    if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) hasIcon = true;
  }
  check(hasVersion, "the about box shows Meridexa Version 1.50");
  check(hasIcon, "the about box shows the application icon");
  check(windowText(GetDlgItem(about, IDOK)) == "OK", "with an OK button");
  check(!IsWindowEnabled(main), "the main window waits while the about box is open");
  screenshot(ctx, about, "about-box");
  // Blank the title; only the refresh that closing the box asks for brings it back
  // within the same minute.
  SetWindowTextW(main, L"");
  PostMessageW(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  check(waitFor([&] { return !IsWindow(about); }, 5000), "OK closes the about box");
  check(waitFor([&] { return windowText(main) == kPlainTitle; }, 5000), "the title is rebuilt at the next tick");
  check(IsWindowEnabled(main), "the main window is usable again");
  quitByMenu(p, main);
}
Register r6("app.about_box", aboutBox);

}  // namespace
}  // namespace e2e
