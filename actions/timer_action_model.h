#pragma once
// The portable side of the timer-action dialog ("タイマーアクションの設定"): the members the
// dialog's data exchange binds to, the four groups' enabling rules, the reserve buttons, the
// time setter's texts and ranges, the live PC clock texts and the browse filters. The Win32
// dialog (template kTemplateId) binds its controls and messages to this model.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "dialogfw/field_exchange.h"
#include "resources/resource_ids.h"
#include "resources/timer_action_ids.h"
#include "platform/clock.h"
#include "settings/timed_action.h"

namespace mdx {

namespace timer_dlg {
constexpr int kTemplateId = IDD_TIMER_ACTION;
constexpr int kMenuCommand = ID_TIMER_ACTION;  // "ﾀｲﾏｰｱｸｼｮﾝ" in the main window's popup menu
extern const char* const kTitle;     // "タイマーアクションの設定"

// Controls of the dialog template.
constexpr int kHourField = IDC_TA_HOUR;
constexpr int kMinuteField = IDC_TA_MINUTE;
constexpr int kHourUpDown = IDC_TA_HOUR_SPIN;
constexpr int kMinuteUpDown = IDC_TA_MINUTE_SPIN;
constexpr int kPcDate = IDC_TA_PC_DATE;
constexpr int kPcTime = IDC_TA_PC_TIME;
constexpr int kExitCheck = IDC_TA_EXIT_CHECK;
constexpr int kExitTimeDisplay = IDC_TA_EXIT_TIME;
constexpr int kExitReserve = IDC_TA_EXIT_RESERVE;
constexpr int kExitLogOffRadio = IDC_TA_EXIT_LOGOFF;
constexpr int kExitRestartRadio = IDC_TA_EXIT_RESTART;
constexpr int kExitShutdownRadio = IDC_TA_EXIT_SHUTDOWN;
constexpr int kSoundCheck = IDC_TA_SOUND_CHECK;
constexpr int kSoundTimeDisplay = IDC_TA_SOUND_TIME;
constexpr int kSoundReserve = IDC_TA_SOUND_RESERVE;
constexpr int kSoundFileField = IDC_TA_SOUND_FILE;
constexpr int kSoundBrowse = IDC_TA_SOUND_BROWSE;
constexpr int kSoundTest = IDC_TA_SOUND_TEST;
constexpr int kProgramCheck = IDC_TA_PROGRAM_CHECK;
constexpr int kProgramTimeDisplay = IDC_TA_PROGRAM_TIME;
constexpr int kProgramReserve = IDC_TA_PROGRAM_RESERVE;
constexpr int kProgramField = IDC_TA_PROGRAM_COMMAND;
constexpr int kProgramBrowse = IDC_TA_PROGRAM_BROWSE;
constexpr int kCallCheck = IDC_TA_CALL_CHECK;
constexpr int kCallTimeDisplay = IDC_TA_CALL_TIME;
constexpr int kCallReserve = IDC_TA_CALL_RESERVE;
constexpr int kCallFlashCheck = IDC_TA_CALL_FLASH;
constexpr int kCallTopWindowCheck = IDC_TA_CALL_TOPWINDOW;
constexpr int kCallTextField = IDC_TA_CALL_TEXT;

// Up-down ranges (no wrapping). An up-down writes its position as plain decimal text without
// a leading zero.
constexpr int kHourMin = 0;
constexpr int kHourMax = 23;
constexpr int kMinuteMin = 0;
constexpr int kMinuteMax = 59;

// Reserve button texts.
extern const char* const kReserveText;   // "予約"
extern const char* const kReservedText;  // "完了"

// File-open filters in '|'-separated form (ending "||"), no default extension, no initial
// name, OFN_HIDEREADONLY. The chosen full path goes into kSoundFileField or kProgramField.
extern const char* const kSoundFileFilter;    // "WAV&MIDIﾌｧｲﾙ|*.wav;*.mid|MID|*.mid|WAVE|*.wav||"
extern const char* const kProgramFileFilter;  // "実行ﾌｧｲﾙ|*.exe|COM|*.com|BAT|*.bat||"
}  // namespace timer_dlg

// The four groups, in the order in which the dialog enables or disables them.
enum class ActionGroup { Exit = 0, Sound = 1, Program = 2, Call = 3 };
constexpr std::array<ActionGroup, 4> kActionGroups = {ActionGroup::Exit, ActionGroup::Sound, ActionGroup::Program,
                                                      ActionGroup::Call};

// A group's check box (never disabled), reserve button, time display and the controls that the
// check box enables and disables (reserve button and time display among them).
struct ActionGroupControls {
  int checkBox;
  int reserveButton;
  int timeDisplay;
  std::vector<int> switched;
};
const ActionGroupControls& actionGroupControls(ActionGroup group);

// A text shorter than two characters gets leading "0"s up to two ("7" -> "07", "" -> "00");
// a longer text is left as it is.
std::string padTwoDigits(const std::string& text);

// Initial texts of the hour and minute fields: the local hour and minute now, two digits each.
struct SetterTexts {
  std::string hour;
  std::string minute;
};
SetterTexts setterTextsNow(const Clock& clock);

// The live PC clock shown every second: "HH:MM" in kPcTime and "YYYY年MM月DD日" in kPcDate.
struct PcClockTexts {
  std::string time;
  std::string date;
};
PcClockTexts pcClockTextsNow(const Clock& clock);

class TimerActionModel {
 public:
  // Members bound to the controls (the control of timer_dlg in the comment). Before loadFrom, texts are
  // empty, switches 0 and exitKind -1.
  std::string programCommand;   // kProgramField
  int32_t programReserved = 0;  // kProgramCheck
  std::string exitTime;         // kExitTimeDisplay
  std::string soundTime;        // kSoundTimeDisplay
  std::string programTime;      // kProgramTimeDisplay
  int32_t soundReserved = 0;    // kSoundCheck
  std::string soundFile;        // kSoundFileField
  int32_t exitReserved = 0;     // kExitCheck
  int32_t exitKind = -1;        // radio group kExitLogOffRadio, kExitRestartRadio, kExitShutdownRadio
  std::string callTime;         // kCallTimeDisplay
  int32_t callReserved = 0;     // kCallCheck
  std::string callText;         // kCallTextField
  int32_t callTopWindow = 0;    // kCallTopWindowCheck
  int32_t callFlash = 0;        // kCallFlashCheck

