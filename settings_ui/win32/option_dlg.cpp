#include "settings_ui/win32/option_dlg.h"

#include "dialogfw/win32/file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "display/win32/window_placement.h"
#include "platform/win32/text.h"
#include "resources/settings_ui_ids.h"
#include "settings_ui/win32/colour_picker.h"

namespace mdx::win {

// The resource script can only read #defines; the code uses the core's constants. Both must
// name the same controls.
namespace id = option_ids;
static_assert(IDD_OPTIONS == id::kTemplate);
static_assert(IDC_OPT_TOP_WINDOW == id::kTopWindow && IDC_OPT_MAIN_TITLE == id::kMainTitle &&
              IDC_OPT_DATELINE == id::kDateLine && IDC_OPT_EQUATOR == id::kEquator &&
              IDC_OPT_INTERVAL == id::kInterval && IDC_OPT_RESET_WINDOW == id::kResetWindow &&
              IDC_OPT_AREA_NO == id::kAreaNumber && IDC_OPT_NIGHT == id::kNight && IDC_OPT_EVENT == id::kEvent &&
              IDC_OPT_JIHOU == id::kHourlyChime);
static_assert(IDC_OPT_USER_CHIME == id::kUserChime && IDC_OPT_USER_MINUTE == id::kUserMinute &&
              IDC_OPT_WAV_BROWSE == id::kWavBrowse && IDC_OPT_WAV_PATH == id::kWavPath);
static_assert(IDC_OPT_DIAL_COLOUR == id::kDialColour && IDC_OPT_DIAL_RED == id::kDialRed &&
              IDC_OPT_DIAL_GREEN == id::kDialGreen && IDC_OPT_DIAL_BLUE == id::kDialBlue &&
              IDC_OPT_COLOR == id::kColorButton);
static_assert(IDC_OPT_TITLE_NONE == id::kTitleButtons[0] && IDC_OPT_TITLE_AREA1 == id::kTitleButtons[1] &&
              IDC_OPT_TITLE_AREA2 == id::kTitleButtons[2] && IDC_OPT_TITLE_AREA3 == id::kTitleButtons[3] &&
              IDC_OPT_TITLE_AREA4 == id::kTitleButtons[4] && IDC_OPT_TITLE_AREA5 == id::kTitleButtons[5] &&
              IDC_OPT_TITLE_AREA6 == id::kTitleButtons[6] && IDC_OPT_TITLE_AREA7 == id::kTitleButtons[7]);

const MessageEntry<OptionDlg> OptionDlg::kMessages[] = {{0, nullptr}};

const CommandEntry<OptionDlg> OptionDlg::kCommands[] = {
    {id::kDialColour, BN_CLICKED, &OptionDlg::onDialColourCheck},
    {id::kUserChime, BN_CLICKED, &OptionDlg::onUserChimeCheck},
    {id::kColorButton, BN_CLICKED, &OptionDlg::onColor},
    {id::kWavBrowse, BN_CLICKED, &OptionDlg::onWavBrowse},
};

OptionDlg::OptionDlg(HWND owner) : DialogImpl(id::kTemplate, owner) {}

std::vector<Field> OptionDlg::fields() { return optionFields(values); }

BOOL OptionDlg::onInitDialog() {
  loadFields();
  applyUserChimeEnabling(*this);
  applyDialColourEnabling(*this);
  return TRUE;
}

void OptionDlg::onOK() {
  // Disabled fields are read and checked like the others; the values change only when every
  // field passes.
  if (const auto failure = takeBackOptions(values, *this)) {
    failField(failure->controlId, failure->message);
    return;
  }
  endDialog(IDOK);
}

void OptionDlg::onDialColourCheck() { applyDialColourEnabling(*this); }

void OptionDlg::onUserChimeCheck() { applyUserChimeEnabling(*this); }

void OptionDlg::onColor() {
  // From the stored values, not from what is typed in the edits now.
  const auto chosen = pickColour(hwnd_, pickerStartColour(values.D_MOJIBAN_R, values.D_MOJIBAN_G, values.D_MOJIBAN_B));
  if (!chosen) return;
  acceptDialColour(values, *chosen, *this);
}

void OptionDlg::onWavBrowse() {
  // The path becomes the option only when the dialog ends with OK.
  if (auto path = browseForFile(hwnd_, kUserChimeFilter)) setItemText(id::kWavPath, *path);
}

bool runOptionsDialog(HWND owner, SettingsRecords& records) {
  OptionDlg dlg(owner);
  dlg.values = optionValuesFrom(records);
  const bool ok = dlg.doModal() == IDOK;
  if (ok) {
    const OptionsOkSteps steps = applyOptionsOk(dlg.values, records);
    // The reset also takes the window out of the topmost band; applyTopMost below restores it.
    if (steps.resetWindow) placeWindow(owner, defaultWindowRect());
    if (steps.restyle) applyTitleBarStyle(owner, records.option.MAIN_TITLE);
  }
  applyTopMost(owner, records.option.TOP_WINDOW);
  return ok;
}

}  // namespace mdx::win
