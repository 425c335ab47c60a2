#pragma once
// The options dialog "オプション" without Windows: its control identifiers, its copy of the
// option values, the exchange table in take-back order, the enabling rules, the title-time
// buttons and what OK does to the main window's records.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "resources/settings_ui_ids.h"
#include "settings/settings.h"
#include "settings_ui/area_sheet_model.h"
#include "dialogfw/field_exchange.h"

namespace mdx {

namespace option_ids {
constexpr int kTemplate = IDD_OPTIONS;
constexpr int kTopWindow = IDC_OPT_TOP_WINDOW;
constexpr int kMainTitle = IDC_OPT_MAIN_TITLE;
constexpr int kDateLine = IDC_OPT_DATELINE;
constexpr int kEquator = IDC_OPT_EQUATOR;
constexpr int kInterval = IDC_OPT_INTERVAL;
constexpr int kResetWindow = IDC_OPT_RESET_WINDOW;
constexpr int kAreaNumber = IDC_OPT_AREA_NO;
constexpr int kNight = IDC_OPT_NIGHT;
constexpr int kTrueSky = IDC_OPT_TRUE_SKY;
constexpr int kEvent = IDC_OPT_EVENT;
constexpr int kHourlyChime = IDC_OPT_JIHOU;
constexpr int kUserChime = IDC_OPT_USER_CHIME;
constexpr int kUserMinute = IDC_OPT_USER_MINUTE;
constexpr int kWavBrowse = IDC_OPT_WAV_BROWSE;
constexpr int kWavPath = IDC_OPT_WAV_PATH;
constexpr int kDialColour = IDC_OPT_DIAL_COLOUR;
constexpr int kDialRed = IDC_OPT_DIAL_RED;
constexpr int kDialGreen = IDC_OPT_DIAL_GREEN;
constexpr int kDialBlue = IDC_OPT_DIAL_BLUE;
constexpr int kColorButton = IDC_OPT_COLOR;
// The title-time buttons by position: "なし", "AREA1" .. "AREA7".
constexpr std::array<int, 8> kTitleButtons = {IDC_OPT_TITLE_NONE,  IDC_OPT_TITLE_AREA1, IDC_OPT_TITLE_AREA2,
                                               IDC_OPT_TITLE_AREA3, IDC_OPT_TITLE_AREA4, IDC_OPT_TITLE_AREA5,
                                               IDC_OPT_TITLE_AREA6, IDC_OPT_TITLE_AREA7};
}  // namespace option_ids

extern const char kOptionsCaption[];      // "オプション"
extern const char kUserChimeFilter[];     // "WAVﾌｧｲﾙ|*.wav;|WAVE|*.wav||"

constexpr int32_t kMinuteMin = 0, kMinuteMax = 59;

// The dialog's copy: the options (inherited, so the exchange table binds them
// directly), the three user-chime fields and the one-shot reset-window flag, which is 0 every
// time the dialog opens.
struct OptionDialogValues : OptionSettings {
  int32_t userChimeOn = 0;
  int32_t userChimeMinute = 0;
  std::string userChimeFile;
  int32_t resetWindow = 0;
};

OptionDialogValues optionValuesFrom(const SettingsRecords& records);

// The exchange table in take-back order: 昼夜表示, 太陽の位置で昼夜を描く, 常に手前に表示, 日付変更線表示, 赤道表示,
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
void applyTrueSkyEnabling(ControlAccess& controls);     // 太陽の位置で昼夜を描く follows 昼夜表示

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
