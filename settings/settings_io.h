#pragma once
// Reading and writing every setting through a ProfileStore: sections AREA1..AREA7, OPTION,
// SYSTEM (the window rectangle) and ACTION, in that order. Missing keys and values of the
// wrong type read as their defaults; loaded values are kept as they are, unchecked.
#include "settings/profile_store.h"
#include "settings/settings.h"

namespace mdx {

// Section name of AREA n (1..7).
std::string areaSection(int n);

void loadSettings(ProfileStore& store, SettingsRecords& records, WindowRect& rect);
void saveSettings(ProfileStore& store, const SettingsRecords& records, const WindowRect& rect);

// True when the store holds any of the window rectangle's four values (as a number). Without
// them the window takes its default size for the display's DPI; stored values are kept as
// they are, in physical pixels.
bool hasStoredWindowRect(ProfileStore& store);

// A complete save writes this many values: 7 x 16 + 14 + 4 + 13, of which 11 are texts.
constexpr int kSavedValueCount = 143;
constexpr int kSavedTextCount = 11;

}  // namespace mdx
