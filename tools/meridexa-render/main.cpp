// meridexa-render: composes the map frame the main window would show for a given date and
// time, settings and window size, and writes it as PNG (the 578 x 340 frame, and optionally
// the picture stretched to the window's client size).
//
//   meridexa-render --out frame.png [--time "YYYY-MM-DD HH:MM:SS" | --utc "YYYY-MM-DD HH:MM:SS"]
//                   [--pc-offset MINUTES] [--true-sky] [--settings FILE]
//                   [--size WxH] [--window-out window.png] [--frames N]
//                   [--bitmaps DIR] [--rc FILE] [--synthetic]
//
// --time is the PC's local time, --utc the instant in UTC; --pc-offset puts the PC's clock that
// many minutes east of UTC (default 0), which moves the AREAs' RUG times and the hand-drawn
// shading but not the true sky. --true-sky turns on OPTION D_TAIYOU (and D_NIGHT): the night
// side where the sun really stands at that instant.
//
// The settings file holds the profile's sections and keys, either INI style ("[AREA1]" then
// "COUNTRY=Paris") or one "SECTION.KEY=value" per line; missing keys keep their defaults. An
// AREA's ZONE names one of the zones of worldtime/fixed_zone_rules.cpp.
// --frames N composes N frames one second apart (the sprites walk one step per frame).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <set>
#include <string>

#include "settings/memory_profile_store.h"
#include "settings/settings_io.h"
#include "worldtime/fixed_zone_rules.h"
#include "display/frame.h"
#include "testsupport/png_writer.h"
#include "testsupport/synthetic_bitmaps.h"
#include "platform/clock.h"
#include "platform/fake_clock.h"

#ifndef MDX_SOURCE_DIR
#define MDX_SOURCE_DIR "."
#endif

namespace {

using namespace mdx;

void usage() {
  std::fprintf(stderr,
               "usage: meridexa-render --out frame.png [--time \"YYYY-MM-DD HH:MM:SS\" | --utc \"YYYY-MM-DD HH:MM:SS\"]\n"
               "                       [--pc-offset MINUTES] [--true-sky] [--settings FILE]\n"
               "                       [--size WxH] [--window-out window.png] [--frames N]\n"
               "                       [--bitmaps DIR] [--rc FILE] [--synthetic]\n");
}

std::string trim(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return {};
  const size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

bool parseInt32(const std::string& text, int32_t& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (*end != '\0' || v < INT32_MIN || v > INT32_MAX) return false;
  out = static_cast<int32_t>(v);
  return true;
}

// Reads the key=value file into a profile store, texts for the text keys, integers otherwise.
bool loadSettingsFile(const std::string& path, MemoryProfileStore& store) {
  static const std::set<std::string> kTextKeys = {"COUNTRY", "WINDOW_TEXT", "SOUND", "APPLI", "USERWAVFILE"};
  std::ifstream in(path);
  if (!in) return false;
  std::string line, section;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    line = trim(line);
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      section = trim(line.substr(1, line.size() - 2));
      continue;
    }
    const size_t eq = line.find('=');
    if (eq == std::string::npos) {
      std::fprintf(stderr, "%s:%d: no '=' in line, ignored\n", path.c_str(), lineNo);
      continue;
    }
    std::string key = trim(line.substr(0, eq));
    const std::string value = trim(line.substr(eq + 1));
    std::string sec = section;
    const size_t dot = key.find('.');
    if (dot != std::string::npos) {
      sec = key.substr(0, dot);
      key = key.substr(dot + 1);
    }
    if (sec.empty()) {
      std::fprintf(stderr, "%s:%d: key outside a section, ignored\n", path.c_str(), lineNo);
      continue;
    }
    int32_t number;
    if (kTextKeys.count(key) == 0 && parseInt32(value, number))
      store.writeInt(sec, key, number);
    else
      store.writeString(sec, key, value);
  }
  return true;
}

bool parseTime(const std::string& text, int& y, int& mo, int& d, int& h, int& mi, int& s) {
  return std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s) == 6 && mo >= 1 && mo <= 12 &&
         d >= 1 && d <= 31 && h >= 0 && h <= 23 && mi >= 0 && mi <= 59 && s >= 0 && s <= 59;
}

// The bitmaps from the directory, each missing one replaced by its generated stand-in.
class FallbackBitmapSource final : public BitmapSource {
 public:
  FallbackBitmapSource(BitmapSource& primary, bool usePrimary) : primary_(primary), usePrimary_(usePrimary) {}
  Surface load(int id) override {
    if (usePrimary_) {
      Surface s = primary_.load(id);
      if (!s.empty()) return s;
      std::fprintf(stderr, "bitmap %d not found, using a generated stand-in\n", id);
    }
    return synthetic_.load(id);
  }

 private:
  BitmapSource& primary_;
  SyntheticBitmapSource synthetic_;
  bool usePrimary_;
};

}  // namespace

