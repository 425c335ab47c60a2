#include "app/key_rules.h"

namespace mdx {

namespace {
constexpr uint32_t kKeyDown = 0x100, kSysKeyDown = 0x104, kContextMenu = 0x7B;
constexpr uint32_t kF10 = 0x79, kReturn = 0x0D, kEscape = 0x1B;
}  // namespace

KeyRule keyRuleFor(const KeyMessage& m) {
  const bool keyDown = m.message == kKeyDown || m.message == kSysKeyDown;
  if (keyDown && m.key == kF10 && m.shiftDown) return KeyRule::ShowPopup;
  if (m.message == kContextMenu) return KeyRule::ShowPopup;
  // Every other plain key-down beeps, the context-menu key included: its popup comes from the
  // context-menu message the dialog's handling makes of it.
  if (m.message == kKeyDown) return (m.key == kReturn || m.key == kEscape) ? KeyRule::BeepPlain : KeyRule::BeepThenDialog;
  return KeyRule::Default;
}

}  // namespace mdx
