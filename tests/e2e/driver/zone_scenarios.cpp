// Time zones on the AREAs: a stored ZONE moves the title's AREA to that zone's time, and the
// AREA sheet's eighth page "タイムゾーン" lists the PC's zones, stores a choice and removes it.
#include "tests/e2e/driver/harness.h"
#include "tests/e2e/driver/zone_page_controls.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>

namespace e2e {
namespace {

constexpr int kNoteId = IDC_ZONE_NOTE;

// "H:MM" (hour without a leading zero) of UTC now moved by `minutes`; `laterBy` seconds on.
std::string utcPlus(int minutes, int laterBy = 0) {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  ULARGE_INTEGER t{{ft.dwLowDateTime, ft.dwHighDateTime}};
  t.QuadPart += (static_cast<ULONGLONG>(minutes) * 60 + laterBy) * 10000000ULL;
  ft = {t.LowPart, t.HighPart};
  SYSTEMTIME st;
  FileTimeToSystemTime(&ft, &st);
  char buf[16];
  snprintf(buf, sizeof buf, "%u:%02u", st.wHour, st.wMinute);
  return buf;
}

// Does `text` equal the prefix + India's time now (a tick may lag the minute's turn by one)?
bool showsIndiaTime(const std::string& text, const std::string& suffix) {
  return text == utcPlus(330) + suffix || text == utcPlus(330, -2) + suffix;
}

std::string itemText(HWND dlg, int id) { return windowText(GetDlgItem(dlg, id)); }

void endProgram(Process& p, HWND main) {
  quitByMenu(p, main);
}

HWND currentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

// Opens the AREA sheet and shows its eighth page.
HWND openZonePage(const Process& p, HWND main, HWND& sheet) {
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(kAreaSettingsCommand, 0), 0);
  sheet = waitDialog(p, "AREA設定");
  check(waitFor([&] { return currentPage(sheet) != nullptr; }, 5000), "the sheet shows a page");
  PostMessageW(sheet, PSM_SETCURSEL, kZonePageIndex, 0);
  HWND tab = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
  check(waitFor([&] { return SendMessageW(tab, TCM_GETCURSEL, 0, 0) == kZonePageIndex; }, 5000),
        "the eighth page is shown");
  check(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0) == 8, "the sheet has eight pages");
  return currentPage(sheet);
}

std::string listEntry(HWND list, int index) {
  const LRESULT len = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (len == CB_ERR) return "<none>";
  std::wstring w(static_cast<size_t>(len) + 1, L'\0');
  SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(w.data()));
  w.resize(static_cast<size_t>(len));
  return narrow(w);
}

