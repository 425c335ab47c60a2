#pragma once
// The options dialog "オプション" (IDD_OPTIONS): the window-wide options, the user chime, the
// dial colour, the title-bar time, the window's style and the one-shot window reset.
#include <windows.h>

#include <optional>

#include "settings/settings.h"
#include "dialogfw/win32/dialog.h"
#include "settings_ui/options_model.h"

namespace mdx::win {

class OptionDlg : public DialogImpl<OptionDlg> {
 public:
  explicit OptionDlg(HWND owner);

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

// The menu command "ｵﾌﾟｼｮﾝ" over the main window `owner`, on a copy of `values`: OK returns the
// values as the dialog left them (applyOptionsOk says what they change), Cancel nothing.
std::optional<OptionDialogValues> runOptionsDialog(HWND owner, const OptionDialogValues& values);

}  // namespace mdx::win
