// The companion libraries as the program binds them: their exports by name, mdxutil's rounding
// and message boxes, and that the program does not start without any one of them.
#include <cmath>
#include <thread>

#include "tests/e2e/driver/harness.h"

namespace e2e {
namespace {

std::wstring programDir(const Context& ctx) { return ctx.program.substr(0, ctx.program.find_last_of(L"\\/")); }

// A message box of this process with the given caption, waited for.
HWND waitOwnMessageBox(const std::string& caption) {
  HWND found = nullptr;
  waitFor(
      [&] {
        for (HWND h : topWindows(GetCurrentProcessId(), L"#32770"))
          if (windowText(h) == caption) {
            found = h;
            return true;
          }
        return false;
      },
      10000);
  if (!found) throw Failure{"no message box captioned " + caption};
  return found;
}

std::string messageText(HWND box) {
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t cls[32] = {};
    GetClassNameW(c, cls, 32);
    const LONG style = GetWindowLongW(c, GWL_STYLE);
    if (lstrcmpiW(cls, L"Static") == 0 && (style & SS_TYPEMASK) != SS_ICON && !windowText(c).empty())
      return windowText(c);
  }
  return {};
}

HICON messageIcon(HWND box) {
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
      return reinterpret_cast<HICON>(SendMessageW(c, STM_GETICON, 0, 0));
  return nullptr;
}

void exportsAndErrorBoxes(const Context& ctx) {
  const std::wstring dir = programDir(ctx);
  HMODULE util = LoadLibraryW((dir + L"\\mdxutil.dll").c_str());
  HMODULE sound = LoadLibraryW((dir + L"\\mdxsound.dll").c_str());
  HMODULE graph = LoadLibraryW((dir + L"\\mdxgraph.dll").c_str());
  check(util && sound && graph, "the three libraries load");
  using Convert = int (*)(double);
  using ErrorDispFn = void (*)(int);
  using InstGrp = HINSTANCE (*)();
  auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(GetProcAddress(util, "ConvertI_D")));
  auto errorDisp = reinterpret_cast<ErrorDispFn>(reinterpret_cast<void*>(GetProcAddress(util, "ErrorDisp")));
  auto instGrp = reinterpret_cast<InstGrp>(reinterpret_cast<void*>(GetProcAddress(graph, "Inst_Grp")));
  check(convert && errorDisp && GetProcAddress(sound, "Play_Snd") && instGrp,
        "ConvertI_D, ErrorDisp, Play_Snd and Inst_Grp are exported by their undecorated names");

  check(convert(2.5) == 3 && convert(-2.5) == -3 && convert(0.4) == 0 && convert(-0.4) == 0 && convert(359.99) == 360,
        "ConvertI_D rounds halves away from zero");
  check(convert(1e300) == 2147483647 && convert(-1e300) == -2147483647 - 1 && convert(std::nan("")) == 0,
        "ConvertI_D clamps huge values and gives 0 for NaN");
  check(instGrp() == graph, "Inst_Grp hands out the library's own module");
  check(FindResourceW(instGrp(), MAKEINTRESOURCEW(162), MAKEINTRESOURCEW(2)) != nullptr,
        "the world map is a bitmap resource of that module");

  struct Case {
    int code;
    const char* text;
    LPCWSTR icon;
  };
  const Case cases[] = {{100, "AUDIO DEVICE が他で使用中です", IDI_EXCLAMATION}, {-3, "Error No=-3", IDI_HAND},
                        {4, "Error No=4", IDI_HAND}};
  for (const Case& c : cases) {
    std::thread shown([&] { errorDisp(c.code); });
    HWND box = waitOwnMessageBox("mdxutil");
    check(messageText(box) == c.text, "ErrorDisp(" + std::to_string(c.code) + ") says " + c.text);
    check(messageIcon(box) == LoadIconW(nullptr, c.icon),
          c.icon == IDI_HAND ? "with the stop icon" : "with the exclamation icon");
    if (c.code == 100) screenshot(ctx, box, "error-disp-100");
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    shown.join();
  }
}
Register r1("libs.exports_and_error_boxes", exportsAndErrorBoxes);

// Each library is bound at load time: without it the program ends before it has a window.
void missingLibraryStopsTheStart(const Context& ctx) {
  deleteProgramKey();
  const std::wstring dir = programDir(ctx);
  for (const wchar_t* name : {L"mdxutil.dll", L"mdxsound.dll", L"mdxgraph.dll"}) {
    const std::wstring path = dir + L"\\" + name, aside = path + L".aside";
    check(MoveFileW(path.c_str(), aside.c_str()) != FALSE, "moved " + narrow(name) + " aside");
    Process p = Process::start(ctx.program);
    check(p.waitExit(20000), "without " + narrow(name) + " the program ends");
    check(p.exitCode() == 0xC0000135u, "with the missing-library status");
    check(topWindows(p.id()).empty(), "and shows no window");
    MoveFileW(aside.c_str(), path.c_str());
  }
  check(!programKeyExists(), "nothing was written to the registry");
}
Register r2("libs.missing_library_stops_the_start", missingLibraryStopsTheStart);

}  // namespace
}  // namespace e2e