  // The menu handler's copy in (the fourteen fields; the user-chime fields are not part of the
  // dialog) and, after OK, the copy back.
  void loadFrom(const TimedAction& action);
  void storeInto(TimedAction& action) const;

  // Dialog initialisation after the exchange into the controls: check-box members are
  // normalised as the exchange does, every group with a reserved time gets "完了" on its
  // button, then each group is enabled when its switch is not 0 and disabled otherwise.
  void initialise();

  bool groupEnabled(ActionGroup group) const { return enabled_[index(group)]; }
  const std::string& reserveButtonText(ActionGroup group) const { return buttonText_[index(group)]; }
  std::string& timeMember(ActionGroup group);
  const std::string& timeMember(ActionGroup group) const;
  int32_t& switchMember(ActionGroup group);

  // Enable: the group's controls become usable. Disable: controls greyed, button back to
  // "予約", reserved time discarded (the time display shows the empty member).
  void enableGroup(ActionGroup group);
  void disableGroup(ActionGroup group);
  // A click on the group's check box: the group switches to the other state (its state is not
  // read from the box). The switch member follows, as the box does.
  void toggleGroup(ActionGroup group);
  // The group's "予約" button with the current texts of the hour and minute fields: the button
  // reads "完了" and the time becomes padTwoDigits(hour) + ":" + padTwoDigits(minute).
  void reserve(ActionGroup group, const std::string& hourField, const std::string& minuteField);

 private:
  static size_t index(ActionGroup group) { return static_cast<size_t>(group); }
  std::array<bool, 4> enabled_{};
  std::array<std::string, 4> buttonText_{timer_dlg::kReserveText, timer_dlg::kReserveText, timer_dlg::kReserveText,
                                         timer_dlg::kReserveText};
};

// The dialog's exchange table over the model's members: the groups' own fields, then each
// group's switch and time at the controls actionGroupControls names. No field can be refused,
// so the order is of no consequence.
std::vector<Field> timerActionFields(TimerActionModel& model);

}  // namespace mdx
