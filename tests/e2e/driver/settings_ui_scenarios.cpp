// The settings dialogs: the AREA sheet "AREA設定" and the options dialog "オプション".
#include "tests/e2e/driver/harness.h"
#include "tests/e2e/driver/zone_page_controls.h"

#include <commctrl.h>
#include <prsht.h>

namespace e2e {
namespace {

constexpr UINT kOptionsCommand = 32789;

// AREA1's page (template 105).
constexpr int kName1 = 1030, kRug1 = 1031, kRed1 = 1117, kGreen1 = 1118, kBlue1 = 1119, kNameMarginX1 = 1116;
constexpr int kAnalog1 = 1114, kPosX1 = 1032, kShowCountry1 = 1044, kShowDigital1 = 1045, kColorButton = 1007;
// The colour picker's red, green and blue edits.
constexpr int kPickerRed = 706, kPickerGreen = 707, kPickerBlue = 708;
// The property sheet's own Apply button.
constexpr int kSheetApply = 0x3021;
// AREA2's page (template 106).
constexpr int kRug2 = 1053;
// The options dialog (template 134).
constexpr int kOptMinute = 1260, kOptUserChime = 1216, kOptMainTitle = 1032, kOptReset = 1271,
              kOptTopWindow = 1029, kOptTitleNone = 1224, kOptTitleArea7 = 1016, kOptWavPath = 1265,
              kOptDialRed = 1254, kOptDialGreen = 1255, kOptDialBlue = 1256, kOptDialColour = 1030,
              kOptColorButton = 1007, kOptNight = 1028, kOptTrueSky = 1300;

size_t valueCount(const std::map<std::string, std::map<std::string, RegValue>>& key) {
  size_t n = 0;
  for (const auto& section : key) n += section.second.size();
  return n;
}

std::string itemText(HWND dlg, int id) { return windowText(GetDlgItem(dlg, id)); }
void setItemText(HWND dlg, int id, const std::string& text) {
  SendMessageW(GetDlgItem(dlg, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(widen(text).c_str()));
}
bool isChecked(HWND dlg, int id) { return SendMessageW(GetDlgItem(dlg, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
// A click as the user makes it: the button toggles and its dialog is told.
void click(HWND dlg, int id) { SendMessageW(GetDlgItem(dlg, id), BM_CLICK, 0, 0); }

HWND currentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
int currentIndex(HWND sheet) {
  HWND tab = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
  return static_cast<int>(SendMessageW(tab, TCM_GETCURSEL, 0, 0));
}
// Asks the sheet to show page `index`; posted, because leaving a page may show a message box.
void selectPage(HWND sheet, int index) { PostMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0); }

// A message box of the process owned by `owner`, captioned with the program's title.
HWND waitMessageBox(const Process& p, HWND owner) {
  HWND found = nullptr;
  waitFor([&] {
    for (HWND h : topWindows(p.id(), L"#32770"))
      if (h != owner && GetWindow(h, GW_OWNER) == owner && windowText(h) == "meridexa") {
        found = h;
        return true;
      }
    return false;
  }, 10000);
  if (!found) throw Failure{"no message box appeared"};
  return found;
}

// Expects the message box with `text`, presses its OK, and checks that the focus went back
// to `field` with its whole text selected.
void expectRefusal(const Process& p, HWND owner, HWND field, const std::string& text) {
  HWND box = waitMessageBox(p, owner);
  const std::string shown = windowText(GetDlgItem(box, 0xFFFF));
  check(shown == text, "message \"" + text + "\" (got \"" + shown + "\")");
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  check(waitFor([&] { return !IsWindow(box); }, 5000), "the message box closes with OK");
  GUITHREADINFO gi{};
  gi.cbSize = sizeof gi;
  check(waitFor([&] {
          return GetGUIThreadInfo(GetWindowThreadProcessId(field, nullptr), &gi) && gi.hwndFocus == field;
        }, 5000),
        "the focus is back on the failing field");
  // Across processes only the result travels: start in the low word, end in the high word.
  const DWORD sel = static_cast<DWORD>(SendMessageW(field, EM_GETSEL, 0, 0));
  const DWORD from = LOWORD(sel), to = HIWORD(sel);
  check(from == 0 && to == widen(windowText(field)).size(),
        "its whole text is selected (" + std::to_string(from) + ".." + std::to_string(to) + ")");
}

// Presses `button` of `dlg` as a click would and waits for the colour picker it opens.
HWND openPicker(const Process& p, HWND dlg, HWND owner, int button) {
  PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, button)));
  HWND picker = nullptr;
  waitFor([&] {
    for (HWND h : topWindows(p.id(), L"#32770"))
      if (h != owner && GetWindow(h, GW_OWNER) == owner) picker = h;
    return picker != nullptr;
  }, 10000);
  check(picker != nullptr, "COLOR opens the colour picker");
  return picker;
}

HWND openDialog(const Process& p, HWND main, UINT command, const std::string& title) {
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  return waitDialog(p, title);
}

void endProgram(Process& p, HWND main) {
  quitByMenu(p, main);
}

int32_t regInt(const std::map<std::string, std::map<std::string, RegValue>>& key, const char* section,
               const char* name) {
  return static_cast<int32_t>(key.at(section).at(name).number);
}

// Defaults on AREA1, refusals when leaving a page, acceptance of the bounds, and Cancel.
void areaSheetChecks(const Context& ctx) {
  deleteProgramKey();
  Process p;
  HWND main = startProgram(ctx, p);
  HWND sheet = openDialog(p, main, kAreaSettingsCommand, "AREA設定");
  check(waitFor([&] { return currentPage(sheet) != nullptr; }, 5000), "the sheet shows a page");
  HWND page = currentPage(sheet);
  check(currentIndex(sheet) == 0 && windowText(page) == "AREA1", "the sheet opens on AREA1");
  check(itemText(page, kName1) == "東京" && itemText(page, kRug1) == "0", "AREA1 is 東京 with time difference 0");
  check(itemText(page, kRed1) == "255" && itemText(page, kGreen1) == "0" && itemText(page, kBlue1) == "0",
        "AREA1's boxes are red");
  HWND apply = GetDlgItem(sheet, kSheetApply);
  check(apply != nullptr && IsWindowVisible(apply) && !IsWindowEnabled(apply),
        "the sheet has the standard Apply button, disabled");
  Sleep(500);
  screenshot(ctx, sheet, "area-sheet");

  // The enabling rule follows AREA1's own check boxes.
  click(page, kAnalog1);
  check(!IsWindowEnabled(GetDlgItem(page, kPosX1)), "unchecking ｱﾅﾛｸﾞ表示 disables the position edits");
  click(page, kAnalog1);
  check(IsWindowEnabled(GetDlgItem(page, kPosX1)) != FALSE, "checking it enables them again");
  click(page, kShowCountry1);
  check(IsWindowEnabled(GetDlgItem(page, kRed1)) != FALSE, "the colour stays enabled with ﾃﾞｼﾞﾀﾙ時間表示 on");
  click(page, kShowDigital1);
  check(!IsWindowEnabled(GetDlgItem(page, kRed1)) && !IsWindowEnabled(GetDlgItem(page, kColorButton)),
        "unchecking both name and digital boxes disables the colour edits and COLOR");
  click(page, kShowCountry1);
  click(page, kShowDigital1);
  check(IsWindowEnabled(GetDlgItem(page, kRed1)) && IsWindowEnabled(GetDlgItem(page, kColorButton)),
        "checking them enables the colour again");

  // COLOR starts the picker from the page's stored colour, not from the typed text.
  setItemText(page, kRed1, "10");
  setItemText(page, kGreen1, "20");
  setItemText(page, kBlue1, "30");
  PostMessageW(page, WM_COMMAND, MAKEWPARAM(kColorButton, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(page, kColorButton)));
  HWND picker = nullptr;
  waitFor([&] {
    for (HWND h : topWindows(p.id(), L"#32770"))
      if (h != sheet && h != main && GetWindow(h, GW_OWNER) == sheet) picker = h;
    return picker != nullptr;
  }, 10000);
  check(picker != nullptr, "COLOR opens the colour picker");
  const std::string start =
      itemText(picker, kPickerRed) + "," + itemText(picker, kPickerGreen) + "," + itemText(picker, kPickerBlue);
  check(start == "255,0,0", "the picker starts from the stored 255,0,0 (got " + start + ")");
  Sleep(300);
  screenshot(ctx, picker, "colour-picker");
  PostMessageW(picker, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  check(waitFor([&] { return !IsWindow(picker); }, 5000), "the picker closes with cancel");
  check(itemText(page, kRed1) == "10" && itemText(page, kBlue1) == "30", "cancelling the picker changes nothing");
  setItemText(page, kRed1, "255");
  setItemText(page, kGreen1, "0");
  setItemText(page, kBlue1, "0");

  // A name margin of 51: refused on leaving, the page stays.
  setItemText(page, kNameMarginX1, "51");
  selectPage(sheet, 1);
  expectRefusal(p, sheet, GetDlgItem(page, kNameMarginX1), "-50 から 50 までの整数を入力してください。");
  check(currentIndex(sheet) == 0 && currentPage(sheet) == page, "the sheet stays on AREA1");
  setItemText(page, kNameMarginX1, "50");

  for (const char* bad : {"5", "-21"}) {
    setItemText(page, kRug1, bad);
    selectPage(sheet, 1);
    expectRefusal(p, sheet, GetDlgItem(page, kRug1), "-20 から 4 までの整数を入力してください。");
    check(currentIndex(sheet) == 0, std::string("time difference ") + bad + " keeps the sheet on AREA1");
  }
  setItemText(page, kRug1, "4");
  selectPage(sheet, 1);
  check(waitFor([&] { return currentIndex(sheet) == 1; }, 5000), "time difference 4 is accepted");
  HWND page2 = currentPage(sheet);
  check(windowText(page2) == "AREA2" && itemText(page2, kRug2) == "-14", "AREA2 shows its time difference -14");
  setItemText(page2, kRug2, "-3");
  selectPage(sheet, 0);
  check(waitFor([&] { return currentIndex(sheet) == 0; }, 5000), "back on AREA1");
  check(itemText(page, kRug1) == "4", "AREA1 keeps what was typed");
  setItemText(page, kRug1, "-20");
  selectPage(sheet, 1);
  check(waitFor([&] { return currentIndex(sheet) == 1; }, 5000), "time difference -20 is accepted");

  check(!IsWindowEnabled(apply), "no page marks itself modified: Apply stays disabled after edits");

  // Cancel after edits on two pages changes nothing.
  PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  check(waitFor([&] { return !IsWindow(sheet); }, 5000), "Cancel closes the sheet");
  check(IsWindowEnabled(main) != FALSE, "the main window is enabled again");
  endProgram(p, main);
  const auto key = readProgramKey();
  check(regInt(key, "AREA1", "RUG") == 0 && regInt(key, "AREA1", "ﾏｰｼﾞﾝ1X") == 0 && regInt(key, "AREA2", "RUG") == -14,
        "Cancel kept AREA1 and AREA2 as they were");
}
Register r1("settings.area_sheet", areaSheetChecks);

// OK after renaming the title AREA: the title changes at the next tick and the change lasts.
void areaSheetOk(const Context& ctx) {
  deleteProgramKey();
  writeInt("OPTION", "TITLE", 1);
  Process p;
  HWND main = startProgram(ctx, p);
  const bool tokyo = waitFor([&] { return windowText(main).find("東京") != std::string::npos; }, 10000);
  check(tokyo, "the title shows AREA1's name: " + windowText(main));
  HWND sheet = openDialog(p, main, kAreaSettingsCommand, "AREA設定");
  check(waitFor([&] { return currentPage(sheet) != nullptr; }, 5000), "the sheet shows a page");
  HWND page = currentPage(sheet);
  setItemText(page, kName1, "ﾊﾟﾘ");
  // AREA2 is visited and changed; the other pages are never shown.
  selectPage(sheet, 1);
  check(waitFor([&] { return currentIndex(sheet) == 1; }, 5000), "AREA2 shown");
  setItemText(currentPage(sheet), kRug2, "-3");
  PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  check(waitFor([&] { return !IsWindow(sheet); }, 5000), "OK closes the sheet");
  const bool renamed = waitFor([&] { return windowText(main).find("ﾊﾟﾘ") != std::string::npos; }, 2500);
  check(renamed, "the title shows the new name at the next tick: " + windowText(main));
  endProgram(p, main);
  auto key = readProgramKey();
  check(key.at("AREA1").at("COUNTRY").text == "ﾊﾟﾘ" && regInt(key, "AREA2", "RUG") == -3,
        "the new name and AREA2's time difference are saved");
  check(key.at("AREA7").at("COUNTRY").text == "赤の広場(ﾓｽｸﾜ)" && regInt(key, "AREA7", "RUG") == -6,
        "pages never shown keep their values");

  // After a restart the sheet opens with the saved values.
  main = startProgram(ctx, p);
  sheet = openDialog(p, main, kAreaSettingsCommand, "AREA設定");
  check(waitFor([&] { return currentPage(sheet) != nullptr; }, 5000), "the sheet shows a page");
  check(itemText(currentPage(sheet), kName1) == "ﾊﾟﾘ", "the renamed AREA1 survives a restart");
  PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  check(waitFor([&] { return !IsWindow(sheet); }, 5000), "Cancel closes the sheet");
  endProgram(p, main);
}
Register r2("settings.area_sheet_ok", areaSheetOk);

// The options dialog: the minute's range, the caption removal, the window reset, the true sky's
// enabling rule and storage, persistence.
void optionsDialog(const Context& ctx) {
  deleteProgramKey();
  Process p;
  HWND main = startProgram(ctx, p);
  installShowWindowProbe(p);
  HWND dlg = openDialog(p, main, kOptionsCommand, "オプション");
  check(isChecked(dlg, kOptTitleNone) && !isChecked(dlg, kOptTitleArea7), "なし is chosen for TITLE 0");
  check(itemText(dlg, kOptMinute) == "30" && !IsWindowEnabled(GetDlgItem(dlg, kOptMinute)),
        "the minute reads 30 and is disabled while the user chime is off");
  check(!isChecked(dlg, kOptReset), "the reset box opens unchecked");
  check(itemText(dlg, kOptDialRed) == "255" && !IsWindowEnabled(GetDlgItem(dlg, kOptDialRed)),
        "the dial colour edits are disabled while 文字盤に色をつける is off");
  click(dlg, kOptUserChime);
  check(IsWindowEnabled(GetDlgItem(dlg, kOptMinute)) && IsWindowEnabled(GetDlgItem(dlg, kOptWavPath)),
        "checking 時報（ﾕｰｻﾞｰ選択） enables the minute and the path");
  // 太陽の位置で昼夜を描く is usable only while 昼夜表示 is checked.
  check(!isChecked(dlg, kOptTrueSky) && IsWindowEnabled(GetDlgItem(dlg, kOptTrueSky)),
        "太陽の位置で昼夜を描く opens unchecked and enabled under 昼夜表示");
  click(dlg, kOptNight);
  check(!IsWindowEnabled(GetDlgItem(dlg, kOptTrueSky)), "unchecking 昼夜表示 disables 太陽の位置で昼夜を描く");
  click(dlg, kOptNight);
  check(IsWindowEnabled(GetDlgItem(dlg, kOptTrueSky)), "checking 昼夜表示 enables it again");
  click(dlg, kOptTrueSky);
  Sleep(300);
  screenshot(ctx, dlg, "options");

  // A minute of 60 is refused; 0 and 59 are accepted (59 is kept). The dial colour typed
  // before it is read first, yet the refused OK leaves the picker's start as loaded.
  click(dlg, kOptDialColour);
  setItemText(dlg, kOptDialRed, "10");
  setItemText(dlg, kOptDialGreen, "20");
  setItemText(dlg, kOptDialBlue, "30");
  setItemText(dlg, kOptMinute, "60");
  PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  expectRefusal(p, dlg, GetDlgItem(dlg, kOptMinute), "0 から 59 までの整数を入力してください。");
  check(IsWindow(dlg), "the dialog stays open");
  HWND picker = openPicker(p, dlg, dlg, kOptColorButton);
  const std::string start =
      itemText(picker, kPickerRed) + "," + itemText(picker, kPickerGreen) + "," + itemText(picker, kPickerBlue);
  check(start == "255,255,255", "after a refused OK the dial picker starts from the loaded 255,255,255 (got " +
                                    start + ")");
  PostMessageW(picker, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  check(waitFor([&] { return !IsWindow(picker); }, 5000), "the picker closes with cancel");
  click(dlg, kOptDialColour);
  for (int c : {kOptDialRed, kOptDialGreen, kOptDialBlue}) setItemText(dlg, c, "255");
  setItemText(dlg, kOptMinute, "0");
  PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  check(waitFor([&] { return !IsWindow(dlg); }, 5000), "minute 0 is accepted");

  // Move the window away, then: no title bar, reset, always on top, AREA7 in the title, 59.
  SetWindowPos(main, nullptr, 20, 30, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  check(waitFor([&] { return windowRect(main).left == 20; }, 5000), "the window was moved away");
  dlg = openDialog(p, main, kOptionsCommand, "オプション");
  check(itemText(dlg, kOptMinute) == "0" && isChecked(dlg, kOptUserChime), "the dialog shows the last OK's values");
  setItemText(dlg, kOptMinute, "59");
  click(dlg, kOptMainTitle);
  click(dlg, kOptReset);
  click(dlg, kOptTopWindow);
  click(dlg, kOptTitleArea7);
  check(isChecked(dlg, kOptTitleArea7) && !isChecked(dlg, kOptTitleNone), "AREA7 replaces なし");
  PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  check(waitFor([&] { return !IsWindow(dlg); }, 5000), "OK closes the dialog");
  check(waitFor([&] { return (GetWindowLongW(main, GWL_STYLE) & WS_CAPTION) == 0; }, 5000),
        "ｳｲﾝﾄﾞｳﾀｲﾄﾙ無し removes the caption at once");
  const RECT r = windowRect(main);
  // Sized for a 578 x 340 client area under the caption it had, which the same OK then removes.
  check(r.left == 107 && r.top == 102 && r.right - r.left == 586 && r.bottom - r.top == 367,
        "the reset puts the window at (107, 102) sized 586 x 367: " + rectText(r));
  for (int command : recordedShowCommands())
    check(command != SW_MINIMIZE && command != SW_RESTORE, "the new frame comes without a minimise or restore");
  check(waitFor([&] { return (GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }, 5000),
        "常に手前に表示 makes the window topmost");
  const bool area7 = waitFor([&] { return windowText(main).find("赤の広場(ﾓｽｸﾜ)") != std::string::npos; }, 2500);
  check(area7, "the title shows AREA7's time at the next tick: " + windowText(main));
  Sleep(1200);
  screenshot(ctx, main, "no-caption");
  endProgram(p, main);

  auto key = readProgramKey();
  check(regInt(key, "OPTION", "MAIN_TITLE") == 1 && regInt(key, "OPTION", "TITLE") == 7 &&
            regInt(key, "OPTION", "TOP_WINDOW") == 1,
        "MAIN_TITLE 1, TITLE 7 and TOP_WINDOW 1 are saved");
  check(regInt(key, "ACTION", "USERMAIFUN") == 59 && regInt(key, "ACTION", "USERJIHOU") == 1,
        "the user chime's minute 59 and switch are saved");
  check(regInt(key, "SYSTEM", "D_WINDOW_LEFT") == 107 && regInt(key, "SYSTEM", "D_WINDOW_RIGHT") == 693,
        "the reset rectangle is saved");
  check(regInt(key, "OPTION", "D_TAIYOU") == 1 && valueCount(key) == 144,
        "D_TAIYOU 1 is saved beside the 143 values (" + std::to_string(valueCount(key)) + " values)");

  // After a restart: the options come back; Cancel changes nothing yet keeps the window on top.
  main = startProgram(ctx, p);
  check((GetWindowLongW(main, GWL_STYLE) & WS_CAPTION) == 0, "the window starts without a caption");
  dlg = openDialog(p, main, kOptionsCommand, "オプション");
  check(isChecked(dlg, kOptMainTitle) && isChecked(dlg, kOptTitleArea7) && itemText(dlg, kOptMinute) == "59" &&
            !isChecked(dlg, kOptReset) && isChecked(dlg, kOptTrueSky),
        "the saved options come back, the reset box unchecked");
  click(dlg, kOptMainTitle);
  setItemText(dlg, kOptWavPath, "C:\\nothing.wav");
  PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  check(waitFor([&] { return !IsWindow(dlg); }, 5000), "Cancel closes the dialog");
  check((GetWindowLongW(main, GWL_STYLE) & WS_CAPTION) == 0, "Cancel leaves the window without a caption");
  check((GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, "and topmost");

  // Bringing the caption back.
  dlg = openDialog(p, main, kOptionsCommand, "オプション");
  click(dlg, kOptMainTitle);
  click(dlg, kOptTrueSky);
  PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  check(waitFor([&] { return !IsWindow(dlg); }, 5000), "OK closes the dialog");
  check(waitFor([&] { return (GetWindowLongW(main, GWL_STYLE) & WS_CAPTION) == WS_CAPTION; }, 5000),
        "unchecking ｳｲﾝﾄﾞｳﾀｲﾄﾙ無し brings the caption back");
  endProgram(p, main);
  key = readProgramKey();
  check(regInt(key, "OPTION", "MAIN_TITLE") == 0 && key.at("ACTION").at("USERWAVFILE").text.empty(),
        "MAIN_TITLE 0 saved; the path typed before Cancel was not kept");
  check(key.at("OPTION").count("D_TAIYOU") == 0 && valueCount(key) == 143,
        "turning the true sky off removes D_TAIYOU: 143 values (" + std::to_string(valueCount(key)) + ")");
}
Register r3("settings.options", optionsDialog);

// Stored check values of 2 (which count as on): the boxes show them checked, and OK without
// touching anything keeps what they showed, so the title bar does not come back.
void storedCheckTwo(const Context& ctx) {
  deleteProgramKey();
  writeInt("OPTION", "MAIN_TITLE", 2);
  writeInt("AREA1", "D_ANALOG", 2);
  Process p;
  HWND main = startProgram(ctx, p);
  check((GetWindowLongW(main, GWL_STYLE) & WS_CAPTION) == 0, "MAIN_TITLE 2 starts the window without a caption");

  HWND dlg = openDialog(p, main, kOptionsCommand, "オプション");
  check(isChecked(dlg, kOptMainTitle), "ｳｲﾝﾄﾞｳﾀｲﾄﾙ無し shows checked for a stored 2");
  PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  check(waitFor([&] { return !IsWindow(dlg); }, 5000), "OK closes the dialog");
  Sleep(500);
  check((GetWindowLongW(main, GWL_STYLE) & WS_CAPTION) == 0, "OK without a change leaves the caption off");

  HWND sheet = openDialog(p, main, kAreaSettingsCommand, "AREA設定");
  check(waitFor([&] { return currentPage(sheet) != nullptr; }, 5000), "the sheet shows a page");
  HWND page = currentPage(sheet);
  check(isChecked(page, kAnalog1) && IsWindowEnabled(GetDlgItem(page, kPosX1)),
        "ｱﾅﾛｸﾞ表示 shows checked for a stored 2, with the position enabled");
  PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  check(waitFor([&] { return !IsWindow(sheet); }, 5000), "OK closes the sheet");
  endProgram(p, main);

  auto key = readProgramKey();
  const int32_t mainTitle = regInt(key, "OPTION", "MAIN_TITLE"), analog = regInt(key, "AREA1", "D_ANALOG");
  check(mainTitle != 0 && analog != 0, "both are saved as the boxes showed them (MAIN_TITLE " +
                                           std::to_string(mainTitle) + ", D_ANALOG " + std::to_string(analog) + ")");
}
Register r4("settings.stored_check_two", storedCheckTwo);

}  // namespace
}  // namespace e2e
