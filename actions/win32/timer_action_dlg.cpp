#include "actions/win32/timer_action_dlg.h"

#include "actions/launch_command.h"

#include "dialogfw/win32/file_dialog.h"
#include "dialogfw/win32/group_frames.h"
#include "platform/win32/dpi.h"

#include <commctrl.h>
#include <commdlg.h>

#include <vector>

#include "platform/win32/text.h"

namespace mdx::win {

namespace {

constexpr UINT kClockPeriodMs = 1000;

// The dialog's three fonts share everything but height and weight.
constexpr wchar_t kFontFace[] = L"ＭＳ ゴシック";
constexpr BYTE kFontPitchAndFamily = 0x40;
// Heights are pixels at 96 DPI, scaled to the dialog's DPI.
HFONT createDialogFont(HWND dialog, int height, int weight) {
  return CreateFontW(scaleForWindow(dialog, height), 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, kFontPitchAndFamily, kFontFace);
}

}  // namespace

const CommandEntry<TimerActionDlg> TimerActionDlg::kCommands[] = {
    {timer_dlg::kSoundBrowse, BN_CLICKED, &TimerActionDlg::onSoundBrowse},
    {timer_dlg::kProgramBrowse, BN_CLICKED, &TimerActionDlg::onProgramBrowse},
    {timer_dlg::kSoundTest, BN_CLICKED, &TimerActionDlg::onSoundTest},
};

TimerActionDlg::TimerActionDlg(HWND owner, SoundDevice& device, const Clock& clock)
    : DialogImpl(timer_dlg::kTemplateId, owner), device_(device), clock_(clock) {}

TimerActionDlg::~TimerActionDlg() {
  // The controls that used the fonts are gone once the modal run has ended.
  for (HFONT f : {statusFont_, setterFont_, clockFont_})
    if (f) DeleteObject(f);
}

std::vector<Field> TimerActionDlg::fields() { return timerActionFields(model); }

BOOL TimerActionDlg::onInitDialog() {
  loadFields();

  keepGroupFramesUnder(hwnd_);

  statusFont_ = createDialogFont(hwnd_, 20, 800);
  setterFont_ = createDialogFont(hwnd_, 30, 400);
  clockFont_ = createDialogFont(hwnd_, 16, 400);

  const SetterTexts setter = setterTextsNow(clock_);
  setFont(timer_dlg::kHourField, setterFont_);
  setItemText(timer_dlg::kHourField, setter.hour);
  setFont(timer_dlg::kMinuteField, setterFont_);
  setItemText(timer_dlg::kMinuteField, setter.minute);

  tickEvery(kClockPeriodMs);

  SendDlgItemMessageW(hwnd_, timer_dlg::kHourUpDown, UDM_SETRANGE32, timer_dlg::kHourMin, timer_dlg::kHourMax);
  SendDlgItemMessageW(hwnd_, timer_dlg::kMinuteUpDown, UDM_SETRANGE32, timer_dlg::kMinuteMin,
                      timer_dlg::kMinuteMax);

  for (ActionGroup g : kActionGroups) setFont(actionGroupControls(g).timeDisplay, statusFont_);

  // Buttons of groups with a time read "完了"; then each group is enabled or disabled by its
  // switch, which discards the time of a switched-off group.
  model.initialise();
  for (ActionGroup g : kActionGroups) showGroup(g);
  return TRUE;
}

void TimerActionDlg::onOK() {
  // No field of this dialog can be refused.
  takeBackFields();
  endDialog(IDOK);
}

void TimerActionDlg::onDestroy() {
  // Whichever way the dialog closes, MIDI playback of the process stops with it.
  closeMidi(device_);
}

void TimerActionDlg::onTick() {
  const PcClockTexts now = pcClockTextsNow(clock_);
  setFont(timer_dlg::kPcTime, clockFont_);
  setItemText(timer_dlg::kPcTime, now.time);
  setFont(timer_dlg::kPcDate, clockFont_);
  setItemText(timer_dlg::kPcDate, now.date);
}

bool TimerActionDlg::onCommand(int id, int code) {
  if (code != BN_CLICKED) return false;
  for (ActionGroup g : kActionGroups) {
    const ActionGroupControls& c = actionGroupControls(g);
    if (id == c.checkBox) {
      toggle(g);
      return true;
    }
    if (id == c.reserveButton) {
      reserve(g);
      return true;
    }
  }
  return false;
}

void TimerActionDlg::setFont(int id, HFONT font) {
  SendDlgItemMessageW(hwnd_, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(TRUE, 0));
}

void TimerActionDlg::showGroup(ActionGroup group) {
  const ActionGroupControls& c = actionGroupControls(group);
  const bool enabled = model.groupEnabled(group);
  for (int id : c.switched) enableItem(id, enabled);
  setItemText(c.reserveButton, model.reserveButtonText(group));
  if (!enabled) {
    // A disabled group has no time: the display is emptied.
    setFont(c.timeDisplay, statusFont_);
    setItemText(c.timeDisplay, model.timeMember(group));
  }
}

void TimerActionDlg::reserve(ActionGroup group) {
  const ActionGroupControls& c = actionGroupControls(group);
  model.reserve(group, itemText(timer_dlg::kHourField), itemText(timer_dlg::kMinuteField));
  setItemText(c.reserveButton, model.reserveButtonText(group));
  setFont(c.timeDisplay, statusFont_);
  setItemText(c.timeDisplay, model.timeMember(group));
}

void TimerActionDlg::toggle(ActionGroup group) {
  model.toggleGroup(group);
  showGroup(group);
}

void TimerActionDlg::browse(const char* barFilter, int targetField) {
  if (auto path = browseForFile(hwnd_, barFilter)) setItemText(targetField, *path);
}

void TimerActionDlg::onSoundBrowse() { browse(timer_dlg::kSoundFileFilter, timer_dlg::kSoundFileField); }
void TimerActionDlg::onProgramBrowse() {
  if (auto path = browseForFile(hwnd_, timer_dlg::kProgramFileFilter))
    setItemText(timer_dlg::kProgramField, commandLineForPickedProgram(*path));
}
void TimerActionDlg::onSoundTest() { testPlay(device_, itemText(timer_dlg::kSoundFileField)); }

std::optional<TimedAction> runTimerActionDialog(HWND owner, const TimedAction& action, SoundDevice& device,
                                                const Clock& clock) {
  TimerActionDlg dlg(owner, device, clock);
  dlg.model.loadFrom(action);
  if (dlg.doModal() != IDOK) return std::nullopt;
  TimedAction result = action;
  dlg.model.storeInto(result);
  return result;
}

}  // namespace mdx::win
