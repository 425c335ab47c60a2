#pragma once
// The options dialog "オプション" (template 134): the window-wide options, the user chime, the
// dial colour, the title-bar time, the window's style and the one-shot window reset.
#include <windows.h>

#include "settings/settings.h"
#include "dialogfw/win32/dialog.h"
#include "settings_ui/options_model.h"

namespace mdx::win {

class OptionDlg : public DialogImpl<OptionDlg> {
 public:
  explicit OptionDlg(HWND owner);

  static const MessageEntry<OptionDlg> kMessages[];
  static const CommandEntry<OptionDlg> kCommands[];

  // The dialog's copy, filled by the opener; the reset flag starts at 0.
  OptionDialogValues values;

 protected:
  BOOL onInitDialog() override;
  void onOK() override;
  std::vector<Field> fields() override;

 private:
  void onDialColourCheck();
  void onUserChimeCheck();
  void onNightCheck();
  void onColor();
  void onWavBrowse();
};

// The menu command "ｵﾌﾟｼｮﾝ" over the main window `owner` and its records. On OK: copies the
// values back (MAIN_TITLE only when changed, then the window is restyled), resets the window
// to (107, 102) 586 x 369 when asked, and returns true so that the caller sets
// titleRefreshDue. After OK and cancel alike the always-on-top option is applied again to the
// main window here (applyTopMost); the caller need not do it.
bool runOptionsDialog(HWND owner, SettingsRecords& records);

}  // namespace mdx::win
