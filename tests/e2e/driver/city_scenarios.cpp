// Choosing a city on the AREA sheet's eighth page "都市とタイムゾーン", with the keyboard only:
// Tab to AREA2's "都市…", Enter, type ニューヨーク, Enter, and the sheet's OK store the city's
// name, Windows zone and place, and the map shows the dial there. Esc in the picker changes
// nothing.
#include "tests/e2e/driver/harness.h"
#include "tests/e2e/driver/zone_page_controls.h"

#include <commctrl.h>
#include <oleacc.h>
#include <prsht.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "display/map_projection.h"
#include "settings_ui/city_table.h"

namespace e2e {
namespace {

constexpr int kSearchId = 1451, kCityListId = 1453;
// AREA2's page: place name, time difference, position X and Y.
constexpr int kArea2Name = 1052, kArea2Rug = 1053, kArea2X = 1054, kArea2Y = 1055;

std::string itemText(HWND dlg, int id) { return windowText(GetDlgItem(dlg, id)); }

HWND currentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

HWND focusOf(HWND w) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &info) ? info.hwndFocus : nullptr;
}

// Types text as a user's input method delivers it: one character after the other.
void typeText(const std::string& utf8) {
  for (wchar_t c : widen(utf8)) {
    INPUT in[2]{};
    for (INPUT& i : in) {
      i.type = INPUT_KEYBOARD;
      i.ki.wScan = c;
      i.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    Sleep(20);
  }
}

std::string selectedListEntry(HWND list) {
  const LRESULT sel = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (sel == LB_ERR) return "<none>";
  std::wstring w(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0)) + 1, L'\0');
  SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(w.data()));
  return narrow(w.c_str());
}

// What a screen reader hears as the control's name (Microsoft Active Accessibility).
std::string accessibleName(HWND control) {
  IAccessible* acc = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&acc))))
    return "<none>";
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::string out = "<none>";
  if (SUCCEEDED(acc->get_accName(self, &name)) && name) {
    out = narrow(name);
    SysFreeString(name);
  }
  acc->Release();
  return out;
}

const mdx::CityRow& cityByZone(const char* iana) {
  for (size_t i = 0; i < mdx::kCityCount; ++i)
    if (std::string(mdx::kCityTable[i].ianaZone) == iana) return mdx::kCityTable[i];
  throw Failure{std::string("no city of ") + iana};
}

// Opens row n's picker with its 都市… button and types `typed`, which must leave one city listed.
HWND pickerWithOneMatch(const Process& p, HWND page, int n, const std::string& typed, const std::string& found) {
  PostMessageW(GetDlgItem(page, cityButtonId(n)), BM_CLICK, 0, 0);
  HWND picker = waitDialog(p, "都市を選ぶ");
  bringToFront(picker);
  typeText(typed);
  check(waitFor([&] { return SendMessageW(GetDlgItem(picker, kCityListId), LB_GETCOUNT, 0, 0) == 1; }, 5000), found);
  return picker;
}

