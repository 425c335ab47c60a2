#include "settings/settings_io.h"

namespace mdx {

namespace {

template <class Record>
struct IntKey {
  const char* key;
  int32_t Record::*field;
};
template <class Record>
struct TextKey {
  const char* key;
  std::string Record::*field;
};

// Integer keys of an AREA section, after the text key COUNTRY.
const IntKey<AreaSettings> kAreaInts[] = {
    {"RUG", &AreaSettings::RUG},           {"X", &AreaSettings::X},
    {"Y", &AreaSettings::Y},               {"ﾏｰｼﾞﾝ1X", &AreaSettings::ﾏｰｼﾞﾝ1X},
    {"ﾏｰｼﾞﾝ1Y", &AreaSettings::ﾏｰｼﾞﾝ1Y}, {"ﾏｰｼﾞﾝ2X", &AreaSettings::ﾏｰｼﾞﾝ2X},
    {"ﾏｰｼﾞﾝ2Y", &AreaSettings::ﾏｰｼﾞﾝ2Y}, {"R", &AreaSettings::R},
    {"G", &AreaSettings::G},               {"B", &AreaSettings::B},
    {"D_COUNTRY", &AreaSettings::D_COUNTRY}, {"D_ANALOG", &AreaSettings::D_ANALOG},
    {"D_DIJITAL", &AreaSettings::D_DIJITAL}, {"D_24HOUR", &AreaSettings::D_24HOUR},
    {"D_DATE", &AreaSettings::D_DATE},
};

const IntKey<OptionSettings> kOptionInts[] = {
    {"D_NIGHT", &OptionSettings::D_NIGHT},         {"TOP_WINDOW", &OptionSettings::TOP_WINDOW},
    {"D_SEKIDOU", &OptionSettings::D_SEKIDOU},     {"D_DATELINE", &OptionSettings::D_DATELINE},
    {"JIHOU", &OptionSettings::JIHOU},             {"D_AREA_NO", &OptionSettings::D_AREA_NO},
    {"TITLE", &OptionSettings::TITLE},             {"D_BAN_COLOR", &OptionSettings::D_BAN_COLOR},
    {"D_MOJIBAN_R", &OptionSettings::D_MOJIBAN_R}, {"D_MOJIBAN_G", &OptionSettings::D_MOJIBAN_G},
    {"D_MOJIBAN_B", &OptionSettings::D_MOJIBAN_B}, {"D_EVENT1", &OptionSettings::D_EVENT1},
    {"MAIN_TITLE", &OptionSettings::MAIN_TITLE},   {"INTERVAL", &OptionSettings::INTERVAL},
};

const IntKey<WindowRect> kRectInts[] = {
    {"D_WINDOW_LEFT", &WindowRect::left},
    {"D_WINDOW_TOP", &WindowRect::top},
    {"D_WINDOW_RIGHT", &WindowRect::right},
    {"D_WINDOW_BOTTOM", &WindowRect::bottom},
};

const IntKey<TimedAction> kActionInts[] = {
    {"KYOUSEI", &TimedAction::exitReserved},      {"SELECT_END", &TimedAction::exitKind},
    {"WAVEON", &TimedAction::soundReserved},      {"GOAPPLI", &TimedAction::programReserved},
    {"CALL", &TimedAction::callReserved},         {"FLASH", &TimedAction::callFlash},
    {"TOPWINDOW", &TimedAction::callTopWindow},   {"USERJIHOU", &TimedAction::userChimeOn},
    {"USERMAIFUN", &TimedAction::userChimeMinute},
};

const TextKey<TimedAction> kActionTexts[] = {
    {"SOUND", &TimedAction::soundFile},
    {"APPLI", &TimedAction::programCommand},
    {"WINDOW_TEXT", &TimedAction::callText},
    {"USERWAVFILE", &TimedAction::userChimeFile},
};

const char kZone[] = "ZONE";  // optional, written only when set
const char kTrueSky[] = "D_TAIYOU";  // optional, written only when on
const char kOption[] = "OPTION";
const char kSystem[] = "SYSTEM";
const char kAction[] = "ACTION";

// Reads every key of a table into `record`, each defaulting to the field of `defaults`.
template <class Record, size_t N>
void readInts(ProfileStore& store, const std::string& section, const IntKey<Record> (&keys)[N],
              const Record& defaults, Record& record) {
  for (const auto& k : keys) record.*k.field = store.readInt(section, k.key, defaults.*k.field);
}
template <class Record, size_t N>
void writeInts(ProfileStore& store, const std::string& section, const IntKey<Record> (&keys)[N],
               const Record& record) {
  for (const auto& k : keys) store.writeInt(section, k.key, record.*k.field);
}

}  // namespace

std::string areaSection(int n) { return "AREA" + std::to_string(n); }

void loadSettings(ProfileStore& store, SettingsRecords& records, WindowRect& rect) {
  const SettingsRecords defaults = defaultSettings();
  for (int n = 1; n <= kAreaCount; ++n) {
    const std::string section = areaSection(n);
    const AreaSettings& def = defaults.area(n);
    AreaSettings& area = records.area(n);
    area.COUNTRY = store.readString(section, "COUNTRY", def.COUNTRY);
    readInts(store, section, kAreaInts, def, area);
    area.ZONE = store.readString(section, kZone, def.ZONE);
  }
  readInts(store, kOption, kOptionInts, defaults.option, records.option);
  records.option.D_TAIYOU = store.readInt(kOption, kTrueSky, defaults.option.D_TAIYOU);
  readInts(store, kSystem, kRectInts, WindowRect{}, rect);

  // The reserved times are not stored: a loaded record starts without them.
  TimedAction& action = records.action;
  const TimedAction& def = defaults.action;
  readInts(store, kAction, kActionInts, def, action);
  for (const auto& k : kActionTexts) action.*k.field = store.readString(kAction, k.key, def.*k.field);
}

bool hasStoredWindowRect(ProfileStore& store) {
  // A missing value reads as whichever default is asked for; a stored one reads the same twice.
  for (const auto& k : kRectInts)
    if (store.readInt(kSystem, k.key, 0) == store.readInt(kSystem, k.key, 1)) return true;
  return false;
}

void saveSettings(ProfileStore& store, const SettingsRecords& records, const WindowRect& rect) {
  for (int n = 1; n <= kAreaCount; ++n) {
    const std::string section = areaSection(n);
    store.writeString(section, "COUNTRY", records.area(n).COUNTRY);
    writeInts(store, section, kAreaInts, records.area(n));
    // A profile without zones keeps exactly its classic values.
    const std::string& zone = records.area(n).ZONE;
    if (zone.empty())
      store.removeValue(section, kZone);
    else
      store.writeString(section, kZone, zone);
  }
  writeInts(store, kOption, kOptionInts, records.option);
  // Like ZONE: a profile that never asked for the true sky keeps exactly its classic values.
  if (isOn(records.option.D_TAIYOU))
    store.writeInt(kOption, kTrueSky, records.option.D_TAIYOU);
  else
    store.removeValue(kOption, kTrueSky);
  writeInts(store, kSystem, kRectInts, rect);
  writeInts(store, kAction, kActionInts, records.action);
  for (const auto& k : kActionTexts) store.writeString(kAction, k.key, records.action.*k.field);
}

}  // namespace mdx
