#include "settings_ui/win32/option_dlg.h"

#include "dialogfw/win32/file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "platform/win32/text.h"
#include "settings_ui/win32/colour_picker.h"

namespace mdx::win {

namespace id = option_ids;

const CommandEntry<OptionDlg> OptionDlg::kCommands[] = {
    {id::kDialColour, BN_CLICKED, &OptionDlg::onDialColourCheck},
    {id::kUserChime, BN_CLICKED, &OptionDlg::onUserChimeCheck},
    {id::kNight, BN_CLICKED, &OptionDlg::onNightCheck},
    {id::kColorButton, BN_CLICKED, &OptionDlg::onColor},
    {id::kWavBrowse, BN_CLICKED, &OptionDlg::onWavBrowse},
};

OptionDlg::OptionDlg(HWND owner) : DialogImpl(id::kTemplate, owner) {}

std::vector<Field> OptionDlg::fields() { return optionFields(values); }

BOOL OptionDlg::onInitDialog() {
  loadFields();
  applyUserChimeEnabling(*this);
  applyDialColourEnabling(*this);
  applyTrueSkyEnabling(*this);
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

void OptionDlg::onNightCheck() { applyTrueSkyEnabling(*this); }

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

std::optional<OptionDialogValues> runOptionsDialog(HWND owner, const OptionDialogValues& values) {
  OptionDlg dlg(owner);
  dlg.values = values;
  if (dlg.doModal() != IDOK) return std::nullopt;
  return dlg.values;
}

}  // namespace mdx::win
