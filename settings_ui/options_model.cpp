#include "settings_ui/options_model.h"

namespace mdx {

const char kOptionsCaption[] = "オプション";
const char kUserChimeFilter[] = "WAVﾌｧｲﾙ|*.wav;|WAVE|*.wav||";

OptionDialogValues optionValuesFrom(const SettingsRecords& records) {
  OptionDialogValues v;
  static_cast<OptionSettings&>(v) = records.option;
  v.userChimeOn = records.action.userChimeOn;
  v.userChimeMinute = records.action.userChimeMinute;
  v.userChimeFile = records.action.userChimeFile;
  v.resetWindow = 0;
  return v;
}

std::vector<Field> optionFields(OptionDialogValues& v) {
  using F = Field;
  namespace id = option_ids;
  return {
      F::checkBox(id::kNight, v.D_NIGHT),
      F::checkBox(id::kTrueSky, v.D_TAIYOU),
      F::checkBox(id::kTopWindow, v.TOP_WINDOW),
      F::checkBox(id::kDateLine, v.D_DATELINE),
      F::checkBox(id::kEquator, v.D_SEKIDOU),
      F::radioSet({id::kTitleButtons.begin(), id::kTitleButtons.end()}, v.TITLE),
      F::checkBox(id::kHourlyChime, v.JIHOU),
      F::checkBox(id::kAreaNumber, v.D_AREA_NO),
      F::checkBox(id::kDialColour, v.D_BAN_COLOR),
      F::checkBox(id::kEvent, v.D_EVENT1),
      F::intField(id::kDialBlue, v.D_MOJIBAN_B, kColourMin, kColourMax),
      F::intField(id::kDialGreen, v.D_MOJIBAN_G, kColourMin, kColourMax),
      F::intField(id::kDialRed, v.D_MOJIBAN_R, kColourMin, kColourMax),
      F::textField(id::kWavPath, v.userChimeFile),
      F::checkBox(id::kUserChime, v.userChimeOn),
      F::intField(id::kUserMinute, v.userChimeMinute, kMinuteMin, kMinuteMax),
      F::checkBox(id::kMainTitle, v.MAIN_TITLE),
      F::checkBox(id::kResetWindow, v.resetWindow),
      F::checkBox(id::kInterval, v.INTERVAL),
  };
}

std::optional<FieldFailure> takeBackOptions(OptionDialogValues& values, const ControlAccess& controls) {
  OptionDialogValues taken = values;
  if (auto failure = takeBackFields(optionFields(taken), controls)) return failure;
  values = std::move(taken);
  return std::nullopt;
}

void applyUserChimeEnabling(ControlAccess& controls) {
  const bool on = controls.isChecked(option_ids::kUserChime);
  for (int c : {option_ids::kUserMinute, option_ids::kWavBrowse, option_ids::kWavPath}) controls.enableItem(c, on);
}

void applyDialColourEnabling(ControlAccess& controls) {
  const bool on = controls.isChecked(option_ids::kDialColour);
  for (int c : {option_ids::kDialRed, option_ids::kDialGreen, option_ids::kDialBlue, option_ids::kColorButton})
    controls.enableItem(c, on);
}

void applyTrueSkyEnabling(ControlAccess& controls) {
  controls.enableItem(option_ids::kTrueSky, controls.isChecked(option_ids::kNight));
}

void acceptDialColour(OptionDialogValues& values, Rgb chosen, ControlAccess& controls) {
  values.D_MOJIBAN_R = chosen.r;
  values.D_MOJIBAN_G = chosen.g;
  values.D_MOJIBAN_B = chosen.b;
  controls.setItemText(option_ids::kDialRed, std::to_string(values.D_MOJIBAN_R));
  controls.setItemText(option_ids::kDialGreen, std::to_string(values.D_MOJIBAN_G));
  controls.setItemText(option_ids::kDialBlue, std::to_string(values.D_MOJIBAN_B));
}

OptionsOkSteps applyOptionsOk(const OptionDialogValues& values, SettingsRecords& records) {
  OptionsOkSteps steps;
  const int32_t oldMainTitle = records.option.MAIN_TITLE;
  records.option = static_cast<const OptionSettings&>(values);
  records.option.MAIN_TITLE = oldMainTitle;
  records.action.userChimeOn = values.userChimeOn;
  records.action.userChimeMinute = values.userChimeMinute;
  records.action.userChimeFile = values.userChimeFile;
  steps.resetWindow = values.resetWindow == 1;
  if (values.MAIN_TITLE != oldMainTitle) {
    records.option.MAIN_TITLE = values.MAIN_TITLE;
    steps.restyle = true;
  }
  return steps;
}

WindowRect defaultWindowRect() { return WindowRect{}; }

}  // namespace mdx
