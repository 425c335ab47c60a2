#pragma once
// The data exchange of the settings dialogs, seen from the core: a table of fields (control,
// kind, member, optional range) in the order in which values are taken back, run towards the
// controls when a dialog or page opens and back into the members when it is left. The Win32
// dialogs implement ControlAccess over their real controls; the tests implement it in memory.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dialogfw/field_parse.h"

namespace mdx {

// What the exchange needs of a dialog's controls, by control identifier.
class ControlAccess {
 public:
  virtual ~ControlAccess() = default;
  virtual std::string text(int id) const = 0;
  virtual void setText(int id, const std::string& utf8) = 0;
  virtual bool checked(int id) const = 0;
  virtual void setChecked(int id, bool on) = 0;
  virtual void enable(int id, bool on) = 0;
};

enum class FieldKind {
  Text,   // any text
  Int,    // optionally signed decimal, optionally range-checked
  Check,  // check box: 1 when checked, 0 when not
  Radio,  // a set of buttons (not necessarily consecutive ids): position of the chosen one, -1 for none
};

template <class M>
struct FieldSpec {
  FieldKind kind = FieldKind::Text;
  int id = 0;  // the control; for Radio the first button of `radioIds`
  std::string M::*text = nullptr;
  int32_t M::*value = nullptr;
  bool ranged = false;
  int32_t min = 0, max = 0;
  std::vector<int> radioIds;

  static FieldSpec textField(int id, std::string M::*m) {
    FieldSpec f;
    f.kind = FieldKind::Text;
    f.id = id;
    f.text = m;
    return f;
  }
  static FieldSpec intField(int id, int32_t M::*m) {
    FieldSpec f;
    f.kind = FieldKind::Int;
    f.id = id;
    f.value = m;
    return f;
  }
  static FieldSpec intField(int id, int32_t M::*m, int32_t lo, int32_t hi) {
    FieldSpec f = intField(id, m);
    f.ranged = true;
    f.min = lo;
    f.max = hi;
    return f;
  }
  static FieldSpec checkBox(int id, int32_t M::*m) {
    FieldSpec f;
    f.kind = FieldKind::Check;
    f.id = id;
    f.value = m;
    return f;
  }
  static FieldSpec radioSet(std::vector<int> ids, int32_t M::*m) {
    FieldSpec f;
    f.kind = FieldKind::Radio;
    f.id = ids.empty() ? 0 : ids.front();
    f.value = m;
    f.radioIds = std::move(ids);
    return f;
  }
};

// The field that stopped a transfer and the message to show for it.
struct FieldFailure {
  int controlId = 0;
  std::string message;
};

// A check box's stored value as it is loaded: a value outside 0 to 2 is reset to 0 first.
// The box is then shown checked only for 1 (2 counts as off, like every value but 1).
inline int32_t checkBoxLoadValue(int32_t v) { return v < 0 || v > 2 ? 0 : v; }

// Radio sets open on the button at position `value`, or on none when the value names none.
inline int radioLoadPosition(int32_t value, int count) { return value >= 0 && value < count ? value : -1; }

// Puts the members into the controls: integers as signed decimal text, texts as they are.
template <class M>
void loadFields(const std::vector<FieldSpec<M>>& fields, M& model, ControlAccess& controls) {
  for (const FieldSpec<M>& f : fields) {
    switch (f.kind) {
      case FieldKind::Text:
        controls.setText(f.id, model.*f.text);
        break;
      case FieldKind::Int:
        controls.setText(f.id, std::to_string(model.*f.value));
        break;
      case FieldKind::Check:
        model.*f.value = checkBoxLoadValue(model.*f.value);
        controls.setChecked(f.id, model.*f.value == 1);
        break;
      case FieldKind::Radio: {
        const int chosen = radioLoadPosition(model.*f.value, static_cast<int>(f.radioIds.size()));
        for (size_t i = 0; i < f.radioIds.size(); ++i) controls.setChecked(f.radioIds[i], static_cast<int>(i) == chosen);
        break;
      }
    }
  }
}

// Takes the values back in table order. Each integer is checked right after it is read; the
// first bad field stops the transfer, the fields before it having been stored already.
template <class M>
std::optional<FieldFailure> takeBackFields(const std::vector<FieldSpec<M>>& fields, M& model,
                                           const ControlAccess& controls) {
  for (const FieldSpec<M>& f : fields) {
    switch (f.kind) {
      case FieldKind::Text:
        model.*f.text = controls.text(f.id);
        break;
      case FieldKind::Int: {
        const IntFieldResult r = parseIntField(controls.text(f.id), f.ranged, f.min, f.max);
        if (r.status == IntFieldStatus::NotInteger) return FieldFailure{f.id, kIntegerMessage};
        if (r.status == IntFieldStatus::OutOfRange)
          // Digits too long for 32 bits on a field without a range are reported against the
          // whole 32-bit range.
          return FieldFailure{f.id, f.ranged ? rangeMessage(f.min, f.max) : rangeMessage(INT32_MIN, INT32_MAX)};
        model.*f.value = r.value;
        break;
      }
      case FieldKind::Check:
        model.*f.value = controls.checked(f.id) ? 1 : 0;
        break;
      case FieldKind::Radio: {
        int32_t chosen = -1;
        for (size_t i = 0; i < f.radioIds.size(); ++i)
          if (controls.checked(f.radioIds[i])) chosen = static_cast<int32_t>(i);
        model.*f.value = chosen;
        break;
      }
    }
  }
  return std::nullopt;
}

}  // namespace mdx