int main(int argc, char** argv) {
  std::string out, windowOut, settingsPath, timeText, utcText;
  bool trueSky = false;
  int32_t pcOffsetMinutes = 0;
  bool pcOffsetGiven = false;
  std::string bitmaps = MDX_SOURCE_DIR "/libs/graphics/bitmaps";
  std::string rc = MDX_SOURCE_DIR "/libs/graphics/mdxgraph.rc";
  int32_t clientWidth = kInitialClientWidth, clientHeight = kInitialClientHeight;
  long frames = 1;
  bool synthetic = false;

  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto next = [&]() -> std::string {
      if (i + 1 >= argc) {
        usage();
        std::exit(2);
      }
      return argv[++i];
    };
    if (a == "--out") out = next();
    else if (a == "--window-out") windowOut = next();
    else if (a == "--settings") settingsPath = next();
    else if (a == "--time") timeText = next();
    else if (a == "--utc") utcText = next();
    else if (a == "--true-sky") trueSky = true;
    else if (a == "--pc-offset") {
      pcOffsetGiven = true;
      if (!parseInt32(next(), pcOffsetMinutes) || pcOffsetMinutes < -24 * 60 || pcOffsetMinutes > 24 * 60) {
        std::fprintf(stderr, "bad --pc-offset (minutes east of UTC, -1440..1440)\n");
        return 2;
      }
    }
    else if (a == "--bitmaps") bitmaps = next();
    else if (a == "--rc") rc = next();
    else if (a == "--synthetic") synthetic = true;
    else if (a == "--frames") frames = std::strtol(next().c_str(), nullptr, 10);
    else if (a == "--size") {
      const std::string v = next();
      int w = 0, h = 0;
      if (std::sscanf(v.c_str(), "%dx%d", &w, &h) != 2 || w < 1 || h < 1 || w > kMaxPresentSide ||
          h > kMaxPresentSide) {
        std::fprintf(stderr, "bad --size %s (WxH, 1..%d each)\n", v.c_str(), kMaxPresentSide);
        return 2;
      }
      clientWidth = w;
      clientHeight = h;
    } else if (a == "-h" || a == "--help") {
      usage();
      return 0;
    } else {
      std::fprintf(stderr, "unknown argument %s\n", a.c_str());
      usage();
      return 2;
    }
  }
  if (out.empty() && windowOut.empty()) {
    usage();
    return 2;
  }
  if (frames < 1 || frames > 1000000) {
    std::fprintf(stderr, "--frames must be 1..1000000\n");
    return 2;
  }

  // The clock: the PC's zone --pc-offset minutes east of UTC (without a time and an offset, this
  // machine's own zone now); the given time or now.
  const int64_t nowSeconds = SystemClock().nowSeconds();
  if (timeText.empty() && utcText.empty() && !pcOffsetGiven) {
    const CivilTime local = SystemClock().toLocal(nowSeconds);
    const int64_t localSeconds =
        daysFromCivil(local.year, static_cast<unsigned>(local.month), static_cast<unsigned>(local.day)) * 86400 +
        local.hour * 3600 + local.minute * 60 + local.second;
    pcOffsetMinutes = static_cast<int32_t>((localSeconds - nowSeconds) / 60);
  }
  FakeClock clock(nowSeconds * 1000, pcOffsetMinutes * 60);
  int y, mo, d, h, mi, s;
  if (!timeText.empty() && !utcText.empty()) {
    std::fprintf(stderr, "give --time or --utc, not both\n");
    return 2;
  }
  if (!utcText.empty()) {
    if (!parseTime(utcText, y, mo, d, h, mi, s)) {
      std::fprintf(stderr, "bad --utc %s (YYYY-MM-DD HH:MM:SS)\n", utcText.c_str());
      return 2;
    }
    clock.setMillis(((daysFromCivil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d)) * 24 + h) * 3600 +
                     mi * 60 + s) * int64_t{1000});
  } else if (!timeText.empty()) {
    if (!parseTime(timeText, y, mo, d, h, mi, s)) {
      std::fprintf(stderr, "bad --time %s (YYYY-MM-DD HH:MM:SS)\n", timeText.c_str());
      return 2;
    }
    clock.setLocal(y, mo, d, h, mi, s);
  }
  // The sprites walk one step per frame, so the first of N frames lies N-1 seconds earlier.
  clock.advanceMillis(-(static_cast<int64_t>(frames) - 1) * 1000);

  MemoryProfileStore store;
  if (!settingsPath.empty() && !loadSettingsFile(settingsPath, store)) {
    std::fprintf(stderr, "cannot read %s\n", settingsPath.c_str());
    return 1;
  }
  SettingsRecords settings = defaultSettings();
  WindowRect rect;
  loadSettings(store, settings, rect);
  if (trueSky) settings.option.D_NIGHT = settings.option.D_TAIYOU = 1;

  DirectoryBitmapSource directory(bitmaps, rc);
  FallbackBitmapSource source(directory, !synthetic);
  MapSurfaces surfaces = loadMapSurfaces(source);

  DisplayState state;
  state.setClientSize(clientWidth, clientHeight);
  // AREAs with a ZONE follow the built-in table of Windows' zone rules.
  FrameContext ctx{surfaces, settings, clock, state, &builtinFixedZoneRules()};
  for (long f = 0; f < frames; ++f) {
    if (f > 0) clock.advanceMillis(1000);
    composeFrame(ctx, clock.nowSeconds());
  }

  if (!out.empty() && !writePngFile(out, surfaces.WorkSurface)) {
    std::fprintf(stderr, "cannot write %s\n", out.c_str());
    return 1;
  }
  if (!windowOut.empty()) {
    Surface window;
    stretchFrame(surfaces, state.clientWidth, state.clientHeight, window);
    if (!writePngFile(windowOut, window)) {
      std::fprintf(stderr, "cannot write %s\n", windowOut.c_str());
      return 1;
    }
  }
  return 0;
}