void pickNewYorkByKeyboard(const Context& ctx) {
  deleteProgramKey();
  Process p = Process::start(ctx.program);
  HWND main = waitMainWindow(p);
  check(waitFor([&] { return !windowText(main).empty(); }, 10000), "the main window has its title");
  installAccessibleNameProbe(p);
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(kAreaSettingsCommand, 0), 0);
  HWND sheet = waitDialog(p, "AREA設定");
  check(waitFor([&] { return currentPage(sheet) != nullptr; }, 5000), "the sheet shows a page");
  // Keyboard only from here: Ctrl+Tab to the eighth page.
  bringToFront(sheet);
  HWND tab = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
  for (int i = 0; i < 8 && SendMessageW(tab, TCM_GETCURSEL, 0, 0) != kZonePageIndex; ++i) {
    pressKeys({VK_CONTROL, VK_TAB});
    waitFor([&] { return false; }, 150);
  }
  check(waitFor([&] { return SendMessageW(tab, TCM_GETCURSEL, 0, 0) == kZonePageIndex; }, 5000), "the eighth page");
  // Windows leaves the focus on the page tabs after Ctrl+Tab; Wine leaves it in the hidden
  // page, so the driver puts it where Windows does.
  if (focusOf(sheet) != tab) {
    const DWORD self = GetCurrentThreadId(), target = GetWindowThreadProcessId(sheet, nullptr);
    AttachThreadInput(self, target, TRUE);
    SetFocus(tab);
    AttachThreadInput(self, target, FALSE);
  }
  HWND page = currentPage(sheet);
  check(windowText(page) == "都市とタイムゾーン", "the eighth page is 都市とタイムゾーン: " + windowText(page));
  // The screen's DPI (Wine gives every window the same): the zone lists open 360 pixels at 96 DPI wide.
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  for (int n = 1; n <= 7; ++n) {
    check(itemText(page, cityButtonId(n)) == "都市…", "row " + std::to_string(n) + " has 都市…");
    const LRESULT dropped = SendMessageW(GetDlgItem(page, listId(n)), CB_GETDROPPEDWIDTH, 0, 0);
    check(dropped == MulDiv(360, dpi, 96), "row " + std::to_string(n) + "'s list drops down " +
                                               std::to_string(dropped) + " px wide at " + std::to_string(dpi) + " DPI");
  }

  // Each row's button and list are named after the row for screen readers (as Windows keeps
  // them; Wine's own answer is logged beside).
  const auto names = recordedAccessibleNames();
  for (int n = 1; n <= 7; ++n) {
    const std::string area = "AREA" + std::to_string(n);
    const auto named = [&](int id, const std::string& name) {
      return std::find(names.begin(), names.end(), std::make_pair(id, name)) != names.end();
    };
    check(named(cityButtonId(n), area + " 都市…") && named(listId(n), area + " タイムゾーン"),
          area + "'s button and list are named after the row");
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  log("  Wine's accessibility names row 2's button \"" + accessibleName(GetDlgItem(page, cityButtonId(2))) +
      "\" and its list \"" + accessibleName(GetDlgItem(page, listId(2))) + "\"");
  // Tab until AREA2's button has the focus; Enter opens the picker.
  HWND button = GetDlgItem(page, cityButtonId(2));
  for (int i = 0; i < 12 && focusOf(sheet) != button; ++i) {
    pressKeys({VK_TAB});
    waitFor([&] { return false; }, 100);
  }
  check(focusOf(sheet) == button, "Tab reaches AREA2's 都市…");
  pressKeys({VK_RETURN});
  HWND picker = waitDialog(p, "都市を選ぶ");
  HWND list = GetDlgItem(picker, kCityListId);
  check(waitFor([&] { return focusOf(picker) == GetDlgItem(picker, kSearchId); }, 3000), "the search field has the focus");
  const LRESULT all = SendMessageW(list, LB_GETCOUNT, 0, 0);
  log("  the picker lists " + std::to_string(all) + " cities");
  check(all >= 350, "every city is listed before typing");
  int withoutZone = 0;  // entries without an offset: the PC lacks the city's zone
  for (LRESULT i = 0; i < all; ++i) {
    std::wstring w(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(w.data()));
    if (w.find(L"）UTC") == std::wstring::npos) ++withoutZone;
  }
  log("  " + std::to_string(withoutZone) + " of them without a Windows zone on this PC");
  typeText("ニューヨーク");
  check(waitFor([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) == 1; }, 5000), "typing filters the list to one city");
  const std::string entry = selectedListEntry(list);
  log("  selected: " + entry);
  check(entry.rfind("ニューヨーク（アメリカ合衆国）UTC−", 0) == 0, "the first match is selected: " + entry);
  screenshot(ctx, picker, "city-picker");
  pressKeys({VK_RETURN});
  check(waitFor([&] { return !IsWindow(picker); }, 5000), "Enter takes the city");
  check(waitFor([&] { return itemText(page, countryId(2)) == "ﾆｭｰﾖｰｸ"; }, 3000),
        "row 2 names the city: " + itemText(page, countryId(2)));
  screenshot(ctx, sheet, "city-zone-page");

  // Esc in the picker changes nothing.
  picker = pickerWithOneMatch(p, page, 3, "東京", "東京 is found");
  pressKeys({VK_ESCAPE});
  check(waitFor([&] { return !IsWindow(picker); }, 5000), "Esc closes the picker");
  check(itemText(page, countryId(3)) == "ｻﾝﾊﾟｳﾛ", "and row 3 is unchanged: " + itemText(page, countryId(3)));

  // A city without a Windows zone here: name and place change, 時差 stays, the row says so.
  picker = pickerWithOneMatch(p, page, 4, "トロル", "トロル基地 is found");
  pressKeys({VK_RETURN});
  check(waitFor([&] { return !IsWindow(picker); }, 5000), "Enter takes it");
  HWND list4 = GetDlgItem(page, listId(4));
  const std::string row4 = windowText(list4);
  log("  row 4: " + itemText(page, countryId(4)) + " / " + row4);
  check(itemText(page, countryId(4)) == "ﾄﾛﾙ基地" && row4.find("時差") != std::string::npos &&
            row4 != "時差（RUG）を使う",
        "row 4 says the zone is not available: " + row4);

  // AREA2's page shows the new values when visited.
  PostMessageW(sheet, PSM_SETCURSEL, 1, 0);
  check(waitFor([&] { return SendMessageW(tab, TCM_GETCURSEL, 0, 0) == 1; }, 5000), "AREA2's page");
  HWND area2 = currentPage(sheet);
  const mdx::CityRow& ny = cityByZone("America/New_York");
  const mdx::MapPoint at = mdx::mapPointOf(ny.latitude, ny.longitude);
  const double wantX = at.x - 20, wantY = at.y - 18;
  log("  AREA2 page: " + itemText(area2, kArea2Name) + " RUG " + itemText(area2, kArea2Rug) + " at " +
      itemText(area2, kArea2X) + "," + itemText(area2, kArea2Y));
  check(itemText(area2, kArea2Name) == "ﾆｭｰﾖｰｸ", "AREA2's page shows the name");
  check(std::abs(std::atoi(itemText(area2, kArea2X).c_str()) - wantX) <= 2 &&
            std::abs(std::atoi(itemText(area2, kArea2Y).c_str()) - wantY) <= 2,
        "AREA2's page shows the position");
  PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  check(waitFor([&] { return !IsWindow(sheet); }, 5000), "OK closes the sheet");

  // The map shows the dial on New York: its centre pixel (a hand's root) is black.
  Sleep(1500);  // the next composed frame
  const ClientPixels shot = captureClient(main);
  const int cx = static_cast<int>((std::floor(at.x) + 0.5) * shot.width / mdx::kMapWidth);
  const int cy = static_cast<int>((std::floor(at.y) + 0.5) * shot.height / mdx::kMapHeight);
  bool dark = false;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      const uint32_t c = shot.at(cx + dx, cy + dy);
      dark = dark || (ScreenPixels::r(c) < 60 && ScreenPixels::g(c) < 60 && ScreenPixels::b(c) < 60);
    }
  check(dark, "the dial's centre lies on New York (" + std::to_string(cx) + "," + std::to_string(cy) + ")");
  screenshot(ctx, main, "map-with-new-york");

  quitByMenu(p, main);
  auto key = readProgramKey();
  const auto& a2 = key.at("AREA2");
  check(a2.at("COUNTRY").text == "ﾆｭｰﾖｰｸ", "COUNTRY ﾆｭｰﾖｰｸ: " + a2.at("COUNTRY").text);
  check(a2.at("ZONE").text == "Eastern Standard Time", "ZONE Eastern Standard Time: " + a2.at("ZONE").text);
  const int x = static_cast<int>(a2.at("X").number), y = static_cast<int>(a2.at("Y").number);
  log("  stored X " + std::to_string(x) + ", Y " + std::to_string(y) + ", RUG " +
      std::to_string(static_cast<int>(a2.at("RUG").number)));
  check(std::abs(x - wantX) <= 2 && std::abs(y - wantY) <= 2, "X and Y within 2 px of New York's dial position");
  check(key.at("AREA3").at("COUNTRY").text == "ｻﾝﾊﾟｳﾛ", "Esc in the picker left AREA3 as it was");
  const auto& a4 = key.at("AREA4");
  check(a4.at("COUNTRY").text == "ﾄﾛﾙ基地" && a4.at("RUG").number == 1 && a4.count("ZONE") == 0,
        "AREA4 took Troll's name and kept its 時差 1 without a zone");
}

Register r1("cities.pick_by_keyboard", pickNewYorkByKeyboard);

}  // namespace
}  // namespace e2e
