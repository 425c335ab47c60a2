#pragma once
// The core's view of a dialog's controls (ControlAccess) over a real dialog window, and the
// platform's colour picker shared by the AREA pages and the options dialog.
#include <windows.h>

#include <optional>

#include "dialogfw/win32/dialog.h"
#include "settings_ui/area_sheet_model.h"
#include "settings_ui/field_exchange.h"

namespace mdx::win {

class DialogControls : public ControlAccess {
 public:
  explicit DialogControls(Dialog& dialog) : dialog_(dialog) {}
  std::string text(int id) const override { return dialog_.itemText(id); }
  void setText(int id, const std::string& utf8) override { dialog_.setItemText(id, utf8); }
  bool checked(int id) const override { return dialog_.isChecked(id); }
  void setChecked(int id, bool on) override { dialog_.setChecked(id, on); }
  void enable(int id, bool on) override { dialog_.enableItem(id, on); }

 private:
  Dialog& dialog_;
};

// Runs the colour picker modally from `start`; the chosen colour, or nothing when cancelled.
std::optional<Rgb> pickColour(HWND owner, Rgb start);

}  // namespace mdx::win