// Chooses an entry as the user does: the selection moves and the page is told.
void choose(HWND page, int n, int index) {
  HWND list = GetDlgItem(page, listId(n));
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(listId(n), CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void pressOk(HWND sheet) {
  PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  check(waitFor([&] { return !IsWindow(sheet); }, 5000), "OK closes the sheet");
}

void titleInIndia(const Context& ctx) {
  deleteProgramKey();
  writeTitleShowsArea(3, "AREA3");
  writeText("AREA3", "COUNTRY", "Mumbai");
  writeText("AREA3", "ZONE", "India Standard Time");
  Process p;
  HWND main = startProgram(ctx, p);
  std::string title;
  const bool shown = waitFor([&] { return showsIndiaTime(title = windowText(main), " Mumbai"); }, 10000);
  log("  title \"" + title + "\", UTC+5:30 is " + utcPlus(330));
  check(shown, "the title shows UTC + 5:30: " + title);
  endProgram(p, main);
  auto key = readProgramKey();
  check(key.at("AREA3").at("ZONE").text == "India Standard Time", "the stored zone is written back unchanged");
  check(key.at("AREA1").count("ZONE") == 0, "AREAs without a zone get no ZONE value");
}
Register r1("zones.title_in_india", titleInIndia);

void zonePage(const Context& ctx) {
  deleteProgramKey();
  writeInt("OPTION", "TITLE", 3);
  writeInt("AREA3", "D_24HOUR", 0);
  writeText("AREA5", "ZONE", "Atlantis Standard Time");  // unknown here: kept as it is
  Process p;
  HWND main = startProgram(ctx, p);
  HWND sheet = nullptr;
  HWND page = openZonePage(p, main, sheet);

  HWND list3 = GetDlgItem(page, listId(3));
  const int entries = static_cast<int>(SendMessageW(list3, CB_GETCOUNT, 0, 0));
  log("  the zone lists offer " + std::to_string(entries - 1) + " time zones");
  check(entries > 50, "the list holds the PC's zones");
  check(listEntry(list3, 0) == "時差（RUG）を使う", "headed by 時差（RUG）を使う: " + listEntry(list3, 0));
  check(listEntry(list3, 1).rfind("(UTC-", 0) == 0 && listEntry(list3, entries - 1).rfind("(UTC+", 0) == 0,
        "sorted from west to east: " + listEntry(list3, 1) + " ... " + listEntry(list3, entries - 1));
  for (int n = 1; n <= 7; ++n) {
    check(itemText(page, labelId(n)) == "AREA&" + std::to_string(n), "row label AREA" + std::to_string(n));
    check(SendMessageW(GetDlgItem(page, listId(n)), CB_GETCURSEL, 0, 0) == 0,
          "AREA" + std::to_string(n) + " opens on 時差（RUG）を使う");
  }
  // Tab walks the rows in order, each row's button before its list, and each row's label is
  // the window right before its button, so the label's mnemonic reaches the button.
  for (int n = 1; n <= 7; ++n) {
    HWND list = GetDlgItem(page, listId(n)), button = GetDlgItem(page, cityButtonId(n));
    check(GetWindow(button, GW_HWNDPREV) == GetDlgItem(page, labelId(n)), "AREA" + std::to_string(n) + " labels its button");
    check(GetNextDlgTabItem(page, button, FALSE) == list, "Tab goes from row " + std::to_string(n) + "'s button to its list");
    if (n < 7)
      check(GetNextDlgTabItem(page, list, FALSE) == GetDlgItem(page, cityButtonId(n + 1)),
            "Tab goes from row " + std::to_string(n) + " to row " + std::to_string(n + 1));
  }
  check(itemText(page, countryId(3)) == "ｻﾝﾊﾟｳﾛ", "row 3 names its AREA: " + itemText(page, countryId(3)));
  check(itemText(page, kNoteId).find("時差") != std::string::npos, "the note speaks of 時差");

  const int india = static_cast<int>(SendMessageW(list3, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                  reinterpret_cast<LPARAM>(L"(UTC+05:30) Chennai, Kolkata, Mumbai, New Delhi")));
  int chosen = india;
  if (india == CB_ERR) {  // a display name in another wording: the first +05:30 entry
    for (int i = 1; i < entries && chosen == CB_ERR; ++i)
      if (listEntry(list3, i).rfind("(UTC+05:30)", 0) == 0) chosen = i;
  }
  check(chosen != CB_ERR, "India's zone is listed");
  choose(page, 3, chosen);
  std::string shownTime;
  check(waitFor([&] { return showsIndiaTime(shownTime = itemText(page, timeId(3)), ""); }, 3000),
        "row 3 shows India's time at once: " + shownTime);
  // The time follows the clock: a second later it is still India's time.
  Sleep(1100);
  check(showsIndiaTime(itemText(page, timeId(3)), ""), "and keeps showing it");
  screenshot(ctx, sheet, "zone-page");
  pressOk(sheet);
  std::string title;
  check(waitFor([&] { return showsIndiaTime(title = windowText(main), " ｻﾝﾊﾟｳﾛ"); }, 2500),
        "the title shows AREA3 in India's zone at the next tick: " + title);
  screenshot(ctx, main, "map-with-zone");
  endProgram(p, main);
  auto key = readProgramKey();
  check(key.at("AREA3").at("ZONE").text == "India Standard Time", "OK stored the zone's key name");
  check(key.at("AREA5").at("ZONE").text == "Atlantis Standard Time", "an unknown stored zone is kept");
  check(key.at("AREA1").count("ZONE") == 0, "no ZONE for AREAs left on 時差");

  // Reopened: the list shows the choice; 時差（RUG）を使う removes the value.
  main = startProgram(ctx, p);
  page = openZonePage(p, main, sheet);
  check(SendMessageW(GetDlgItem(page, listId(3)), CB_GETCURSEL, 0, 0) == chosen, "the stored zone is selected");
  choose(page, 3, 0);
  pressOk(sheet);
  endProgram(p, main);
  key = readProgramKey();
  check(key.at("AREA3").count("ZONE") == 0, "時差（RUG）を使う removed the value");
  check(key.at("AREA3").size() == 16, "AREA3 holds its sixteen classic values");
  check(key.at("AREA5").at("ZONE").text == "Atlantis Standard Time", "the unknown zone is still kept");
}
Register r2("zones.zone_page", zonePage);

}  // namespace
}  // namespace e2e
