#include "actions/timer_action_model.h"

#include <algorithm>
#include <iterator>

namespace mdx {

namespace timer_dlg {
const char* const kTitle = "タイマーアクションの設定";
const char* const kReserveText = "予約";
const char* const kReservedText = "完了";
const char* const kSoundFileFilter = "WAV&MIDIﾌｧｲﾙ|*.wav;*.mid|MID|*.mid|WAVE|*.wav||";
const char* const kProgramFileFilter = "実行ﾌｧｲﾙ|*.exe|COM|*.com|BAT|*.bat||";
}  // namespace timer_dlg

const ActionGroupControls& actionGroupControls(ActionGroup group) {
  using namespace timer_dlg;
  static const ActionGroupControls kControls[4] = {
      {kExitCheck, kExitReserve, kExitTimeDisplay,
       {kExitReserve, kExitLogOffRadio, kExitRestartRadio, kExitShutdownRadio, kExitTimeDisplay}},
      {kSoundCheck, kSoundReserve, kSoundTimeDisplay,
       {kSoundFileField, kSoundReserve, kSoundBrowse, kSoundTest, kSoundTimeDisplay}},
      {kProgramCheck, kProgramReserve, kProgramTimeDisplay,
       {kProgramField, kProgramReserve, kProgramBrowse, kProgramTimeDisplay}},
      {kCallCheck, kCallReserve, kCallTimeDisplay,
       {kCallTimeDisplay, kCallReserve, kCallFlashCheck, kCallTextField, kCallTopWindowCheck}},
  };
  return kControls[static_cast<size_t>(group)];
}

std::string padTwoDigits(const std::string& text) {
  if (text.size() >= 2) return text;
  return std::string(2 - text.size(), '0') + text;
}

SetterTexts setterTextsNow(const Clock& clock) {
  const CivilTime t = clock.toLocal(clock.nowSeconds());
  return {padTwoDigits(std::to_string(t.hour)), padTwoDigits(std::to_string(t.minute))};
}

PcClockTexts pcClockTextsNow(const Clock& clock) {
  const CivilTime t = clock.toLocal(clock.nowSeconds());
  auto two = [](int v) { return padTwoDigits(std::to_string(v)); };
  return {two(t.hour) + ":" + two(t.minute),
          std::to_string(t.year) + "年" + two(t.month) + "月" + two(t.day) + "日"};
}

void TimerActionModel::loadFrom(const TimedAction& a) {
  programCommand = a.programCommand;
  programReserved = a.programReserved;
  exitTime = a.exitTime;
  soundTime = a.soundTime;
  programTime = a.programTime;
  soundReserved = a.soundReserved;
  soundFile = a.soundFile;
  exitReserved = a.exitReserved;
  exitKind = a.exitKind;
  callTime = a.callTime;
  callReserved = a.callReserved;
  callText = a.callText;
  callTopWindow = a.callTopWindow;
  callFlash = a.callFlash;
}

void TimerActionModel::storeInto(TimedAction& a) const {
  a.programCommand = programCommand;
  a.programReserved = programReserved;
  a.exitTime = exitTime;
  a.soundTime = soundTime;
  a.programTime = programTime;
  a.soundReserved = soundReserved;
  a.soundFile = soundFile;
  a.exitReserved = exitReserved;
  a.exitKind = exitKind;
  a.callTime = callTime;
  a.callReserved = callReserved;
  a.callText = callText;
  a.callTopWindow = callTopWindow;
  a.callFlash = callFlash;
}

namespace {
// Each group's reserved time and switch, in ActionGroup order; anything past the end is Call.
struct GroupMembers {
  std::string TimerActionModel::*time;
  int32_t TimerActionModel::*reserved;
};
constexpr GroupMembers kGroupMembers[] = {
    {&TimerActionModel::exitTime, &TimerActionModel::exitReserved},
    {&TimerActionModel::soundTime, &TimerActionModel::soundReserved},
    {&TimerActionModel::programTime, &TimerActionModel::programReserved},
    {&TimerActionModel::callTime, &TimerActionModel::callReserved},
};
const GroupMembers& groupMembers(ActionGroup group) {
  return kGroupMembers[std::min<size_t>(static_cast<size_t>(group), std::size(kGroupMembers) - 1)];
}
}  // namespace

std::string& TimerActionModel::timeMember(ActionGroup group) { return this->*groupMembers(group).time; }

const std::string& TimerActionModel::timeMember(ActionGroup group) const {
  return const_cast<TimerActionModel*>(this)->timeMember(group);
}

int32_t& TimerActionModel::switchMember(ActionGroup group) { return this->*groupMembers(group).reserved; }

void TimerActionModel::initialise() {
  for (int32_t* box : {&programReserved, &soundReserved, &exitReserved, &callReserved, &callTopWindow, &callFlash})
    *box = checkBoxLoadValue(*box);
  for (ActionGroup g : kActionGroups)
    if (!timeMember(g).empty()) buttonText_[index(g)] = timer_dlg::kReservedText;
  for (ActionGroup g : kActionGroups) {
    if (switchMember(g) != 0)
      enableGroup(g);
    else
      disableGroup(g);
  }
}

void TimerActionModel::enableGroup(ActionGroup group) { enabled_[index(group)] = true; }

void TimerActionModel::disableGroup(ActionGroup group) {
  enabled_[index(group)] = false;
  buttonText_[index(group)] = timer_dlg::kReserveText;
  timeMember(group).clear();
}

void TimerActionModel::toggleGroup(ActionGroup group) {
  if (groupEnabled(group)) {
    disableGroup(group);
    switchMember(group) = 0;
  } else {
    enableGroup(group);
    switchMember(group) = 1;
  }
}

void TimerActionModel::reserve(ActionGroup group, const std::string& hourField, const std::string& minuteField) {
  buttonText_[index(group)] = timer_dlg::kReservedText;
  timeMember(group) = padTwoDigits(hourField) + ":" + padTwoDigits(minuteField);
}

std::vector<Field> timerActionFields(TimerActionModel& m) {
  namespace id = timer_dlg;
  std::vector<Field> fields = {
      Field::radioSet({id::kExitLogOffRadio, id::kExitRestartRadio, id::kExitShutdownRadio}, m.exitKind),
      Field::textField(id::kSoundFileField, m.soundFile),
      Field::textField(id::kProgramField, m.programCommand),
      Field::textField(id::kCallTextField, m.callText),
      Field::checkBox(id::kCallTopWindowCheck, m.callTopWindow),
      Field::checkBox(id::kCallFlashCheck, m.callFlash),
  };
  for (ActionGroup g : kActionGroups) {
    const ActionGroupControls& c = actionGroupControls(g);
    fields.push_back(Field::checkBox(c.checkBox, m.switchMember(g)));
    fields.push_back(Field::textField(c.timeDisplay, m.timeMember(g)));
  }
  return fields;
}

}  // namespace mdx
