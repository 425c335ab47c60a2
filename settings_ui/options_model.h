#pragma once
// The options dialog "オプション" without Windows: its control identifiers, its copy of the
// option values, the exchange table in take-back order, the two enabling rules, the title-time
// buttons and what OK does to the main window's records.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "settings_ui/area_sheet_model.h"
#include "dialogfw/field_exchange.h"

namespace mdx {

namespace option_ids {
constexpr int kTemplate = 134;
constexpr int kTopWindow = 1029;
constexpr int kMainTitle = 1032;
constexpr int kDateLine = 1218;
constexpr int kEquator = 1217;
constexpr int kInterval = 1221;
constexpr int kResetWindow = 1271;
constexpr int kAreaNumber = 1220;
constexpr int kNight = 1028;
constexpr int kEvent = 1031;
constexpr int kHourlyChime = 1219;
constexpr int kUserChime = 1216;
constexpr int kUserMinute = 1260;
constexpr int kWavBrowse = 1025;
constexpr int kWavPath = 1265;
constexpr int kDialColour = 1030;
constexpr int kDialRed = 1254;
constexpr int kDialGreen = 1255;
constexpr int kDialBlue = 1256;
constexpr int kColorButton = 1007;
// The title-time buttons by position: "なし", "AREA1" .. "AREA7".
constexpr std::array<int, 8> kTitleButtons = {1224, 1010, 1011, 1017, 1018, 1019, 1015, 1016};
}  // namespace option_ids

extern const char kOptionsCaption[];      // "オプション"
extern const char kUserChimeFilter[];     // "WAVﾌｧｲﾙ|*.wav;|WAVE|*.wav||"

constexpr int32_t kMinuteMin = 0, kMinuteMax = 59;

// The dialog's copy: the fourteen options (inherited, so the exchange table binds them
// directly), the three user-chime fields and the one-shot reset-window flag, which is 0 every
// time the dialog opens.
struct OptionDialogValues : OptionSettings {
  int32_t userChimeOn = 0;
  int32_t userChimeMinute = 0;
  std::string userChimeFile;
  int32_t resetWindow = 0;
};

OptionDialogValues optionValuesFrom(const SettingsRecords& records);

// The exchange table in take-back order: 昼夜表示, 常に手前に表示, 日付変更線表示, 赤道表示,
// the title-time buttons, 毎時時報, AREAﾅﾝﾊﾞｰ表示, 文字盤に色をつける, ｲﾍﾞﾝﾄ表示, dial blue,
// green, red, the WAV path, 時報（ﾕｰｻﾞｰ選択）, the minute, ｳｲﾝﾄﾞｳﾀｲﾄﾙ無し, the reset flag,
// １分間に１回描画.
std::vector<Field> optionFields(OptionDialogValues& values);

// OK's take-back: the fields in table order into a scratch copy, committed to `values` only
// when every field passes. A refused OK leaves the dialog's values as they were, so the dial
// colour picker still starts from the colour loaded or last chosen, never from typed text.
std::optional<FieldFailure> takeBackOptions(OptionDialogValues& values, const ControlAccess& controls);

// Enabling rules, each following its own check box.
void applyUserChimeEnabling(ControlAccess& controls);  // 1260, 1025, 1265 follow 1216
void applyDialColourEnabling(ControlAccess& controls);  // 1254..1256 and 1007 follow 1030

// The user confirmed the dial-colour picker.
void acceptDialColour(OptionDialogValues& values, Rgb chosen, ControlAccess& controls);

// What OK leaves for the window itself to do, in this order.
struct OptionsOkSteps {
  bool resetWindow = false;  // move to (107, 102) 586 x 369, out of the topmost band
  bool restyle = false;      // MAIN_TITLE changed: apply the title-bar style
};

// OK: copies every value back into the records except MAIN_TITLE, which is stored only when
// it differs (then the window is restyled). The reset flag is never stored.
OptionsOkSteps applyOptionsOk(const OptionDialogValues& values, SettingsRecords& records);

// The rectangle the reset restores: the default window rectangle.
WindowRect defaultWindowRect();

}  // namespace mdx
