#include "dialogfw/field_exchange.h"

#include "dialogfw/field_parse.h"

namespace mdx {

namespace {
Field bound(FieldKind kind, int id, std::string* text, int32_t* value) {
  Field f;
  f.kind = kind;
  f.id = id;
  f.text = text;
  f.value = value;
  return f;
}
}  // namespace

Field Field::textField(int id, std::string& member) { return bound(FieldKind::Text, id, &member, nullptr); }
Field Field::intField(int id, int32_t& member) { return bound(FieldKind::Int, id, nullptr, &member); }
Field Field::intField(int id, int32_t& member, int32_t lo, int32_t hi) {
  Field f = intField(id, member);
  f.ranged = true;
  f.min = lo;
  f.max = hi;
  return f;
}
Field Field::checkBox(int id, int32_t& member) { return bound(FieldKind::Check, id, nullptr, &member); }
Field Field::radioSet(std::vector<int> ids, int32_t& member) {
  Field f = bound(FieldKind::Radio, ids.empty() ? 0 : ids.front(), nullptr, &member);
  f.radioIds = std::move(ids);
  return f;
}

int32_t checkBoxLoadValue(int32_t value) { return value < 0 || value > 2 ? 0 : value; }

int radioLoadPosition(int32_t value, int count) { return value >= 0 && value < count ? value : -1; }

void loadFields(const std::vector<Field>& fields, ControlAccess& controls) {
  for (const Field& f : fields) {
    switch (f.kind) {
      case FieldKind::Text:
        controls.setItemText(f.id, *f.text);
        break;
      case FieldKind::Int:
        controls.setItemText(f.id, std::to_string(*f.value));
        break;
      case FieldKind::Check:
        *f.value = checkBoxLoadValue(*f.value);
        controls.setCheckState(f.id, *f.value);
        break;
      case FieldKind::Radio: {
        const int chosen = radioLoadPosition(*f.value, static_cast<int>(f.radioIds.size()));
        for (size_t i = 0; i < f.radioIds.size(); ++i) controls.setChecked(f.radioIds[i], static_cast<int>(i) == chosen);
        break;
      }
    }
  }
}

std::optional<FieldFailure> takeBackFields(const std::vector<Field>& fields, const ControlAccess& controls) {
  for (const Field& f : fields) {
    switch (f.kind) {
      case FieldKind::Text:
        *f.text = controls.itemText(f.id);
        break;
      case FieldKind::Int: {
        const IntFieldResult r = parseIntField(controls.itemText(f.id), f.ranged, f.min, f.max);
        if (r.status == IntFieldStatus::NotInteger) return FieldFailure{f.id, kIntegerMessage};
        if (r.status == IntFieldStatus::OutOfRange)
          // Digits too long for 32 bits on a field without a range are reported against the
          // whole 32-bit range.
          return FieldFailure{f.id, f.ranged ? rangeMessage(f.min, f.max) : rangeMessage(INT32_MIN, INT32_MAX)};
        *f.value = r.value;
        break;
      }
      case FieldKind::Check:
        *f.value = controls.checkState(f.id);
        break;
      case FieldKind::Radio: {
        int32_t chosen = -1;
        for (size_t i = 0; i < f.radioIds.size(); ++i)
          if (controls.isChecked(f.radioIds[i])) chosen = static_cast<int32_t>(i);
        *f.value = chosen;
        break;
      }
    }
  }
  return std::nullopt;
}

}  // namespace mdx
