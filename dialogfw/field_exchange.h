#pragma once
// The data exchange of every dialog: a table of fields (control, kind, the member it edits,
// optional range) in the order in which values are taken back, run towards the controls when
// a dialog or page opens and back into the members when it is left. The Win32 Dialog is the
// ControlAccess over its real controls; the tests implement it in memory.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mdx {

// What the exchange and the enabling rules need of a dialog's controls, by control id.
class ControlAccess {
 public:
  virtual ~ControlAccess() = default;
  virtual std::string itemText(int id) const = 0;
  virtual void setItemText(int id, const std::string& utf8) = 0;
  virtual bool isChecked(int id) const = 0;
  virtual void setChecked(int id, bool checked) = 0;
  // A button's state as the platform keeps it: 0 unchecked, 1 checked, 2 indeterminate.
  virtual int checkState(int id) const = 0;
  virtual void setCheckState(int id, int state) = 0;
  virtual void enableItem(int id, bool enable) = 0;
};

enum class FieldKind {
  Text,   // any text
  Int,    // optionally signed decimal, optionally range-checked
  Check,  // check box: its state, 0 unchecked, 1 checked, 2 indeterminate (see checkBoxLoadValue)
  Radio,  // buttons by a list of ids: position of the chosen one, -1 for none
};

// One row of an exchange table, bound to the member it edits.
struct Field {
  FieldKind kind = FieldKind::Text;
  int id = 0;  // the control; for Radio the first button of `radioIds`
  std::string* text = nullptr;
  int32_t* value = nullptr;
  bool ranged = false;
  int32_t min = 0, max = 0;
  std::vector<int> radioIds;

  static Field textField(int id, std::string& member);
  static Field intField(int id, int32_t& member);
  static Field intField(int id, int32_t& member, int32_t min, int32_t max);
  static Field checkBox(int id, int32_t& member);
  static Field radioSet(std::vector<int> ids, int32_t& member);
};

// The field that stopped a transfer and the message to show for it.
struct FieldFailure {
  int controlId = 0;
  std::string message;
};

// A check box's stored value as it is loaded: a value outside 0 to 2 is reset to 0 first, and
// the value is then handed to the box as its state. The dialogs' boxes are two-state auto
// check boxes, which the platform shows checked for 2 as for 1 and which then report 1, so
// taking the state back stores what the box shows.
int32_t checkBoxLoadValue(int32_t value);

// Radio sets open on the button at position `value`, or on none when the value names none.
int radioLoadPosition(int32_t value, int count);

// Puts the members into the controls: integers as signed decimal text, texts as they are.
void loadFields(const std::vector<Field>& fields, ControlAccess& controls);

// Takes the values back in table order. Each integer is checked right after it is read; the
// first bad field stops the transfer, the fields before it having been stored already.
std::optional<FieldFailure> takeBackFields(const std::vector<Field>& fields, const ControlAccess& controls);

}  // namespace mdx
