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

std::vector<FieldSpec<OptionDialogValues>> optionFields() {
  using F = FieldSpec<OptionDialogValues>;
  using V = OptionDialogValues;
  namespace id = option_ids;
  return {
      F::checkBox(id::kNight, &V::D_NIGHT),
      F::checkBox(id::kTopWindow, &V::TOP_WINDOW),
      F::checkBox(id::kDateLine, &V::D_DATELINE),
      F::checkBox(id::kEquator, &V::D_SEKIDOU),
      F::radioSet({id::kTitleButtons.begin(), id::kTitleButtons.end()}, &V::TITLE),
      F::checkBox(id::kHourlyChime, &V::JIHOU),
      F::checkBox(id::kAreaNumber, &V::D_AREA_NO),
      F::checkBox(id::kDialColour, &V::D_BAN_COLOR),
      F::checkBox(id::kEvent, &V::D_EVENT1),
      F::intField(id::kDialBlue, &V::D_MOJIBAN_B, kColourMin, kColourMax),
      F::intField(id::kDialGreen, &V::D_MOJIBAN_G, kColourMin, kColourMax),
      F::intField(id::kDialRed, &V::D_MOJIBAN_R, kColourMin, kColourMax),
      F::textField(id::kWavPath, &V::userChimeFile),
      F::checkBox(id::kUserChime, &V::userChimeOn),
      F::intField(id::kUserMinute, &V::userChimeMinute, kMinuteMin, kMinuteMax),
      F::checkBox(id::kMainTitle, &V::MAIN_TITLE),
      F::checkBox(id::kResetWindow, &V::resetWindow),
      F::checkBox(id::kInterval, &V::INTERVAL),
  };
}

std::optional<FieldFailure> takeBackOptions(OptionDialogValues& values, const ControlAccess& controls) {
  OptionDialogValues taken = values;
  if (auto failure = takeBackFields(optionFields(), taken, controls)) return failure;
  values = std::move(taken);
  return std::nullopt;
}

void applyUserChimeEnabling(ControlAccess& controls) {
  const bool on = controls.checked(option_ids::kUserChime);
  for (int c : {option_ids::kUserMinute, option_ids::kWavBrowse, option_ids::kWavPath}) controls.enable(c, on);
}

void applyDialColourEnabling(ControlAccess& controls) {
  const bool on = controls.checked(option_ids::kDialColour);
  for (int c : {option_ids::kDialRed, option_ids::kDialGreen, option_ids::kDialBlue, option_ids::kColorButton})
    controls.enable(c, on);
}

void acceptDialColour(OptionDialogValues& values, Rgb chosen, ControlAccess& controls) {
  values.D_MOJIBAN_R = chosen.r;
  values.D_MOJIBAN_G = chosen.g;
  values.D_MOJIBAN_B = chosen.b;
  controls.setText(option_ids::kDialRed, std::to_string(values.D_MOJIBAN_R));
  controls.setText(option_ids::kDialGreen, std::to_string(values.D_MOJIBAN_G));
  controls.setText(option_ids::kDialBlue, std::to_string(values.D_MOJIBAN_B));
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
