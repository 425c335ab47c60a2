// The map on the main window: what the client area shows, stretching to the window's size,
// minimising, the title-bar style and the AREA time in the title.
#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/driver/harness.h"

namespace e2e {
namespace {

constexpr int kMapWidth = 578;
constexpr int kMapHeight = 340;

size_t distinctColours(const ClientPixels& c, int x0, int y0, int x1, int y1) {
  std::set<uint32_t> seen;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) seen.insert(c.at(x, y));
  return seen.size();
}

// Has a frame been presented over the whole client area? The dialog's own background colour
// shows nowhere on a grid over the client, and every quarter holds a picture, not one colour.
bool clientCoveredByMap(const ClientPixels& c) {
  if (c.width < 8 || c.height < 8) return false;
  const uint32_t face = [] {
    const COLORREF f = GetSysColor(COLOR_BTNFACE);
    return static_cast<uint32_t>(GetRValue(f)) << 16 | static_cast<uint32_t>(GetGValue(f)) << 8 | GetBValue(f);
  }();
  for (int gy = 0; gy < 16; ++gy)
    for (int gx = 0; gx < 16; ++gx)
      if (c.at((c.width - 1) * gx / 15, (c.height - 1) * gy / 15) == face) return false;
  const int hw = c.width / 2, hh = c.height / 2;
  return distinctColours(c, 0, 0, hw, hh) > 8 && distinctColours(c, hw, 0, c.width, hh) > 8 &&
         distinctColours(c, 0, hh, hw, c.height) > 8 && distinctColours(c, hw, hh, c.width, c.height) > 8;
}

// How many pixels of the 5 x 5 block around the client point for map point (mx, my) are
// sea-blue.
int bluePixelsAround(const ClientPixels& c, int mx, int my) {
  const int cx = mx * c.width / kMapWidth, cy = my * c.height / kMapHeight;
  int blue = 0;
  for (int y = cy - 2; y <= cy + 2; ++y)
    for (int x = cx - 2; x <= cx + 2; ++x) {
      if (x < 0 || y < 0 || x >= c.width || y >= c.height) continue;
      const uint32_t p = c.at(x, y);
      if (ClientPixels::b(p) > ClientPixels::r(p) + 60 && ClientPixels::b(p) > ClientPixels::g(p) + 30) ++blue;
    }
  return blue;
}

size_t countColour(const ClientPixels& c, uint32_t rgb) {
  size_t n = 0;
  for (uint32_t p : c.px) n += p == rgb;
  return n;
}

// Has a composed frame reached the window, not only the plain map the window starts with?
// The red of the dotted equator (and of AREA1's box) shows on the daylit side whatever the
// hour; a stretch of 1:1 or larger keeps the colour exact.
bool composedFrameShown(const ClientPixels& c) { return countColour(c, 0xFF0000) >= 40; }

// Is the whole frame scaled onto the client area? The date line's first straight stretch
// (map x = 343, y = 0 .. 52) is black, and black survives any stretch, shrinking included:
// most client rows of that stretch hold a black pixel within 2 pixels of the scaled column.
bool dateLineWhereExpected(const ClientPixels& c) {
  if (c.width < 8 || c.height < 8) return false;
  const int cx = 343 * c.width / kMapWidth;
  const int rows = std::max(1, 50 * c.height / kMapHeight);
  int hits = 0;
  for (int y = 0; y < rows; ++y)
    for (int x = std::max(0, cx - 2); x <= std::min(c.width - 1, cx + 2); ++x)
      if (c.at(x, y) == 0) {
        ++hits;
        break;
      }
  return hits * 10 >= rows * 8;
}

bool composedFrameCovers(HWND main, ClientPixels* shot = nullptr) {
  ClientPixels c = captureClient(main);
  const bool ok = clientCoveredByMap(c) && composedFrameShown(c) && dateLineWhereExpected(c);
  if (shot) *shot = std::move(c);
  return ok;
}

// Waits for a composed frame over the whole client area; on failure keeps a screenshot and
// says which part of the test failed.
void requireComposedFrame(const Context& ctx, HWND main, const std::string& what, const std::string& shotName,
                          ClientPixels* shot = nullptr) {
  if (waitFor([&] { return composedFrameCovers(main, shot); }, 15000)) {
    check(true, what);
    return;
  }
  const ClientPixels c = captureClient(main);
  screenshot(ctx, main, shotName + "-failed");
  check(false, what + " (client " + std::to_string(c.width) + " x " + std::to_string(c.height) +
                   ", covered: " + std::to_string(clientCoveredByMap(c)) + ", red pixels: " +
                   std::to_string(countColour(c, 0xFF0000)) + ", date line: " + std::to_string(dateLineWhereExpected(c)) +
                   ")");
}

// The title for the AREA time form "H:MM <name>" at the local time `t` (the AREA's time
// difference 0, 24-hour form).
std::string titleAt(const SYSTEMTIME& t, const std::string& name) {
  char buf[16];
  snprintf(buf, sizeof buf, "%u:%02u ", static_cast<unsigned>(t.wHour), static_cast<unsigned>(t.wMinute));
  return buf + name;
}

// Reads the title between two readings of the local time, so that a minute turning over
// meanwhile is accepted either way.
bool titleShowsLocalTime(HWND main, const std::string& name, std::string* seen = nullptr) {
  SYSTEMTIME before, after;
  GetLocalTime(&before);
  const std::string title = windowText(main);
  GetLocalTime(&after);
  if (seen) *seen = title;
  return title == titleAt(before, name) || title == titleAt(after, name);
}

void closeProgram(Process& p, HWND main) {
  quitByMenu(p, main);
}

void mapShown(const Context& ctx) {
  deleteProgramKey();
  // No night side and no sprites, so that known places show the map's own colours.
  writeInt("OPTION", "D_NIGHT", 0);
  writeInt("OPTION", "D_EVENT1", 0);
  Process p = Process::start(ctx.program);
  HWND main = waitMainWindow(p);
  bringToFront(main);
  ClientPixels shot;
  requireComposedFrame(ctx, main, "a composed frame covers the client area", "map", &shot);
  screenshot(ctx, main, "map");
  const size_t colours = distinctColours(shot, 0, 0, shot.width, shot.height);
  log("  client " + std::to_string(shot.width) + " x " + std::to_string(shot.height) + ", " +
      std::to_string(colours) + " colours");
  check(colours > 200, "the client area holds a picture, not a fill");
  check(bluePixelsAround(shot, 420, 300) >= 20, "the South Pacific is blue");
  check(bluePixelsAround(shot, 200, 20) >= 20, "the Arctic Ocean north of Europe is blue");
  // The seven AREA boxes in their colours.
  const uint32_t boxColours[7] = {0xFF0000, 0x0080FF, 0x9D4F4F, 0x00FF80, 0xFFFFFF, 0xFF00FF, 0xFFFF00};
  for (int i = 0; i < 7; ++i)
    check(countColour(shot, boxColours[i]) >= 100, "the box colour of AREA" + std::to_string(i + 1) + " shows");
  closeProgram(p, main);
}
Register r1("display.map_shown", mapShown);

void resizeStretches(const Context& ctx) {
  deleteProgramKey();
  Process p = Process::start(ctx.program);
  HWND main = waitMainWindow(p);
  bringToFront(main);
  requireComposedFrame(ctx, main, "the first frame is shown", "first");

  // Twice the map's size.
  RECT want{0, 0, 2 * kMapWidth, 2 * kMapHeight};
  AdjustWindowRectEx(&want, static_cast<DWORD>(GetWindowLongW(main, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(main, GWL_EXSTYLE)));
  SetWindowPos(main, nullptr, 0, 0, want.right - want.left, want.bottom - want.top, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT rc{};
  const bool grew = waitFor([&] { return GetClientRect(main, &rc) && rc.right > 1000 && rc.bottom > 600; }, 5000);
  check(grew, "the window grew: client " + rectText(rc));
  requireComposedFrame(ctx, main, "the frame is stretched over the whole larger client area", "resized");
  screenshot(ctx, main, "resized");

  // And smaller than the map (shrinking merges pixels, so only the coverage is checked).
  SetWindowPos(main, nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  const bool shrank = waitFor([&] { return GetClientRect(main, &rc) && rc.right < 300 && rc.bottom < 200; }, 5000);
  check(shrank, "the window shrank: client " + rectText(rc));
  check(waitFor(
            [&] {
              const ClientPixels c = captureClient(main);
              return clientCoveredByMap(c) && dateLineWhereExpected(c);
            },
            10000),
        "the whole frame is shrunk onto the smaller client area");
  screenshot(ctx, main, "shrunk");
  check(p.running(), "the program runs on");
  closeProgram(p, main);
}
Register r2("display.resize_stretches", resizeStretches);

void minimiseRestore(const Context& ctx) {
  deleteProgramKey();
  writeTitleShowsArea(1, "AREA1");
  Process p = Process::start(ctx.program);
  HWND main = waitMainWindow(p);
  std::string title;
  const bool shown = waitFor([&] { return titleShowsLocalTime(main, "東京", &title); }, 10000);
  check(shown, "the title shows Tokyo's time: " + title);
  ShowWindow(main, SW_MINIMIZE);
  check(waitFor([&] { return IsIconic(main) != FALSE; }, 5000), "minimised");
  // Some ticks with a client area of no size.
  check(!waitFor([&] { return !p.running(); }, 3500), "the program runs on while minimised");
  ShowWindow(main, SW_RESTORE);
  check(waitFor([&] { return IsIconic(main) == FALSE; }, 5000), "restored");
  bringToFront(main);
  requireComposedFrame(ctx, main, "the map is shown again", "restored");
  check(p.running(), "the program is alive");
  const bool current = waitFor([&] { return titleShowsLocalTime(main, "東京", &title); }, 5000);
  check(current, "the title still shows the current time: " + title);
  screenshot(ctx, main, "restored");
  closeProgram(p, main);
}
Register r3("display.minimise_restore", minimiseRestore);

void noCaption(const Context& ctx) {
  deleteProgramKey();
  writeInt("OPTION", "MAIN_TITLE", 1);
  Process p = Process::start(ctx.program);
  HWND main = waitMainWindow(p);
  check(waitFor([&] { return (GetWindowLongW(main, GWL_STYLE) & WS_CAPTION) != WS_CAPTION; }, 10000),
        "MAIN_TITLE = 1 removes the title bar");
  check(waitFor([&] { return IsIconic(main) == FALSE && IsWindowVisible(main); }, 5000),
        "the window is shown normally after the restyling");
  bringToFront(main);
  requireComposedFrame(ctx, main, "the map is shown", "no-caption");
  screenshot(ctx, main, "no-caption");
  closeProgram(p, main);
}
Register r4("display.no_caption", noCaption);

void titleAreaTime(const Context& ctx) {
  deleteProgramKey();
  writeTitleShowsArea(3, "AREA3");
  writeText("AREA3", "COUNTRY", "Paris");
  Process p = Process::start(ctx.program);
  HWND main = waitMainWindow(p);
  std::string title;
  const bool shown = waitFor([&] { return titleShowsLocalTime(main, "Paris", &title); }, 10000);
  check(shown, "the title reads \"H:MM Paris\" at the PC's time: " + title);
  // The next minute: the title follows within a tick or two of the turn. Ticks land just after
  // each whole second of the PC clock, so the lag from the turn to the new title is short.
  const std::string first = title;
  const ULONGLONG giveUp = GetTickCount64() + 65000;
  while (windowText(main) == first && GetTickCount64() < giveUp) Sleep(2);
  check(windowText(main) != first, "the title changes with the minute");
  SYSTEMTIME changed;
  GetLocalTime(&changed);
  const int lagMs = changed.wSecond * 1000 + changed.wMilliseconds;
  log("  the title changed " + std::to_string(lagMs) + " ms after the minute turned");
  check(lagMs < 1000, "within the first second of the new minute");
  const bool next = waitFor([&] { return titleShowsLocalTime(main, "Paris", &title); }, 3000);
  check(next && title != first, "and shows the new minute: " + title);
  closeProgram(p, main);
}
Register r5("display.title_area_time", titleAreaTime);

// Is the picture that a run of ticks left on the screen, each sending only what changed, the
// whole frame? Compared with a whole present of the same frame: a paint presents the last
// composed frame in full. Each try starts just after a tick (the picture has just changed), so
// the next tick is most of a second away; a tick that still falls in between spoils that try.
bool screenMatchesWholePresent(HWND main, size_t* differing) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    const ClientPixels before = captureClient(main);
    waitFor([&] { return captureClient(main).px != before.px; }, 3000);  // a tick
    const ClientPixels partial = captureClient(main);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(main, WM_PAINT, 0, 0, SMTO_BLOCK, 5000, &ignored);
    Sleep(100);  // let the X server take the painted picture
    const ClientPixels whole = captureClient(main);
    size_t diff = 0;
    for (size_t i = 0; i < std::min(partial.px.size(), whole.px.size()); ++i) diff += partial.px[i] != whole.px[i];
    *differing = diff;
    log("  try " + std::to_string(attempt + 1) + ": " + std::to_string(diff) + " pixels differ from the whole present");
    if (diff == 0 && partial.width == whole.width && partial.height == whole.height && !partial.px.empty())
      return true;
  }
  return false;
}

void partialPresentsAreWhole(const Context& ctx) {
  deleteProgramKey();  // default settings: every second moves hands, digits and both sprites
  Process p = Process::start(ctx.program);
  HWND main = waitMainWindow(p);
  bringToFront(main);
  requireComposedFrame(ctx, main, "the first frame is shown", "first");
  Sleep(30000);  // thirty ticks, each presenting only its changes
  size_t differing = 0;
  const bool same = screenMatchesWholePresent(main, &differing);
  screenshot(ctx, main, "after-30s");
  check(same, "after 30 s the screen equals the whole frame (" + std::to_string(differing) + " pixels differ)");

  // A non-integer scale in both directions.
  RECT want{0, 0, 801, 457};
  AdjustWindowRectEx(&want, static_cast<DWORD>(GetWindowLongW(main, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(main, GWL_EXSTYLE)));
  SetWindowPos(main, nullptr, 0, 0, want.right - want.left, want.bottom - want.top, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT rc{};
  check(waitFor([&] { return GetClientRect(main, &rc) && rc.right == 801 && rc.bottom == 457; }, 5000),
        "the client area is 801 x 457");
  requireComposedFrame(ctx, main, "the frame is stretched over the new size", "resized");
  Sleep(8000);
  const bool sameScaled = screenMatchesWholePresent(main, &differing);
  screenshot(ctx, main, "scaled-after-8s");
  check(sameScaled, "at 801 x 457 the screen equals the whole frame (" + std::to_string(differing) +
                        " pixels differ)");
  closeProgram(p, main);
}
Register r6("display.partial_present_is_whole", partialPresentsAreWhole);

}  // namespace
}  // namespace e2e
