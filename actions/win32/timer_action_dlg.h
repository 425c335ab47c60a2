#pragma once
// The timer-action dialog "タイマーアクションの設定" (IDD_TIMER_ACTION): the Windows face of
// TimerActionModel. It shows the PC's date and time every second, sets a time with two
// up-down fields and lets each of the four groups (Windows exit, sound, program, call) be
// switched on, given its options and reserved for that time.
#include <windows.h>

#include <array>
#include <optional>

#include "actions/sound.h"
#include "settings/timed_action.h"
#include "actions/timer_action_model.h"
#include "dialogfw/win32/dialog.h"
#include "platform/clock.h"

namespace mdx::win {

class TimerActionDlg : public DialogImpl<TimerActionDlg> {
 public:
  // No explicit parent: the owner is the main window. The members start as the model's do
  // (texts empty, switches 0, exitKind -1) until the opener fills them.
  TimerActionDlg(HWND owner, SoundDevice& device, const Clock& clock);
  ~TimerActionDlg() override;

  static const CommandEntry<TimerActionDlg> kCommands[];

  // The members bound to the controls, and the groups' state.
  TimerActionModel model;

 protected:
  BOOL onInitDialog() override;
  void onOK() override;
  void onDestroy() override;
  std::vector<Field> fields() override;
  void onTick() override;  // the PC's date and time
  // Each group's check box and reserve button, found through actionGroupControls.
  bool onCommand(int id, int code) override;

 private:
  void onSoundBrowse();
  void onProgramBrowse();
  void onSoundTest();

  void reserve(ActionGroup group);
  void toggle(ActionGroup group);
  // Shows a group's state from the model: controls enabled or greyed, the reserve button's
  // text and the time display (with the status font).
  void showGroup(ActionGroup group);
  void setFont(int id, HFONT font);
  void browse(const char* barFilter, int targetField);

  SoundDevice& device_;
  const Clock& clock_;
  HFONT statusFont_ = nullptr;  // the four time displays
  HFONT setterFont_ = nullptr;  // hour and minute fields
  HFONT clockFont_ = nullptr;   // PC date and time
};

// The menu command "ﾀｲﾏｰｱｸｼｮﾝ": runs the dialog modally on a copy of the reservations (the
// user-chime fields are not part of it). OK returns `action` with the fourteen fields as the
// dialog left them; Cancel (or Esc) returns nothing.
std::optional<TimedAction> runTimerActionDialog(HWND owner, const TimedAction& action, SoundDevice& device,
                                                const Clock& clock);

}  // namespace mdx::win
