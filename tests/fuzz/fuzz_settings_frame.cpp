// Stored settings of any shape, as far as the main window takes them: a profile store holding
// any subset of the 143 values, each an int32, a text, or a value of the other type, is loaded,
// saved and loaded again, and then drives several ticks (title, timed actions with any
// reservation times, composed frame) at fuzzed PC times, time zones and window sizes, with
// AREAs on time zones or not.
//
// Properties: nothing crashes or reads out of bounds; a save writes exactly the 143 values
// with their own types and reloads to the same records; the frame keeps the map's size;
// the title is the call text, the plain title, or "<hour>:<minute> <COUNTRY>" of the chosen AREA.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "actions/timed_action_engine.h"
#include "display/frame.h"
#include "display/map_surfaces.h"
#include "display/title_bar.h"
#include "fuzz_check.h"
#include "platform/fake_clock.h"
#include "settings/memory_profile_store.h"
#include "settings/settings_io.h"
#include "testsupport/quiet_effects.h"
#include "worldtime/fixed_zone_rules.h"
#include "worldtime/area_time.h"

namespace {

using namespace mdx;

struct StoredKey {
  std::string section, key;
  bool isText = false;
};

// Every key a save writes, learned from a save of the defaults, so the list is the store's own.
const std::vector<StoredKey>& allKeys() {
  static const std::vector<StoredKey> keys = [] {
    MemoryProfileStore store;
    saveSettings(store, defaultSettings(), WindowRect{});
    std::vector<StoredKey> out;
    for (const auto& section : store.sections())
      for (const auto& value : section.second)
        out.push_back({section.first, value.first, std::holds_alternative<std::string>(value.second)});
    return out;
  }();
  return keys;
}

// The real bitmaps from the source tree, loaded once. A frame writes only WorkSurface and
// starts by copying the whole base map onto it, so runs can share them.
MapSurfaces& realSurfaces() {
  static MapSurfaces surfaces = [] {
    DirectoryBitmapSource source(MDX_SOURCE_DIR "/libs/graphics/bitmaps",
                                 MDX_SOURCE_DIR "/libs/graphics/mdxgraph.rc");
    return loadMapSurfaces(source);
  }();
  return surfaces;
}

int32_t fuzzedInt(FuzzedDataProvider& in) {
  // Mostly the values that sit on edges, the rest anything at all.
  static const int32_t kEdges[] = {0, 1, 2, -1, 23, 24, 255, 256, 577, 578, 340, 341, -578,
                                   std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(),
                                   std::numeric_limits<int32_t>::min() + 1, std::numeric_limits<int32_t>::max() - 1};
  if (in.ConsumeBool()) return in.PickValueInArray(kEdges);
  return in.ConsumeIntegral<int32_t>();
}

// Windows' clock covers the years 1601 to 30827; the fuzzed PC time stays inside that.
int64_t fuzzedMillis(FuzzedDataProvider& in) {
  static const int64_t lo = daysFromCivil(1601, 1, 2) * 86400000;
  static const int64_t hi = daysFromCivil(30827, 12, 30) * 86400000;
  return in.ConsumeIntegralInRange<int64_t>(lo, hi);
}

class RecordingTitle final : public TitleWindow {
 public:
  void setTitle(const std::string& utf8) override { titles.push_back(utf8); }
  void flash(bool) override { ++flashes; }
  std::vector<std::string> titles;
  int flashes = 0;
};

// The timed actions' outside effects, checked as they happen.
class CheckingEffects final : public QuietEffects {
 public:
  void saveSettings() override { ++saves; }
  bool endSession(uint32_t flags, uint32_t reason) override {
    FUZZ_CHECK(flags == kExitLogOff || flags == kExitReboot || flags == kExitShutdown,
               "a session end only with one of the three kinds");
    FUZZ_CHECK(reason == kExitReasonPlannedOther, "a session end is always planned");
    ++sessionEnds;
    return true;
  }
  void postQuit() override { ++quits; }
  int saves = 0, sessionEnds = 0, quits = 0;
};

void checkSavedShape(const MemoryProfileStore& saved) {
  FUZZ_CHECK(saved.valueCount() == static_cast<size_t>(kSavedValueCount), "a save writes 143 values");
  size_t texts = 0;
  for (const auto& key : allKeys()) {
    const auto section = saved.sections().find(key.section);
    FUZZ_CHECK(section != saved.sections().end(), "every section is written");
    const auto value = section->second.find(key.key);
    FUZZ_CHECK(value != section->second.end(), "every key is written");
    const bool isText = std::holds_alternative<std::string>(value->second);
    FUZZ_CHECK(isText == key.isText, "every value keeps its type");
    texts += isText;
  }
  FUZZ_CHECK(texts == static_cast<size_t>(kSavedTextCount), "11 of the values are texts");
}

// An AREA's hour as the title shows it: 0..23 without a leading zero, or in the twelve-hour
// form "AM0".."AM12", "PM1".."PM11".
bool validHourText(const std::string& text) {
  auto number = [](const std::string& t, int lo, int hi) {
    if (t.empty() || t.size() > 2 || (t.size() == 2 && t[0] == '0')) return false;
    for (char c : t)
      if (c < '0' || c > '9') return false;
    const int v = std::stoi(t);
    return v >= lo && v <= hi;
  };
  if (text.rfind("AM", 0) == 0) return number(text.substr(2), 0, 12);
  if (text.rfind("PM", 0) == 0) return number(text.substr(2), 1, 11);
  return number(text, 0, 23);
}

void checkTitle(const std::string& title, const SettingsRecords& settings, bool callPending) {
  if (callPending) {
    FUZZ_CHECK(title == settings.action.callText, "a pending call shows its text");
    return;
  }
  const int32_t n = settings.option.TITLE;
  if (n < 1 || n > kAreaCount) {
    FUZZ_CHECK(title == kPlainTitle, "no AREA chosen: the plain title");
    return;
  }
  const std::string& country = settings.area(n).COUNTRY;
  FUZZ_CHECK(title.size() >= country.size() + 4, "hour, minute and name");
  FUZZ_CHECK(title.compare(title.size() - country.size(), country.size(), country) == 0,
             "the title ends with the AREA's name");
  const size_t colon = title.find(':');
  FUZZ_CHECK(colon != std::string::npos && colon + 3 < title.size() && title[colon + 3] == ' ',
             "a two-digit minute after the hour");
  FUZZ_CHECK(validHourText(title.substr(0, colon)), "the hour is 0..23, or AM0..AM12 / PM1..PM11");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::vector<StoredKey>& keys = allKeys();

  // The store: any of the keys, each a number, a text, or a value of the wrong type.
  MemoryProfileStore store;
  const int writes = in.ConsumeIntegralInRange<int>(0, 200);
  for (int i = 0; i < writes && in.remaining_bytes() > 0; ++i) {
    const StoredKey& k = keys[in.ConsumeIntegralInRange<size_t>(0, keys.size() - 1)];
    bool asText = k.isText;
    if (in.ConsumeIntegralInRange<int>(0, 7) == 0) asText = !asText;  // the wrong type
    if (asText)
      store.writeString(k.section, k.key, in.ConsumeRandomLengthString(300));
    else
      store.writeInt(k.section, k.key, fuzzedInt(in));
  }

  SettingsRecords records = defaultSettings();
  WindowRect rect;
  loadSettings(store, records, rect);

  // What is loaded survives a save and a reload unchanged, in 143 values of the right types.
  MemoryProfileStore saved;
  saveSettings(saved, records, rect);
  checkSavedShape(saved);
  SettingsRecords reloaded = defaultSettings();
  WindowRect reloadedRect;
  loadSettings(saved, reloaded, reloadedRect);
  for (int n = 1; n <= kAreaCount; ++n) FUZZ_CHECK(reloaded.area(n) == records.area(n), "AREA reloads the same");
  FUZZ_CHECK(reloaded.option == records.option, "OPTION reloads the same");
  FUZZ_CHECK(reloaded.action == records.action, "ACTION reloads the same");
  FUZZ_CHECK(reloadedRect == rect, "the window rectangle reloads the same");

  // Time zones on any AREAs: known ones (daylight saving, half and quarter hours), a name the
  // rules do not know, or none. Each set zone adds one text value to a save.
  static const char* const kZones[] = {"", "India Standard Time", "Nepal Standard Time", "Eastern Standard Time",
                                       "GMT Standard Time", "Chatham Islands Standard Time", "Atlantis Standard Time"};
  size_t zoned = 0;
  for (AreaSettings& a : records.areas) {
    if (in.ConsumeBool()) a.ZONE = in.PickValueInArray(kZones);
    zoned += !a.ZONE.empty();
  }
  MemoryProfileStore savedWithZones;
  saveSettings(savedWithZones, records, rect);
  FUZZ_CHECK(savedWithZones.valueCount() == kSavedValueCount + zoned, "a save adds one value per zone");
  const ZoneRules* zones = &builtinFixedZoneRules();
  // The true sky at any value (only 1 counts), under any clock the frames below are given.
  records.option.D_TAIYOU = fuzzedInt(in);

  // The reservation times are the dialog's and never stored: any text at all here.
  records.action.exitTime = in.ConsumeRandomLengthString(8);
  records.action.soundTime = in.ConsumeRandomLengthString(8);
  records.action.programTime = in.ConsumeRandomLengthString(8);
  records.action.callTime = in.ConsumeRandomLengthString(8);

  // Several ticks' worth of titles, timed actions and frames, in the tick's order.
  MapSurfaces& surfaces = realSurfaces();
  const int offset = in.ConsumeIntegralInRange<int>(-14 * 3600, 14 * 3600);
  FakeClock clock(fuzzedMillis(in), offset);
  DisplayState state;
  TitleState titleState;
  RecordingTitle window;
  TimedActionState actionState;
  CheckingEffects effects;
  Surface presented;
  const int frames = in.ConsumeIntegralInRange<int>(1, 4);
  for (int f = 0; f < frames; ++f) {
    if (in.ConsumeBool()) state.setClientSize(fuzzedInt(in), fuzzedInt(in));
    if (in.ConsumeBool()) titleState.titleRefreshDue = 1;
    if (actionState.callPending != 0 && in.ConsumeBool())
      resetCall(records.option, actionState, effects, titleState.titleRefreshDue);
    const bool callPending = actionState.callPending != 0;

    const size_t titlesBefore = window.titles.size();
    const int64_t now = clock.nowSeconds();  // the tick's one instant
    updateTitle(window, titleState, records, clock, zones, now, callPending);
    if (window.titles.size() > titlesBefore) checkTitle(window.titles.back(), records, callPending);

    const int sessionEndsBefore = effects.sessionEnds, savesBefore = effects.saves;
    checkTimedActions(clock, now, records.action, records.option, actionState, effects);
    FUZZ_CHECK(effects.sessionEnds - sessionEndsBefore == effects.saves - savesBefore,
               "the settings are saved before every session end");
    FUZZ_CHECK(effects.quits >= effects.sessionEnds, "every session end also ends the program");

    const AreaTime pcNow = pcTimeAt(clock, now);
    FUZZ_CHECK(pcNow.hour >= 0 && pcNow.hour < 24 && pcNow.minute >= 0 && pcNow.minute < 60 && pcNow.second >= 0 &&
                   pcNow.second < 60,
               "the PC's time of day is in range");
    if (frameDue(state.firstFrameDue, records.option.INTERVAL, pcNow.second)) {
      FrameContext ctx{surfaces, records, clock, state, zones};
      composeFrame(ctx, now);
      FUZZ_CHECK(surfaces.WorkSurface.width() == kMapWidth && surfaces.WorkSurface.height() == kMapHeight,
                 "the frame keeps the map's size");
      // The stretch to the window, at a size bounded so that a run stays quick.
      stretchFrame(surfaces, state.clientWidth % 240, state.clientHeight % 180, presented);
      FUZZ_CHECK(!presented.empty(), "the window always gets a picture");
    }
    // On to the next tick: a second, a minute, or a jump of the PC clock.
    switch (in.ConsumeIntegralInRange<int>(0, 2)) {
      case 0: clock.advanceMillis(1000); break;
      case 1: clock.advanceMillis(60000); break;
      default: clock.setMillis(fuzzedMillis(in)); break;
    }
  }
  return 0;
}
