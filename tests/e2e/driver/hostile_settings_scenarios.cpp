// Damaged and hostile settings in the registry: every one of the 143 values with a wrong type,
// at the ends of the 32-bit range, texts of 64 KiB with lone surrogates and control characters,
// window rectangles off every screen or inverted. The program must start, tick, draw, open and
// close every dialog, come up on the screen, and store 143 values of the right types.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <climits>
#include <set>

#include "tests/e2e/driver/harness.h"

namespace e2e {
namespace {

struct Key {
  std::string section, name;
  bool text;
};

std::vector<Key> allKeys() {
  std::vector<Key> keys;
  const char* areaInts[] = {"RUG", "X", "Y", "ﾏｰｼﾞﾝ1X", "ﾏｰｼﾞﾝ1Y", "ﾏｰｼﾞﾝ2X", "ﾏｰｼﾞﾝ2Y", "R",
                            "G", "B", "D_COUNTRY", "D_ANALOG", "D_DIJITAL", "D_24HOUR", "D_DATE"};
  for (int n = 1; n <= 7; ++n) {
    const std::string s = "AREA" + std::to_string(n);
    keys.push_back({s, "COUNTRY", true});
    for (const char* k : areaInts) keys.push_back({s, k, false});
  }
  for (const char* k : {"D_NIGHT", "TOP_WINDOW", "D_SEKIDOU", "D_DATELINE", "JIHOU", "D_AREA_NO", "TITLE",
                        "D_BAN_COLOR", "D_MOJIBAN_R", "D_MOJIBAN_G", "D_MOJIBAN_B", "D_EVENT1", "MAIN_TITLE", "INTERVAL"})
    keys.push_back({"OPTION", k, false});
  for (const char* k : {"D_WINDOW_LEFT", "D_WINDOW_TOP", "D_WINDOW_RIGHT", "D_WINDOW_BOTTOM"})
    keys.push_back({"SYSTEM", k, false});
  for (const char* k : {"KYOUSEI", "SELECT_END", "WAVEON", "GOAPPLI", "CALL", "FLASH", "TOPWINDOW", "USERJIHOU",
                        "USERMAIFUN"})
    keys.push_back({"ACTION", k, false});
  for (const char* k : {"SOUND", "APPLI", "WINDOW_TEXT", "USERWAVFILE"}) keys.push_back({"ACTION", k, true});
  return keys;
}

void writeRaw(const std::string& section, const std::string& name, DWORD type, const void* data, DWORD size) {
  HKEY k = nullptr;
  const std::wstring path = L"Software\\Quenholt\\meridexa\\" + widen(section);
  RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr);
  RegSetValueExW(k, widen(name).c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(k);
}

void writeWide(const std::string& section, const std::string& name, const std::wstring& text, DWORD type = REG_SZ) {
  writeRaw(section, name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void writeNumber(const std::string& section, const std::string& name, int32_t v) {
  writeRaw(section, name, REG_DWORD, &v, sizeof v);
}

// 32,767 characters plus the terminator: 64 KiB of UTF-16, with lone high and low surrogates,
// every control character, and Japanese text in between.
std::wstring hostileText(wchar_t salt) {
  std::wstring t;
  while (t.size() < 32767) {
    t += L"東京ﾃｽﾄ";
    t += static_cast<wchar_t>(0xD800 + (t.size() % 0x400));  // a high surrogate with no low one
    t += L"x";
    t += static_cast<wchar_t>(0xDC00 + (t.size() % 0x400));  // a low surrogate alone
    for (wchar_t c = 1; c < 0x20; ++c) t += c;
    t += L"\x7F";
    t += salt;
  }
  t.resize(32767);
  return t;
}

// Every key with a wrong type, the types taken in turn.
void writeWrongTypes() {
  const auto keys = allKeys();
  for (size_t i = 0; i < keys.size(); ++i) {
    const Key& k = keys[i];
    switch (i % 5) {
      case 0: {
        const BYTE bin[] = {0x01, 0x00, 0x00, 0x00};  // four bytes that would read as 1
        writeRaw(k.section, k.name, REG_BINARY, bin, sizeof bin);
        break;
      }
      case 1: {
        const unsigned long long q = 7;
        writeRaw(k.section, k.name, REG_QWORD, &q, sizeof q);
        break;
      }
      case 2: {
        const wchar_t multi[] = L"12\0ﾃｽﾄ\0";
        writeRaw(k.section, k.name, REG_MULTI_SZ, multi, sizeof multi);
        break;
      }
      case 3:
        writeWide(k.section, k.name, L"%SystemRoot%\\12", REG_EXPAND_SZ);
        break;
      default:
        if (k.text)
          writeNumber(k.section, k.name, 5);  // a number where a text belongs
        else
          writeWide(k.section, k.name, L"12");  // a text where a number belongs
        break;
    }
  }
}

// Every integer at `value`, every text hostile; the rectangle as given.
void writeExtremes(int32_t value, const RECT& window) {
  wchar_t salt = L'a';
  for (const Key& k : allKeys()) {
    if (k.text)
      writeWide(k.section, k.name, hostileText(salt++));
    else
      writeNumber(k.section, k.name, value);
  }
  writeNumber("SYSTEM", "D_WINDOW_LEFT", window.left);
  writeNumber("SYSTEM", "D_WINDOW_TOP", window.top);
  writeNumber("SYSTEM", "D_WINDOW_RIGHT", window.right);
  writeNumber("SYSTEM", "D_WINDOW_BOTTOM", window.bottom);
}

// Distinct colours among a grid of screen pixels inside the window's client area.
size_t coloursShown(HWND main) {
  RECT c{};
  GetClientRect(main, &c);
  POINT o{0, 0};
  ClientToScreen(main, &o);
  HDC screen = GetDC(nullptr);
  std::set<COLORREF> colours;
  for (int y = 2; y < c.bottom; y += 17)
    for (int x = 2; x < c.right; x += 23) colours.insert(GetPixel(screen, o.x + x, o.y + y));
  ReleaseDC(nullptr, screen);
  return colours.size();
}

bool partlyOnScreen(const RECT& r) {
  RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, overlap{};
  return IntersectRect(&overlap, &r, &screen) && overlap.right - overlap.left >= 48 && overlap.bottom - overlap.top >= 48;
}

// Opens a dialog from the popup's command, checks that it shows, and closes it.
void openAndClose(const Process& p, HWND main, UINT command, const std::string& title, bool sheet) {
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  HWND dlg = waitDialog(p, title);
  Sleep(300);
  if (sheet)
    PostMessageW(dlg, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  else
    PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(command == 32793 ? IDOK : IDCANCEL, BN_CLICKED), 0);
  check(waitFor([&] { return !IsWindow(dlg); }, 10000), title + " opens and closes");
  check(waitFor([&] { return IsWindowEnabled(main) != FALSE; }, 5000), "the main window is usable again");
}

void checkStoredTypes() {
  const auto stored = readProgramKey();
  int right = 0, wrong = 0;
  for (const Key& k : allKeys()) {
    auto s = stored.find(k.section);
    if (s == stored.end() || !s->second.count(k.name)) {
      ++wrong;
      continue;
    }
    const RegValue& v = s->second.at(k.name);
    const bool ok = k.text ? v.type == REG_SZ : (v.type == REG_DWORD && v.bytes.size() == 4);
    ok ? ++right : ++wrong;
    if (!ok) log("  wrong type: " + k.section + "\\" + k.name + " type " + std::to_string(v.type));
  }
  size_t total = 0;
  for (const auto& s : stored) total += s.second.size();
  check(right == 143 && wrong == 0 && total == 143,
        "closing stores exactly the 143 values with their types (" + std::to_string(right) + " right, " +
            std::to_string(wrong) + " wrong or missing, " + std::to_string(total) + " in all)");
}

// One round: start on what the registry holds, prove the program works, close, check.
std::map<std::string, std::map<std::string, RegValue>> survive(const Context& ctx, const std::string& name) {
  log("round: " + name);
  Process p = Process::start(ctx.program);
  HWND main = waitMainWindow(p);
  check(waitFor([&] { return !windowText(main).empty(); }, 10000), "the first tick writes the title");
  check(partlyOnScreen(windowRect(main)), "the window is on the screen: " + rectText(windowRect(main)));
  check(waitFor([&] { return coloursShown(main) >= 3; }, 10000), "a frame is drawn on the window");
  screenshot(ctx, main, name);
  openAndClose(p, main, 32772, "タイマーアクションの設定", false);
  openAndClose(p, main, 32788, "AREA設定", true);
  openAndClose(p, main, 32789, "オプション", false);
  openAndClose(p, main, 32799, "日本標準時設定", false);
  SetWindowTextW(main, L"");
  openAndClose(p, main, 32793, "ﾊﾞｰｼﾞｮﾝ情報", false);
  check(waitFor([&] { return !windowText(main).empty(); }, 5000), "the clock still ticks (the title is rebuilt)");
  quitByMenu(p, main);
  checkStoredTypes();
  return readProgramKey();
}

void hostileTypes(const Context& ctx) {
  deleteProgramKey();
  writeWrongTypes();
  const auto stored = survive(ctx, "wrong-types");
  // A value of the wrong type reads as missing: the defaults come back.
  check(stored.at("AREA1").at("COUNTRY").text == "東京" && stored.at("AREA1").at("X").number == 280 &&
            stored.at("OPTION").at("D_NIGHT").number == 1 && stored.at("ACTION").at("USERMAIFUN").number == 30,
        "values of the wrong type read as their defaults");
  // The default rectangle: a 578 x 340 client area under Wine's 19-pixel caption and 4-pixel frame.
  check(stored.at("SYSTEM").at("D_WINDOW_LEFT").number == 107 && stored.at("SYSTEM").at("D_WINDOW_BOTTOM").number == 469,
        "and the window comes up at the default rectangle");
}
Register r1("settings.hostile_types", hostileTypes);

void hostileExtremes(const Context& ctx) {
  deleteProgramKey();
  // INT_MIN everywhere, the AREA1 name in the title, the window two billion pixels away.
  writeExtremes(INT_MIN, RECT{-2000000000, -2000000000, -1999999414, -1999999631});
  writeNumber("OPTION", "TITLE", 1);
  auto stored = survive(ctx, "int-min-far-away");
  check(static_cast<int32_t>(stored.at("AREA3").at("RUG").number) == INT_MIN &&
            static_cast<int32_t>(stored.at("ACTION").at("USERMAIFUN").number) == INT_MIN,
        "INT_MIN values are kept as they are");
  check(stored.at("AREA1").at("COUNTRY").wide.size() >= 32000, "the 64 KiB texts are stored whole (" +
                                                                  std::to_string(stored.at("AREA1").at("COUNTRY").wide.size()) +
                                                                  " characters)");
  // INT_MAX everywhere and an inverted rectangle.
  deleteProgramKey();
  writeExtremes(INT_MAX, RECT{900, 700, 100, 50});
  stored = survive(ctx, "int-max-inverted");
  check(static_cast<int32_t>(stored.at("OPTION").at("D_MOJIBAN_R").number) == INT_MAX,
        "INT_MAX values are kept as they are");
  const auto& sys = stored.at("SYSTEM");
  check(static_cast<int32_t>(sys.at("D_WINDOW_RIGHT").number) > static_cast<int32_t>(sys.at("D_WINDOW_LEFT").number) &&
            static_cast<int32_t>(sys.at("D_WINDOW_BOTTOM").number) > static_cast<int32_t>(sys.at("D_WINDOW_TOP").number),
        "the inverted rectangle comes back as a real one");
}
Register r2("settings.hostile_extremes", hostileExtremes);

}  // namespace
}  // namespace e2e
